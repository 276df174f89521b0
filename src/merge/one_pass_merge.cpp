// One reading of each source: validated by the loader's EntryBuilder and copied in the same
// pass; the first record written last into the place kept for it.
#include "merge/one_pass_merge.h"

#include <utility>

#include "merge/line_copier.h"
#include "platform/platform.h"
#include "report/line_reader.h"
#include "report/record_format.h"

namespace pcn {
namespace {

// The first record's width, known before any total is: it is written last, over the
// blanks kept for it. Every value that goes into it has been checked to fit by then.
std::size_t FirstRecordWidth(OutputKind kind) {
  return kind == OutputKind::kDealersUnion ? static_cast<std::size_t>(kOpening.length)
                                           : kRepresentativeHeaderLength;
}

}  // namespace

OnePassMerge::OnePassMerge(std::string directory, OutputKind kind)
    : directory_(std::move(directory)),
      kind_(kind),
      runExcluded_(FirstBytesOutsideRuns(kind == OutputKind::kDealersUnion)) {}

void OnePassMerge::NoteWriteFailure(WriteFailure failure, const std::string& path) {
  if (!writeFailure_.Written()) return;
  writeFailure_.failure = failure;
  writeFailure_.path = path;
}

void OnePassMerge::CreateOutput() {
  outputTried_ = true;
  // The month, and with it the final name, is known only once a file has been read.
  if (!output_.CreateTemporary(directory_, "Pcn874-merge")) return;
  out_.emplace(output_.File(), worker_);
  // Blanks where the first record goes, written at once, so that a failure to write them
  // is told as a failure to write the first record.
  out_->Append(std::string(FirstRecordWidth(kind_), ' '));
  out_->Append(kLineEnd);
  if (!out_->Flush()) NoteWriteFailure(WriteFailure::kWriteFailed);
}

LoadResult OnePassMerge::Add(const std::string& path) {
  if (refused_) return Refused(LoadRefusal::kCannotOpen, 0);
  if (!outputTried_) CreateOutput();
  refused_ = true;  // until the file is taken
  if (FindLoaded(table_, path) > 0) return Refused(LoadRefusal::kAlreadyLoaded, 0);
  platform::File file = platform::OpenForReading(path);
  if (!file.IsOpen() || file.Size() == 0) return Refused(LoadRefusal::kCannotOpen, 0);

  const platform::FileIdentity identity = file.Identity();
  const bool checkMonth = table_.FileCount() > 0;
  EntryBuilder builder(checkMonth, checkMonth ? LoadedMonth(table_) : std::string());
  LoadRefusal refusal = LoadRefusal::kNone;
  const auto take = [&builder, &refusal](std::string_view line) {
    refusal = builder.Take(line);
    return refusal == LoadRefusal::kNone;
  };
  std::optional<LineCopier> copier;
  if (out_) copier.emplace(*out_, kind_ == OutputKind::kDealersUnion);
  // Runs are written from the reader's buffers, which it reads into again only once the
  // writer is done with them.
  LineReader reader(file, LineReader::kDefaultBufferSize, out_ ? &*out_ : nullptr);
  for (;;) {
    // Most lines are validated and go out unchanged as whole runs; the others one by one.
    if (const std::string_view run = reader.NextRun(runExcluded_, take); !run.empty()) {
      if (refusal != LoadRefusal::kNone) return Refused(refusal, reader.LineNumber());
      if (Writing() && !out_->AppendLasting(run)) {
        NoteWriteFailure(WriteFailure::kCopyWriteFailed, path);
      }
      continue;
    }
    if (copier) copier->StartLine();
    const LineReader::Status status = reader.Next(Writing() ? &*copier : nullptr);
    if (status == LineReader::Status::kEnd) break;
    if (status == LineReader::Status::kError) {
      return Refused(LoadRefusal::kReadFailed, reader.LineNumber() + 1);
    }
    if (Writing()) {
      copier->EndLine();
      if (out_->Failed()) NoteWriteFailure(WriteFailure::kCopyWriteFailed, path);
    }
    if (!take(reader.Head())) return Refused(refusal, reader.LineNumber());
  }
  // A file's last lines go out before the next file is read, so that a failing write is
  // told with the file whose lines it held.
  if (Writing() && !out_->Flush()) NoteWriteFailure(WriteFailure::kCopyWriteFailed, path);
  // Everything was read; a failing close of a file opened for reading loses nothing.
  file.Close();
  if (builder.Finish() != LoadRefusal::kNone) {
    return Refused(builder.Finish(), reader.LineNumber());
  }
  refused_ = false;
  LoadResult result;
  result.entry = std::move(builder.Entry());
  result.entry.path = path;
  result.entry.identity = identity;
  AddEntry(table_, result.entry);
  return result;
}

WriteResult OnePassMerge::Finish(std::string_view typedNumber, std::string_view date) {
  WriteResult result;
  auto fail = [&result](WriteFailure failure) {
    result.failure = failure;
    return result;
  };
  if (refused_) return fail(WriteFailure::kTooFewFiles);  // not called after a refusal
  std::string number;
  result = CheckBeforeWriting(table_, kind_, typedNumber, directory_, number);
  if (!result.Written()) return result;
  // The existing file is held from here to the rename, as Generate holds it.
  if (!output_.HoldExisting(MergedFilePath(table_, directory_)) || !out_) {
    return fail(WriteFailure::kCannotOpenOutput);
  }
  if (!writeFailure_.Written()) return writeFailure_;

  const FileEntry& c = table_.Combined();
  const int n = table_.FileCount();
  const FirstAndLast records = MergedRecords(c, kind_, number, LoadedMonth(table_), date, n);
  if (records.first.size() != FirstRecordWidth(kind_)) return fail(WriteFailure::kWriteFailed);
  const std::string first = records.first + std::string(kLineEnd);
  out_->Append(records.last);
  out_->Append(kLineEnd);
  if (!out_->Flush() || !output_.File().WriteAt(0, first.data(), first.size()) ||
      !output_.Commit()) {
    return fail(WriteFailure::kWriteFailed);
  }
  result.path = output_.FinalPath();
  return result;
}

}  // namespace pcn
