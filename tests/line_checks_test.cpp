// The checks before upload, one row per rule at its edges: the law's thresholds on the
// days they change, the last day of the month and the day after, the 5% share exactly and
// just above, the numbers that stand for no dealer, and the union record's totals.
#include "check/line_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/rules.h"
#include "report/checked_load.h"
#include "test_support.h"

namespace pcn {
namespace {

// A detail record of exactly 60 characters unless a column is given at another width.
struct Record {
  char type = 'T';
  std::string counterparty = "123456782";
  std::string date = "20260615";
  std::string group = "0000";
  std::string reference = "000000017";
  std::string vat = "000000850";
  std::string sign = "+";
  std::string amount = "0000005001";
  std::string allocation = "000000000";

  std::string Line() const {
    return type + counterparty + date + group + reference + vat + sign + amount + allocation;
  }
};

// One file's lines through a checker of its own, as a source of `repeats`; the checker is
// ready for Finish.
LineChecker CheckerAfter(const std::vector<std::string>& lines, RepeatFinder& repeats) {
  LineChecker::Options options;
  options.repeats = &repeats;
  options.source = repeats.AddSource();
  LineChecker checker(options);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    checker.Line(lines[i], static_cast<std::int64_t>(lines[i].size()),
                 static_cast<std::int64_t>(i + 1));
  }
  return checker;
}

// Every finding of one file's lines, repeats within it included, in line order, and their
// counts.
std::vector<Finding> Checked(const std::vector<std::string>& lines,
                             const FileEntry& entry = FileEntry{},
                             FindingCounts* counted = nullptr) {
  RepeatFinder repeats;
  LineChecker checker = CheckerAfter(lines, repeats);
  std::vector<Finding> findings = checker.Finish(ReadCountsOf(entry));
  FindingCounts counts = checker.Counts();
  AddRepeats(repeats.Find(), 0, {"f.txt"}, findings, counts);
  if (counted != nullptr) *counted = counts;
  return findings;
}

// The rule ids a file of an opening record of `month` and these records gives, in order.
std::vector<std::string> RulesFound(const std::vector<std::string>& details,
                                    const std::string& month = "06-2026") {
  test::Opening o;
  o.month = month.substr(0, 2);
  o.year = month.substr(3, 4);
  std::vector<std::string> lines{test::OpeningLine(o)};
  lines.insert(lines.end(), details.begin(), details.end());
  std::vector<std::string> ids;
  for (const Finding& finding : Checked(lines)) {
    ids.push_back(RowOf(finding.rule).id + std::string(":") + std::to_string(finding.line));
  }
  return ids;
}

Record With(void (*change)(Record&)) {
  Record r;
  change(r);
  return r;
}

TEST(LineChecks, OneRowPerRuleAtItsEdges) {
  using V = std::vector<std::string>;
  static const struct {
    Record record;
    V want;
    const char* why;
  } kCases[] = {
      {Record{}, {"allocation-number:2"}, "5,001 after 2026-06-01 without a number"},
      {With([](Record& r) { r.amount = "0000005000"; }), {}, "5,000 is not above 5,000"},
      {With([](Record& r) { r.allocation = "123456789"; }), {}, "an allocation number"},
      {With([](Record& r) { r.allocation = "         "; }),
       {"allocation-number:2"},
       "a blank allocation number"},
      {With([](Record& r) { r.allocation = ""; }),
       {"record-length:2", "allocation-number:2"},
       "a record without the allocation column"},
      {With([](Record& r) { r.sign = "-"; }), {}, "a credit note"},
      {With([](Record& r) { r.vat = "000000000"; }), {}, "no VAT"},
      {With([](Record& r) { r.type = 'C'; }), {}, "not an invoice of type T"},
      {With([](Record& r) {
         r.date = "20251231";
         r.amount = "0000015000";
       }),
       {},
       "15,000 on 2025-12-31: the threshold is 20,000"},
      {With([](Record& r) {
         r.date = "20260101";
         r.amount = "0000015000";
       }),
       {"allocation-number:2"},
       "15,000 on 2026-01-01: the threshold is 10,000"},
      {With([](Record& r) {
         r.date = "20240504";
         r.amount = "0099999999";
       }),
       {},
       "before 2024-05-05 no threshold"},
      {With([](Record& r) { r.date = "20260630"; }),
       {"allocation-number:2"},
       "the last day of the month"},
      {With([](Record& r) { r.date = "20260701"; }),
       {"invoice-date:2", "allocation-number:2"},
       "the day after the month"},
      {With([](Record& r) {
         r.date = "20260231";
         r.type = 'S';
       }),
       {"invoice-date:2"},
       "no such day"},
      {With([](Record& r) { r.counterparty = "000000000"; }),
       {"allocation-number:2"},
       "000000000 stands for no dealer"},
      {With([](Record& r) { r.counterparty = "999999999"; }),
       {"allocation-number:2"},
       "999999999 stands for no dealer"},
      {With([](Record& r) {
         r.counterparty = "123456789";
         r.type = 'S';
       }),
       {"counterparty-number:2"},
       "a wrong check digit"},
      {With([](Record& r) {
         r.counterparty = "12345678 ";
         r.type = 'S';
       }),
       {"counterparty-number:2"},
       "not nine digits"},
      {With([](Record& r) {
         r.sign = " ";
         r.type = 'S';
       }),
       {"sign:2"},
       "a blank sign"},
      {With([](Record& r) {
         r.reference = "00000001x";
         r.type = 'S';
       }),
       {"digits:2"},
       "a letter in the reference"},
      {With([](Record& r) {
         r.vat = "00000085 ";
         r.amount = "000000500 ";
         r.type = 'S';
       }),
       {"digits:2"},
       "two columns with blanks: one finding"},
      {With([](Record& r) {
         r.allocation = "12 456789";
         r.type = 'S';
       }),
       {"digits:2"},
       "a blank inside the allocation number"},
      {With([](Record& r) {
         r.allocation = "1234567890";
         r.type = 'S';
       }),
       {"record-length:2"},
       "61 characters"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(RulesFound({c.record.Line()}), c.want);
  }
}

TEST(LineChecks, RecordsAndOpeningRecords) {
  Record sale;
  sale.type = 'S';
  Record other = sale;
  other.reference = "000000018";
  Record noReference = sale;
  noReference.reference = "000000000";
  // The same first 31 columns again: counted twice; a reference of zeros is no invoice's.
  EXPECT_EQ(RulesFound({sale.Line(), other.Line(), sale.Line()}),
            (std::vector<std::string>{"repeated-record:4"}));
  EXPECT_EQ(RulesFound({noReference.Line(), noReference.Line()}), std::vector<std::string>{});
  // A date before the opening record is checked once the month is known.
  Record late = sale;
  late.date = "20260701";
  test::Opening o;
  o.month = "06";
  o.year = "2026";
  std::string opening = test::OpeningLine(o);
  opening[25] = '-';  // taxable sales
  opening[78] = '-';  // exempt sales
  std::vector<std::string> found;
  for (const Finding& f : Checked({late.Line(), opening})) {
    found.push_back(RowOf(f.rule).id + std::string(" ") + std::to_string(f.code) + ":" +
                    std::to_string(f.line));
  }
  EXPECT_EQ(found, (std::vector<std::string>{"invoice-date 0:1", "negative-total 101:2",
                                             "negative-total 105:2"}));
}

TEST(LineChecks, PettyCashShareOfARefund) {
  // Input VAT 1,000 in all, 50 of it petty cash: exactly 5% passes, 51 does not; only a
  // refund report (a "-" before the VAT to pay) is held to the rule.
  static const struct {
    std::int64_t pettyCash;
    bool refund;
    bool found;
  } kCases[] = {{50, true, false}, {51, true, true}, {51, false, false}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.pettyCash);
    std::string opening = test::OpeningLine(test::Opening{});
    opening[119] = c.refund ? '-' : '+';
    Record k;
    k.type = 'K';
    k.date = "20240315";
    k.vat = std::string(9 - std::to_string(c.pettyCash).size(), '0') + std::to_string(c.pettyCash);
    FileEntry entry;
    entry.inputRecordVat = 1000 * kAmountScale;
    const std::vector<Finding> findings = Checked({opening, k.Line()}, entry);
    EXPECT_EQ(
        !findings.empty() && findings[0].rule == Rule::kPettyCashShare && findings[0].code == 216,
        c.found);
  }
}

TEST(LineChecks, TheUnionRecordsTotals) {
  FileEntry c;
  c.taxableSales = -1;
  c.salesVat = 0;
  c.exemptSales = -kAmountScale;
  c.vatPayable = -1;
  c.inputRecordVat = 100 * kAmountScale;
  c.pettyCashVat = 6 * kAmountScale;
  std::vector<int> codes;
  for (const Finding& f : UnionRecordFindings(c)) codes.push_back(f.code);
  EXPECT_EQ(codes, (std::vector<int>{101, 105, 216}));
}

}  // namespace
}  // namespace pcn

