// Fuzzes the checks before upload against a second, plain reading of their rules. The input
// is split at 0xFF bytes into up to three files and each at CR into lines; every line goes
// to the engine's checker as a file's reading hands it over, and to the plain reading below,
// which walks the columns one character at a time and finds repeats in an ordered map of
// whole keys. Both must give the same findings, line by line: every rule, code and place.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "check/line_checks.h"
#include "check/repeat_finder.h"
#include "check/rules.h"
#include "format/amount.h"
#include "format/record_format.h"
#include "report/checked_load.h"
#include "report/file_table.h"
#include "report/load_file.h"

namespace {

using namespace pcn;

// "FILE:LINE:RULE:CODE:DETAIL", one per finding.
using Found = std::vector<std::string>;

std::string Entry(std::size_t file, std::int64_t line, Rule rule, int code,
                  const std::string& detail) {
  return std::to_string(file) + ":" + std::to_string(line) + ":" + RowOf(rule).id + ":" +
         std::to_string(code) + ":" + detail;
}

// The column `column` (from 1), or no character where the line is shorter.
std::optional<char> At(const std::string& line, std::size_t column) {
  if (column == 0 || column > line.size()) return std::nullopt;
  return line[column - 1];
}
bool Digit(char c) {
  return c >= '0' && c <= '9';
}
// Every column of [first, last] that the line has is a digit.
bool DigitsWhereThere(const std::string& line, std::size_t first, std::size_t last) {
  for (std::size_t c = first; c <= last; ++c) {
    if (auto ch = At(line, c); ch && !Digit(*ch)) return false;
  }
  return true;
}
bool Leap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}
int Days(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kDays[m - 1] + (m == 2 && Leap(y) ? 1 : 0);
}
int Number(const std::string& digits) {
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}
bool AllDigitsText(const std::string& text) {
  for (char c : text) {
    if (!Digit(c)) return false;
  }
  return !text.empty();
}
// YYYYMMDD of a real day in columns 11-18, or 0.
int DateOf(const std::string& line) {
  if (line.size() < 18) return 0;
  const std::string text = line.substr(10, 8);
  if (!AllDigitsText(text)) return 0;
  const int y = Number(text.substr(0, 4)), m = Number(text.substr(4, 2)),
            d = Number(text.substr(6, 2));
  if (y < 1 || m < 1 || m > 12 || d < 1 || d > Days(y, m)) return 0;
  return y * 10000 + m * 100 + d;
}
bool Luhn(const std::string& nine) {
  int sum = 0;
  for (int i = 8, weight = 1; i >= 0; --i, weight = 3 - weight) {
    int d = (nine[static_cast<std::size_t>(i)] - '0') * weight;
    sum += d > 9 ? d - 9 : d;
  }
  return sum % 10 == 0;
}
std::optional<Amount> Threshold(int date) {
  if (date >= 20260601) return 5000 * kAmountScale;
  if (date >= 20260101) return 10000 * kAmountScale;
  if (date >= 20250101) return 20000 * kAmountScale;
  if (date >= 20240505) return 25000 * kAmountScale;
  return std::nullopt;
}
bool IsSale(char t) {
  return t == 'S' || t == 'L' || t == 'M' || t == 'Y' || t == 'I';
}
bool IsInput(char t) {
  return t == 'T' || t == 'C' || t == 'K' || t == 'R' || t == 'P' || t == 'H';
}

struct Keyed {
  std::size_t file;
  std::int64_t line;
  std::string key;  // columns 1-31
};

