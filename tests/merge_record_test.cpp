// The merge record's page: what each row shows, and text that could break the page or its
// encoding made harmless.
#include "merge_record/merge_record.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "format/sha256.h"
#include "pcn_version.h"
#include "report/load_file.h"
#include "test_support.h"

namespace pcn {
namespace {

constexpr Amount kUnit = kAmountScale;

// A file whose records add up to what it declares.
FileEntry Entry(const std::string& path, const std::string& dealer, Amount taxable, Amount vat) {
  FileEntry e;
  e.path = path;
  e.dealerNumber = dealer;
  e.reportMonth = "03-2024 ";
  e.size = 1234;
  e.taxableSales = e.salesRecordAmount = taxable * kUnit;
  e.salesVat = e.salesRecordVat = vat * kUnit;
  e.inputsVat = e.inputRecordVat = 40 * kUnit;
  e.vatPayable = (vat - 40) * kUnit;
  return e;
}

struct Inputs {
  MergeRecord record;
  FileEntry first = Entry("/data/north.txt", "123456782", 104776, 17807);
  FileEntry second = Entry("/data/south.txt", "513987651", 44636, 7586);
};

struct Case {
  const char* what;
  std::function<void(Inputs&)> change;
  std::vector<std::string> shown;
  std::vector<std::string> notShown;
};

const std::string kShaA(64, 'a'), kShaB(64, 'b');

const Case kCases[] = {
    {"the files, their combined totals and each file's digest beside its path",
     [](Inputs&) {},
     {"<html dir=\"rtl\" lang=\"he\">", "@page{size:A4", "קובץ איחוד עוסקים",
      "<td class=\"ltr\">north.txt</td><td class=\"n\">123456782</td><td class=\"n\">03-2024</td>",
      "<td class=\"n\">104,776</td>", "<td class=\"n\">149,412</td>",
      "<td class=\"ltr\">/data/south.txt</td><td class=\"ltr hash\">" + kShaB + "</td>",
      "לא נעשו התאמות", std::string(">") + PCN_VERSION + "<"},
     {"class=\"fail\"", "חורג", "ממצאים נוספים"}},
    {"each file's records counted, and the merged file's sum of them",
     [](Inputs& in) {
       in.first.salesRecordCount = 12;
       in.first.inputRecordCount = 7;
       in.second.salesRecordCount = 1009;
       in.second.inputRecordCount = 5;
     },
     {"<td class=\"n\">12</td><td class=\"n\">7</td>",
      "<td class=\"n\">1,021</td><td class=\"n\">12</td>"},
     {}},
    {"a path's markup is escaped",
     [](Inputs& in) { in.first.path = "/d/<b>&\"x'.txt"; },
     {"/d/&lt;b&gt;&amp;&quot;x&#39;.txt"},
     {"<b>"}},
    {"a path that is not UTF-8 stays valid UTF-8; Hebrew passes",
     [](Inputs& in) { in.first.path = "/תיק/\xE9\xF9.txt"; },
     {"/תיק/\xEF\xBF\xBD\xEF\xBF\xBD.txt"},
     {"\xE9\xF9"}},
    {"a file whose declared income is off by more than 5% is marked",
     [](Inputs& in) { in.second.salesRecordAmount = 40000 * kUnit; },
     {"<td class=\"n\">44,636</td><td class=\"n\">40,000</td><td class=\"n\">-11.59%</td>"
      "<td class=\"fail\">חורג</td>"},
     {}},
    {"a pair that cannot be measured shows no percentage",
     [](Inputs& in) { in.second.salesRecordVat = 0; },
     {"<td class=\"n\">7,586</td><td class=\"n\">0</td><td class=\"n\">—</td>"
      "<td class=\"fail\">חורג</td>"},
     {}},
    {"each adjustment with its step, the total before and after",
     [](Inputs& in) {
       in.record.adjustments = {{AdjustableTotal::kSalesVat, -1, 25393 * kUnit, 25392 * kUnit}};
     },
     {"<td>מע&quot;מ עיסקאות</td><td class=\"n\">-1</td><td class=\"n\">25,393</td>"
      "<td class=\"n\">25,392</td>",
      "הסכומים אחרי ההתאמות"},
     {"לא נעשו התאמות"}},
    {"findings by weight, every one counted, and how many of them are not listed",
     [](Inputs& in) {
       in.record.findings.bySeverity[static_cast<int>(Severity::kDeduction)] = 1234;
       in.record.findings.unlisted = 7;
     },
     {"<th>ניכוי מע&quot;מ בסיכון</th><td class=\"n\">1,234</td>",
      "<th>מהם לא פורטו ברשימת הממצאים</th><td class=\"n\">7</td>",
      "<td class=\"n\">1,234</td></tr>"},
     {}},
    {"a representative's file and its number",
     [](Inputs& in) {
       in.record.kind = OutputKind::kRepresentative;
       in.record.number = "000000018";
     },
     {"איחוד קבצים למייצג", "<th>מספר מייצג</th><td class=\"n\">000000018</td>"},
     {"קובץ איחוד עוסקים"}},
};

TEST(MergeRecord, PageShowsWhatWasMerged) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    Inputs in;
    in.record.dateTime = "15/04/2024 10:30";
    in.record.outputPath = "/data/Pcn874-03-2024.txt";
    in.record.outputSize = 2191;
    in.record.outputSha256 = std::string(64, 'c');
    in.record.number = "123456782";
    in.record.sourceSha256 = {kShaA, kShaB};
    c.change(in);
    FileTable table;
    AddEntry(table, in.first);
    AddEntry(table, in.second);
    const std::string page = MergeRecordPage(in.record, table);
    for (const std::string& text : c.shown) {
      EXPECT_NE(page.find(text), std::string::npos) << text << "\n" << page;
    }
    for (const std::string& text : c.notShown) {
      EXPECT_EQ(page.find(text), std::string::npos) << text;
    }
  }
}

