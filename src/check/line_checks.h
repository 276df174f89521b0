// The checks of one source's lines as the engine reads them, and of the union record a merge
// would write: each finding with its line, by the rules of check/rules.h. Repeated invoices
// are told once every source is read (RepeatFinder), the rest as each line is read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "check/finding.h"
#include "check/invoice_key.h"
#include "check/repeat_finder.h"
#include "format/amount.h"
#include "format/line_reader.h"

namespace pcn {

// What the file gave once read, which the file-wide rules hold the records to.
struct ReadCounts {
  std::int64_t salesRecords = 0;
  std::int64_t inputRecords = 0;
  Amount inputVat = 0;  // of all its input records
};

class LineChecker : public LineObserver {
 public:
  // Of the format and deduction findings of a file, this many are kept to be listed by
  // default; the rest are only counted, so that a file that breaks a rule on every line
  // costs no more than this. Refusals and repeats are always kept.
  static constexpr std::size_t kListed = 1000;

  struct Options {
    RepeatFinder* repeats = nullptr;  // takes the records' keys as those of `source`
    int source = 0;
    std::vector<KeyedRecord>* keys = nullptr;  // takes them too, to be counted again later
    std::size_t listed = kListed;
  };
  explicit LineChecker(Options options) : options_(options) {}

  void Line(std::string_view head, std::int64_t length, std::int64_t number) override;

  // After the last line, with what the file gave: the findings kept, in line order.
  std::vector<Finding> Finish(const ReadCounts& read);
  // Every finding, kept or not, by weight; and those of them on opening and closing records,
  // which a union file does not carry. Valid after Finish.
  const FindingCounts& Counts() const { return counts_; }
  const FindingCounts& OpeningAndClosingCounts() const { return headerCounts_; }
  // The VAT of the file's petty-cash (K) records, which the union record's check adds up.
  Amount PettyCashVat() const { return pettyCashVat_; }

 private:
  void Detail(std::string_view line, std::int64_t length, std::int64_t number);
  void Opening(std::string_view line, std::int64_t length, std::int64_t number);
  void Closing(std::int64_t length, std::int64_t number);
  Finding& Add(std::int64_t line, Rule rule, int code = 0, bool header = false);
  void CheckDate(std::int64_t line, int date);

  Options options_;
  std::vector<Finding> findings_;
  std::size_t listedLight_ = 0;  // format and deduction findings kept
  Finding dropped_;              // what Add hands back for a finding not kept
  FindingCounts counts_;
  FindingCounts headerCounts_;
  bool monthRead_ = false;  // an opening record was read: dates are held back no longer
  int lastDay_ = 0;         // of the reporting month, YYYYMMDD; 0 when it is no real month
  // Invoice dates read before the first opening record, checked once the month is known.
  std::vector<std::pair<std::int64_t, int>> earlyDates_;
  bool refund_ = false;
  std::int64_t openingLine_ = 0;
  Amount declaredSales_ = 0;  // the record counts the opening record declares
  Amount declaredInputs_ = 0;
  Amount pettyCashVat_ = 0;
};

// Adds the repeats of source `source` among `repeats` to its findings and counts, in line
// order; `paths` names the sources, for where each invoice was seen first.
void AddRepeats(const std::vector<RepeatFinder::Repeat>& repeats, int source,
                const std::vector<std::string>& paths, std::vector<Finding>& findings,
                FindingCounts& counts);

// True for a finding on a source's opening or closing record, which a union file replaces.
bool OnOpeningOrClosing(const Finding& finding);

// "FILE:LINE: RULE[ CODE]: message", the message in Hebrew and then in English.
std::string FindingText(std::string_view file, const Finding& finding);
// The message alone, with the figures it names.
std::string FindingMessage(const Finding& finding);

}  // namespace pcn
