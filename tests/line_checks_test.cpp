// The checks before upload, one row per rule at its edges: the law's thresholds on the
// days they change, the last day of the month and the day after, the 5% share exactly and
// just above, the numbers that stand for no dealer, and the union record's totals.
#include "check/line_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/rules.h"
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

// Every finding of one file's lines, repeats within it included, in line order.
std::vector<Finding> Checked(const std::vector<std::string>& lines,
                             const FileEntry& entry = FileEntry{}) {
  RepeatFinder repeats;
  LineChecker::Options options;
  options.repeats = &repeats;
  options.source = repeats.AddSource();
  LineChecker checker(options);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    checker.Line(lines[i], static_cast<std::int64_t>(lines[i].size()),
                 static_cast<std::int64_t>(i + 1));
  }
  std::vector<Finding> findings = checker.Finish(entry);
  FindingCounts counts = checker.Counts();
  AddRepeats(repeats.Find(), 0, {"f.txt"}, findings, counts);
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