TEST(MergeRecord, HtmlTextKeepsValidUtf8Only) {
  const std::string r = "\xEF\xBF\xBD";  // U+FFFD
  const struct {
    std::string in, out;
  } kTexts[] = {
      {"a<b>&\"'", "a&lt;b&gt;&amp;&quot;&#39;"},
      {"עוסק\t\xF0\x9F\x98\x80", "עוסק\t\xF0\x9F\x98\x80"},  // two, and four bytes
      {"\x01x", r + "x"},                                    // a control character
      {"\xC0\xAF", r + r},                                   // overlong '/'
      {"\xE0\x80\xAF", r + r + r},                           // overlong, three bytes
      {"\xED\xA0\x80", r + r + r},                           // a surrogate
      {"\xF4\x90\x80\x80", r + r + r + r},                   // beyond U+10FFFF
      {"x\xE2\x82", "x" + r + r},                            // cut short at the end
      {"\xD7\x90<", "\xD7\x90&lt;"},
  };
  for (const auto& t : kTexts) EXPECT_EQ(HtmlText(t.in), t.out) << t.in;
}

// regression: a source appended to after the merge was recorded with its new digest
TEST(MergeRecord, DigestsAreOfTheBytesMergedOrNone) {
  test::TempDir dir;
  const std::string report = test::CrLf({test::OpeningLine(test::Opening{}), test::ClosingLine()});
  static const struct {
    std::string bytes;
    std::string appended;  // after the file was read
    bool changed;
    const char* why;
  } kDigestCases[] = {
      {report, "", false, "as merged"},
      {report, "A\r\n", true, "appended to"},
      // The bytes after a Ctrl-Z are no line, but they are the file's all the same.
      {report + "\x1A" + std::string(300000, 'z'), "", false, "a long tail after a Ctrl-Z"},
  };
  for (const auto& c : kDigestCases) {
    SCOPED_TRACE(c.why);
    const std::string path = dir.File("a.txt");
    test::WriteFile(path, c.bytes);
    LoadResult loaded = LoadSourceFile(path, false, "");
    ASSERT_EQ(loaded.refusal, LoadRefusal::kNone);
    FileTable table;
    AddEntry(table, loaded.entry);
    test::WriteFile(path, c.bytes + c.appended);
    std::string failed;
    bool changed = false;
    const auto digests = DigestsOfMergedFiles(table, failed, changed);
    EXPECT_EQ(!digests, c.changed);
    EXPECT_EQ(changed, c.changed);
    if (digests) {
      EXPECT_EQ(*digests, std::vector<std::string>{*Sha256OfFile(path)});
    } else {
      EXPECT_EQ(failed, path);
    }
  }
}

}  // namespace
}  // namespace pcn