namespace pcn {
namespace {

// Files read together as one merge reads them: "FILE:RULE:LINE" of every finding, repeats of
// an earlier file included. Each file's opening record is of `dealer`, declaring its counts.
struct FileLines {
  std::string dealer;
  std::vector<std::string> details;
};
std::vector<std::string> FoundTogether(const std::vector<FileLines>& files) {
  RepeatFinder repeats;
  std::vector<std::string> paths;
  std::vector<std::vector<Finding>> findings;
  std::vector<FindingCounts> counts;
  for (const FileLines& file : files) {
    test::Opening o;
    o.dealer = file.dealer;
    o.month = "06";
    o.year = "2026";
    FileEntry entry;
    for (const std::string& line : file.details) {
      (KindOfRecord(line) == RecordKind::kTransaction ? entry.salesRecordCount
                                                      : entry.inputRecordCount)++;
    }
    o.salesCount = entry.salesRecordCount;
    o.inputCount = entry.inputRecordCount;
    std::vector<std::string> lines{test::OpeningLine(o)};
    lines.insert(lines.end(), file.details.begin(), file.details.end());
    LineChecker checker = CheckerAfter(lines, repeats);
    findings.push_back(checker.Finish(ReadCountsOf(entry)));
    counts.push_back(checker.Counts());
    paths.push_back("f" + std::to_string(paths.size() + 1));
  }
  const std::vector<RepeatFinder::Repeat> found = repeats.Find();
  std::vector<std::string> ids;
  for (std::size_t i = 0; i < files.size(); ++i) {
    AddRepeats(found, static_cast<int>(i), paths, findings[i], counts[i]);
    for (const Finding& f : findings[i]) {
      ids.push_back(paths[i] + ":" + RowOf(f.rule).id + ":" + std::to_string(f.line));
    }
  }
  return ids;
}

Record Sale(const char* reference) {
  Record r;
  r.type = 'S';
  r.reference = reference;
  return r;
}

TEST(RepeatedRecords, AnInvoiceIsItsIssuerAndItsNumber) {
  using V = std::vector<std::string>;
  Record pettyCash = With([](Record& r) {
    r.type = 'K';
    r.counterparty = "000000000";
    r.date = "20260630";
    r.reference = "000000005";
  });
  Record pettyCash2 = pettyCash;
  pettyCash2.vat = "000000095";
  Record supplier;  // a T record: the supplier's invoice, deducted by whoever holds it
  supplier.allocation = "123456789";
  Record import = supplier;
  import.type = 'R';
  import.counterparty = "123456789";  // a customs entry's number: no check digit
  // Two valid T records that a 64-bit fingerprint once took for one invoice.
  const std::string colliding1 = "T100102441202406110000010006260000000850+0000004000000000000";
  const std::string colliding2 = "T100126606202406240000004108899000000850+0000004000000000000";
  static const struct {
    std::vector<FileLines> files;
    V want;
    const char* why;
  } kCases[] = {
      {{{"123456782", {pettyCash.Line()}}, {"000000018", {pettyCash2.Line()}}},
       {},
       "two dealers' month-end petty-cash lines"},
      {{{"123456782", {pettyCash.Line(), pettyCash.Line()}}}, {}, "petty cash never repeats"},
      {{{"123456782", {Sale("000001052").Line()}}, {"000000018", {Sale("000001052").Line()}}},
       {},
       "two members' own sale no. 1052 to one customer on one day"},
      {{{"123456782", {Sale("000001052").Line()}}, {"123456782", {Sale("000001052").Line()}}},
       {"f2:repeated-record:2"},
       "one dealer's sale in two files"},
      {{{"123456782", {supplier.Line()}}, {"000000018", {supplier.Line()}}},
       {"f2:repeated-record:2"},
       "two members deducting one supplier invoice"},
      {{{"123456782", {colliding1}}, {"000000018", {colliding2}}}, {}, "different keys, one hash"},
      {{{"123456782", {import.Line()}}}, {}, "an import entry number has no check digit"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(FoundTogether(c.files), c.want);
  }
}

TEST(LineChecks, RefusalsAndRepeatsAreNeverDroppedByTheListingCap) {
  // 1,001 short records before the opening record's blank sign and a repeat: the cap takes
  // only format findings.
  std::vector<std::string> lines(LineChecker::kListed + 1, Sale("000000001").Line().substr(0, 59));
  test::Opening o;
  o.month = "06";
  o.year = "2026";
  std::string opening = test::OpeningLine(o);
  opening[25] = ' ';  // the sign of taxable sales (101)
  lines.push_back(opening);
  lines.push_back(Sale("000000002").Line());
  lines.push_back(Sale("000000002").Line());
  FileEntry entry;
  entry.salesRecordCount = static_cast<std::int64_t>(lines.size()) - 1;
  FindingCounts counts;
  const std::vector<Finding> findings = Checked(lines, entry, &counts);
  std::vector<std::string> weighty;
  for (const Finding& f : findings) {
    if (SeverityOf(f) == Severity::kRefused || SeverityOf(f) == Severity::kDouble) {
      weighty.push_back(std::string(RowOf(f.rule).id) + ":" + std::to_string(f.line) + ":" +
                        f.found);
    }
  }
  // The short records' own repeats (1,000 of them) and the last line's.
  ASSERT_EQ(weighty.size(), 1u + 1000u + 1u);
  EXPECT_EQ(weighty[1000], "negative-total:1002: ");
  EXPECT_EQ(weighty.back(), "repeated-record:1004:");
  EXPECT_EQ(counts.Weighty(), 1002);
  // 1,001 lengths and the count the opening record declares (none).
  EXPECT_EQ(counts.bySeverity[static_cast<int>(Severity::kFormat)], 1001 + 1);
  EXPECT_EQ(findings.size() - weighty.size(), LineChecker::kListed);
}

TEST(LineChecks, OpeningAndClosingRecords) {
  using V = std::vector<std::string>;
  test::Opening o;
  o.month = "06";
  o.year = "2026";
  o.salesCount = 1;
  const std::string good = test::OpeningLine(o);
  static const struct {
    std::string opening;
    std::string closing;
    V want;
    const char* why;
  } kCases[] = {
      {good, "X123456782", {}, "as published"},
      {good.substr(0, 130), "X123456782", {"record-length:1:130/131"}, "an opening record short"},
      {good, "X1234567820", {"record-length:3:11/10"}, "a closing record long"},
      {std::string(good).replace(37, 1, " "), "X123456782", {"negative-total 102:1: "}, "blank"},
      {std::string(good).replace(47, 1, "-"), "X123456782", {"negative-total 103:1:-"}, "minus"},
      {std::string(good).replace(14, 2, "13"), "X123456782", {"report-month:1:13-2026"}, "13"},
      {std::string(good).replace(14, 2, "/6"), "X123456782", {"report-month:1:/6-2026"}, "/6"},
      {std::string(good).replace(69, 9, "000000002"),
       "X123456782",
       {"record-count:1:sales"},
       "two sales declared, one held"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    Record sale = Sale("000000001");
    sale.date = "20260601";
    FileEntry entry;
    entry.salesRecordCount = 1;
    V found;
    for (const Finding& f : Checked({c.opening, sale.Line(), c.closing}, entry)) {
      std::string id = RowOf(f.rule).id;
      if (f.code != 0) id += " " + std::to_string(f.code);
      id += ":" + std::to_string(f.line) + ":";
      id += f.rule == Rule::kRecordLength ? std::to_string(f.value) + "/" + std::to_string(f.limit)
                                          : f.found;
      found.push_back(id);
    }
    EXPECT_EQ(found, c.want);
  }
}

TEST(LineChecks, DatesOfAFileWhoseMonthIsNoMonthAreStillChecked) {
  test::Opening o;
  o.month = "13";
  Record early = Sale("000000001");
  early.date = "20240231";  // before the opening record, and no calendar day
  Record late = Sale("000000002");
  late.date = "20240230";
  std::vector<std::string> lines;
  for (const Finding& f : Checked({early.Line(), test::OpeningLine(o), late.Line()})) {
    lines.push_back(std::string(RowOf(f.rule).id) + ":" + std::to_string(f.line));
  }
  EXPECT_EQ(lines,
            (std::vector<std::string>{"invoice-date:1", "report-month:2", "invoice-date:3"}));
}

}  // namespace
}  // namespace pcn
