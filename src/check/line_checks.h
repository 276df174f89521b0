// The checks of one source's lines as the engine reads them, and of the union record a merge
// would write: each finding with its line, by the rules of check/rules.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check/finding.h"
#include "check/repeat_index.h"
#include "report/file_table.h"
#include "report/line_reader.h"
#include "report/load_file.h"

namespace pcn {

class LineChecker : public LineObserver {
 public:
  // Records are looked up in `repeats`, under the file `path`: a record seen earlier in this
  // file or in one read before it there is a repeated record.
  LineChecker(RepeatIndex& repeats, const std::string& path);

  void Line(std::string_view head, std::int64_t length, std::int64_t number) override;

  // At most this many findings of a file are kept (and listed); the rest are only counted,
  // so that a file that breaks a rule on every line costs no more than this.
  static constexpr std::size_t kKept = 1000;

  // After the last line, with the entry the file gave: the file's first kKept findings in
  // line order, and the VAT of its petty-cash (K) records, which the union record's check
  // adds up.
  std::vector<Finding> Finish(const FileEntry& entry);
  Amount PettyCashVat() const { return pettyCashVat_; }
  // Every finding, the ones not kept included; valid after Finish.
  std::int64_t FindingCount() const { return count_; }

 private:
  void Detail(std::string_view line, std::int64_t length, std::int64_t number);
  void Opening(std::string_view line, std::int64_t number);
  void Add(std::int64_t line, Rule rule, int code = 0);

  RepeatIndex& repeats_;
  int file_;
  std::vector<Finding> findings_;
  int lastDay_ = 0;  // of the reporting month, YYYYMMDD; 0 until an opening record is read
  // Invoice dates read before the first opening record, checked once the month is known.
  std::vector<std::pair<std::int64_t, int>> earlyDates_;
  bool refund_ = false;
  std::int64_t openingLine_ = 0;
  Amount pettyCashVat_ = 0;
  std::int64_t count_ = 0;
};

// LoadReportFor with the checks: an accepted entry carries its findings and petty-cash VAT.
// Repeated records are looked up in `repeats` (the files of one merge, or the file alone).
LoadResult LoadChecked(const FileTable& table, const std::string& path, RepeatIndex& repeats,
                       LineSink* copier = nullptr);

// The findings of the union file's opening record, built from `combined`: its line is 1.
std::vector<Finding> UnionRecordFindings(const FileEntry& combined);

// "FILE:LINE: RULE[ CODE]: message", the message in Hebrew and then in English.
std::string FindingText(std::string_view file, const Finding& finding);
// The message alone.
std::string FindingMessage(const Finding& finding);

}  // namespace pcn