// The plain reading of one file's lines; its keyed records go to `keyed`.
Found PlainFindings(std::size_t file, const std::vector<std::string>& lines,
                    std::vector<Keyed>& keyed, std::string& issuer) {
  Found found;
  bool monthRead = false;
  int lastDay = 0;
  std::vector<std::pair<std::int64_t, int>> held;
  std::int64_t openingLine = 0, sales = 0, inputs = 0;
  Amount declaredSales = 0, declaredInputs = 0, pettyCash = 0, inputVat = 0;
  bool refund = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    const auto n = static_cast<std::int64_t>(i + 1);
    const char t = l.empty() ? '\0' : l[0];
    if (t == 'O') {
      if (l.size() != 131)
        found.push_back(Entry(file, n, Rule::kRecordLength, 0, std::to_string(l.size())));
      const std::pair<std::size_t, int> signs[] = {
          {26, 101}, {38, 102}, {48, 103}, {60, 104}, {79, 105}};
      for (const auto& [column, code] : signs) {
        const auto c = At(l, column);
        if (c != '+')
          found.push_back(Entry(file, n, Rule::kNegativeTotal, code, c ? std::string(1, *c) : ""));
      }
      std::string month;
      for (std::size_t c : {15u, 16u})
        if (auto ch = At(l, c)) month += *ch;
      month += '-';
      for (std::size_t c : {11u, 12u, 13u, 14u})
        if (auto ch = At(l, c)) month += *ch;
      lastDay = 0;
      if (month.size() == 7 && AllDigitsText(month.substr(0, 2)) &&
          AllDigitsText(month.substr(3))) {
        const int m = Number(month.substr(0, 2)), y = Number(month.substr(3));
        if (m >= 1 && m <= 12 && y >= 1) lastDay = y * 10000 + m * 100 + Days(y, m);
      }
      if (lastDay == 0) found.push_back(Entry(file, n, Rule::kReportMonth, 0, month));
      monthRead = true;
      for (const auto& [line, date] : held) {
        if (lastDay != 0 && date > lastDay)
          found.push_back(Entry(file, line, Rule::kInvoiceDate, 0, ""));
      }
      held.clear();
      refund = At(l, 120) == '-';
      openingLine = n;
      declaredSales = FieldValue(l, 70, 9);
      declaredInputs = FieldValue(l, 111, 9);
      issuer = l.substr(1, 9);
    } else if (t == 'X') {
      if (l.size() != 10)
        found.push_back(Entry(file, n, Rule::kRecordLength, 0, std::to_string(l.size())));
    } else if (IsSale(t) || IsInput(t)) {
      (IsSale(t) ? sales : inputs)++;
      if (IsInput(t)) inputVat = AddAmounts(inputVat, ReadDetailAmounts(l, false).vat);
      if (l.size() != 60)
        found.push_back(Entry(file, n, Rule::kRecordLength, 0, std::to_string(l.size())));
      if (t != 'R') {
        const std::string cp = l.size() >= 10 ? l.substr(1, 9) : std::string();
        const bool ok = cp.size() == 9 && AllDigitsText(cp) &&
                        (cp == "000000000" || cp == "999999999" || Luhn(cp));
        if (!ok) found.push_back(Entry(file, n, Rule::kCounterpartyNumber, 0, ""));
      }
      const int date = DateOf(l);
      if (date == 0) {
        found.push_back(Entry(file, n, Rule::kInvoiceDate, 0, ""));
      } else if (!monthRead) {
        held.emplace_back(n, date);
      } else if (lastDay != 0 && date > lastDay) {
        found.push_back(Entry(file, n, Rule::kInvoiceDate, 0, ""));
      }
      const auto sign = At(l, 41);
      if (sign != '+' && sign != '-') found.push_back(Entry(file, n, Rule::kSign, 0, ""));
      bool blanks = true, digits = true;
      for (std::size_t c = 52; c <= 60; ++c) {
        if (auto ch = At(l, c)) {
          blanks = blanks && *ch == ' ';
          digits = digits && Digit(*ch);
        }
      }
      if (!DigitsWhereThere(l, 19, 40) || !DigitsWhereThere(l, 42, 51) || !(blanks || digits)) {
        found.push_back(Entry(file, n, Rule::kDigits, 0, ""));
      }
      bool noAllocation = true;
      for (std::size_t c = 52; c <= 60; ++c) {
        if (auto ch = At(l, c)) noAllocation = noAllocation && (*ch == '0' || *ch == ' ');
      }
      if (t == 'T' && sign != '-' && date != 0 && noAllocation) {
        const auto threshold = Threshold(date);
        if (threshold && FieldValue(l, 32, 9) > 0 && FieldValue(l, 42, 10) > *threshold) {
          found.push_back(
              Entry(file, n, Rule::kAllocationNumber, 0, std::to_string(FieldValue(l, 42, 10))));
        }
      }
      if (t == 'K') pettyCash = AddAmounts(pettyCash, ReadDetailAmounts(l, false).vat);
      bool keyable = t != 'K' && l.size() >= 31 && AllDigitsText(l.substr(1, 30)) &&
                     l.substr(22, 9) != "000000000";
      if (keyable) keyed.push_back({file, n, l.substr(0, 31)});
    }
  }
  if (refund && static_cast<__int128>(pettyCash) * 100 > static_cast<__int128>(inputVat) * 5) {
    found.push_back(Entry(file, openingLine, Rule::kPettyCashShare, 216, ""));
  }
  if (openingLine > 0) {
    if (declaredSales != AmountFromWhole(sales))
      found.push_back(Entry(file, openingLine, Rule::kRecordCount, 0, "sales"));
    if (declaredInputs != AmountFromWhole(inputs))
      found.push_back(Entry(file, openingLine, Rule::kRecordCount, 0, "inputs"));
  }
  return found;
}

