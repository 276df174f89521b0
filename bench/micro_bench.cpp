// Micro-benchmarks of the hot paths of loading and writing: finding line ends, reading
// numeric fields (the common plain-digit field and the rare forms), the signed-amount
// encoding and the "#," display format.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "format/amount.h"
#include "format/line_reader.h"
#include "format/record_format.h"
#include "platform/platform.h"
#include "report/load_file.h"

namespace {

// Detail records as the generator writes them: 60 characters and CR LF.
std::string DetailRecords(int count) {
  std::string text;
  unsigned seed = 12345;
  char line[64];
  for (int i = 0; i < count; ++i) {
    seed = seed * 1103515245u + 12345u;
    const unsigned amount = (seed >> 8) % 50000;
    // Type, counterpart, date, reference group and number, VAT, sign, amount, filler.
    std::snprintf(line, sizeof line, "%c%09u202403150000%09u%09u%c%010u000000000\r\n",
                  (seed >> 12) % 4 == 0 ? 'T' : 'S', seed % 1000000000u, (seed >> 3) % 1000000u,
                  amount * 17 / 100, (seed & 31) == 0 ? '-' : '+', amount);
    text += line;
  }
  return text;
}

const std::string& Records() {
  static const std::string records = DetailRecords(100000);
  return records;
}

// A temporary file of records, read through the line reader as loading reads it.
struct RecordFile {
  std::string path;
  RecordFile() {
    char name[] = "/tmp/pcn_bench_XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd < 0) std::abort();
    path = name;
    const std::string& text = Records();
    for (int i = 0; i < 4; ++i) {
      if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) std::abort();
    }
    ::close(fd);
  }
  ~RecordFile() { ::unlink(path.c_str()); }
};

void BM_LineReader(benchmark::State& state) {
  static RecordFile file;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    pcn::platform::File f = pcn::platform::OpenForReading(file.path);
    pcn::LineReader reader(f);
    std::int64_t lines = 0;
    while (reader.Next() == pcn::LineReader::Status::kLine) {
      bytes += reader.Length() + 2;
      ++lines;
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_LineReader);

void BM_LoadSourceFile(benchmark::State& state) {
  static RecordFile file;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pcn::LoadSourceFile(file.path, false, ""));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 4 * Records().size()));
}
BENCHMARK(BM_LoadSourceFile);

void BM_FieldValuePlainDigits(benchmark::State& state) {
  const std::string& text = Records();
  std::vector<std::string_view> lines;
  for (std::size_t at = 0; at + 62 <= text.size(); at += 62) {
    lines.emplace_back(text.data() + at, 60);
  }
  for (auto _ : state) {
    pcn::Amount sum = 0;
    for (std::string_view line : lines) {
      sum += pcn::FieldValue(line, 32, 9) + pcn::FieldValue(line, 42, 10);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines.size() * 2));
}
BENCHMARK(BM_FieldValuePlainDigits);

void BM_FieldValueSignedOpeningAmount(benchmark::State& state) {
  const std::string_view fields[] = {"+00000104776", "-00000012345", "+00000000000", "-000000005"};
  for (auto _ : state) {
    pcn::Amount sum = 0;
    for (std::string_view field : fields) sum += pcn::NumberValue(field);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 4));
}
BENCHMARK(BM_FieldValueSignedOpeningAmount);

void BM_FieldValueRareForms(benchmark::State& state) {
  const std::string_view fields[] = {
      "  12.5", "1.5E3",   "-2d+2", "&H1F",    "&B1011",
      "&17",    "0.00015", "\t-7",  "1E-9999", "99999999999999999999999"};
  for (auto _ : state) {
    pcn::Amount sum = 0;
    for (std::string_view field : fields) sum += pcn::NumberValue(field);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 10));
}
BENCHMARK(BM_FieldValueRareForms);

void BM_SignedAmountText(benchmark::State& state) {
  pcn::Amount value = -123456789 * pcn::kAmountScale;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pcn::SignedAmountText(value, pcn::kOpening.taxableSales.width));
    value += 7777 * pcn::kAmountScale + 5000;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_SignedAmountText);

void BM_FormatAmount(benchmark::State& state) {
  pcn::Amount value = -123456789 * pcn::kAmountScale;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pcn::FormatAmount(value));
    value += 7777 * pcn::kAmountScale + 5000;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_FormatAmount);

}  // namespace

BENCHMARK_MAIN();