std::string Detail(const Finding& f) {
  switch (f.rule) {
    case Rule::kRecordLength:
      return std::to_string(f.value);
    case Rule::kAllocationNumber:
      return std::to_string(f.value);
    case Rule::kNegativeTotal:
    case Rule::kReportMonth:
    case Rule::kRecordCount:
      return f.found;
    case Rule::kRepeatedRecord:
      return f.firstPath + "@" + std::to_string(f.firstLine);
    default:
      return "";
  }
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "findings: %s\n", what.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::vector<std::string>> files(1);
  std::string line;
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) == 0xFF) {
      files.back().push_back(line);
      line.clear();
      if (files.size() == 3) break;
      files.emplace_back();
    } else if (c == '\r') {
      files.back().push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) files.back().push_back(line);

  // The engine, with every finding kept to be listed.
  RepeatFinder repeats;
  std::vector<std::vector<Finding>> engine;
  std::vector<FindingCounts> counts;
  std::vector<std::string> paths;
  Found plain;
  std::vector<Keyed> keyed;
  std::vector<std::string> issuers;
  for (std::size_t f = 0; f < files.size(); ++f) {
    LineChecker::Options options;
    options.repeats = &repeats;
    options.source = repeats.AddSource();
    options.listed = static_cast<std::size_t>(-1);
    LineChecker checker(options);
    EntryBuilder builder(false, "");
    for (std::size_t i = 0; i < files[f].size(); ++i) {
      const std::string& l = files[f][i];
      builder.Take(l);
      checker.Line(l, static_cast<std::int64_t>(l.size()), static_cast<std::int64_t>(i + 1));
    }
    FileEntry entry = builder.Entry();
    engine.push_back(checker.Finish(ReadCountsOf(entry)));
    counts.push_back(checker.Counts());
    paths.push_back(std::to_string(f));
    // A file without an opening record is its own issuer: longer than any dealer field.
    std::string issuer = "no opening record " + std::to_string(f);
    const Found found = PlainFindings(f, files[f], keyed, issuer);
    plain.insert(plain.end(), found.begin(), found.end());
    issuers.push_back(issuer);
  }
  // Repeats, plainly: the first place of each whole key, a sale's with its dealer.
  std::map<std::string, std::pair<std::size_t, std::int64_t>> first;
  for (const Keyed& k : keyed) {
    const std::string key = IsSale(k.key[0]) ? k.key + "/" + issuers[k.file] : k.key;
    const auto [at, added] = first.emplace(key, std::make_pair(k.file, k.line));
    if (!added) {
      plain.push_back(
          Entry(k.file, k.line, Rule::kRepeatedRecord, 0,
                std::to_string(at->second.first) + "@" + std::to_string(at->second.second)));
    }
  }

  const std::vector<RepeatFinder::Repeat> found = repeats.Find();
  Found engineFound;
  for (std::size_t f = 0; f < files.size(); ++f) {
    AddRepeats(found, static_cast<int>(f), paths, engine[f], counts[f]);
    if (counts[f].Total() != static_cast<std::int64_t>(engine[f].size()))
      Fail("counts and list differ");
    for (const Finding& finding : engine[f]) {
      engineFound.push_back(Entry(f, finding.line, finding.rule, finding.code, Detail(finding)));
    }
  }
  std::sort(plain.begin(), plain.end());
  std::sort(engineFound.begin(), engineFound.end());
  if (plain != engineFound) {
    std::string diff;
    for (const std::string& s : engineFound) {
      if (!std::binary_search(plain.begin(), plain.end(), s)) diff += "\n  engine only: " + s;
    }
    for (const std::string& s : plain) {
      if (!std::binary_search(engineFound.begin(), engineFound.end(), s))
        diff += "\n  plain only: " + s;
    }
    Fail("the findings differ from the plain reading" + diff);
  }
  return 0;
}
