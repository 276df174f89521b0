// The merge record's page. Numbers and paths are set left to right inside the right-to-left
// page, so that a minus sign, a path's separators and a digest keep their order.
#include "merge_record/merge_record.h"

#include <iterator>

#include "check/finding.h"
#include "format/content_hash.h"
#include "format/record_format.h"
#include "format/sha256.h"
#include "pcn_version.h"
#include "platform/path_parts.h"
#include "text/captions.h"
#include "text/record_page.h"
#include "totals/five_percent_rule.h"

namespace pcn {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// The length of the valid UTF-8 character at the start of `text`, or 0 when there is none.
std::size_t Utf8Length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

// The window's captions for the totals, and the names of the weights of findings.
const char* TotalName(AdjustableTotal total) {
  switch (total) {
    case AdjustableTotal::kTaxableSales:
      return text::kFieldTaxableSales;
    case AdjustableTotal::kExemptSales:
      return text::kFieldExemptSales;
    case AdjustableTotal::kSalesVat:
      return text::kFieldSalesVat;
    case AdjustableTotal::kInputsVat:
      return text::kFieldInputsVat;
    case AdjustableTotal::kAssetInputsVat:
      return text::kFieldAssetInputsVat;
  }
  return "";
}

constexpr struct {
  Severity severity;
  const char* name;
} kSeverities[] = {
    {Severity::kRefused, text::page::kRefusedWeight},
    {Severity::kDouble, text::page::kDoubleWeight},
    {Severity::kDeduction, text::page::kDeductionWeight},
    {Severity::kFormat, text::page::kFormatWeight},
};

constexpr struct {
  TotalsPair pair;
  const char* name;
} kPairs[] = {
    {TotalsPair::kIncome, text::page::kIncomePair},
    {TotalsPair::kSalesVat, text::kFieldSalesVat},
    {TotalsPair::kInputsVat, text::kFieldInputsVat},
};

constexpr char kStyle[] =
    "@page{size:A4;margin:10mm}"
    "body{font-family:Arial,'David',sans-serif;font-size:9pt;margin:0;color:#000}"
    "h1{font-size:13pt;margin:0 0 2pt}"
    "h2{font-size:10pt;margin:9pt 0 3pt}"
    "p{margin:2pt 0}"
    "table{border-collapse:collapse;width:100%;font-size:7.5pt;page-break-inside:avoid}"
    "th,td{border:.5pt solid #777;padding:1pt 2pt;text-align:right;vertical-align:top}"
    "th{background:#e8e8e8}"
    "table.about{width:auto}table.about th{text-align:right;font-weight:normal}"
    "tfoot td{font-weight:bold;background:#f4f4f4}"
    ".n{direction:ltr;text-align:right;white-space:nowrap}"
    ".ltr{direction:ltr;text-align:left;overflow-wrap:anywhere}"
    ".hash{font-family:'Courier New',monospace;font-size:7pt;white-space:nowrap}"
    ".fail{color:#b00000;font-weight:bold}"
    "footer{margin-top:10pt;font-size:7.5pt;color:#444}";

std::string SignedWhole(std::int64_t value) {
  std::string text = value > 0 ? "+" : "";
  text += FormatWholeNumber(value);
  return text;
}

// Appends markup and cells to one string.
class Page {
 public:
  Page& Raw(std::string_view markup) {
    html_ += markup;
    return *this;
  }
  Page& Text(std::string_view text) {
    html_ += HtmlText(text);
    return *this;
  }
  // A cell: `kind` "" for text, "n" for a number, "ltr" for a path, "ltr hash" for a digest.
  Page& Cell(std::string_view text, std::string_view kind = "") {
    if (kind.empty()) {
      html_ += "<td>";
    } else {
      html_ += "<td class=\"";
      html_ += kind;
      html_ += "\">";
    }
    Text(text);
    html_ += "</td>";
    return *this;
  }
  Page& Number(std::string_view text) { return Cell(text, "n"); }
  Page& Head(std::string_view text, int columns = 1, int rows = 1) {
    html_ += "<th";
    if (columns > 1) {
      html_ += " colspan=\"";
      html_ += std::to_string(columns);
      html_ += '"';
    }
    if (rows > 1) {
      html_ += " rowspan=\"";
      html_ += std::to_string(rows);
      html_ += '"';
    }
    html_ += '>';
    Text(text);
    html_ += "</th>";
    return *this;
  }
  // A row of the two-column table about the merge.
  Page& About(std::string_view label, std::string_view value, std::string_view kind = "") {
    Raw("<tr>").Head(label).Cell(value, kind).Raw("</tr>\n");
    return *this;
  }
  std::string Take() { return std::move(html_); }

 private:
  std::string html_;
};

// The declared amounts of an entry, as the files' table shows them.
void AmountCells(Page& page, const FileEntry& e) {
  for (Amount amount :
       {e.taxableSales, e.exemptSales, e.salesVat, e.inputsVat, e.assetInputsVat, e.vatPayable}) {
    page.Number(FormatAmount(amount));
  }
}

// The records counted: what the closing or trailer record of the merged file adds up.
void CountCells(Page& page, const FileEntry& e) {
  page.Number(FormatWholeNumber(e.salesRecordCount)).Number(FormatWholeNumber(e.inputRecordCount));
}

void PairCells(Page& page, const FileEntry& e) {
  for (const auto& pair : kPairs) {
    const PairCheck check = CheckPair(e, pair.pair);
    page.Number(FormatAmount(check.declared)).Number(FormatAmount(check.summed));
    std::string p = check.p ? AmountDecimalText(*check.p) : std::string("—");
    if (check.p) p += '%';
    page.Number(p);
    if (check.passes) {
      page.Cell(text::page::kPasses);
    } else {
      page.Cell(text::page::kFails, "fail");
    }
  }
}

std::string Trimmed(std::string_view text) {
  return std::string(TrimBlanks(text));
}

// A row's number and its file's name.
void FileCells(Page& page, int slot, const FileEntry& e) {
  page.Raw("<tr>").Number(std::to_string(slot)).Cell(platform::FileNameOf(e.path), "ltr");
}

void Beginning(Page& page, std::string_view month) {
  page.Raw("<!DOCTYPE html>\n<html dir=\"rtl\" lang=\"he\">\n<head>\n<meta charset=\"utf-8\">\n")
      .Raw("<title>")
      .Text(text::page::kTitle)
      .Text(" ")
      .Text(month)
      .Raw("</title>\n<style>")
      .Raw(kStyle)
      .Raw("</style>\n</head>\n<body>\n<h1>")
      .Text(text::page::kTitle)
      .Raw("</h1>\n");
}

void AboutTheMerge(Page& page, const MergeRecord& record, const FileTable& table,
                   std::string_view month) {
  namespace t = text::page;
  const bool representative = record.kind == OutputKind::kRepresentative;
  page.Raw("<table class=\"about\">\n")
      .About(t::kDateTime, record.dateTime, "n")
      .About(t::kKind, representative ? t::kRepresentativeKind : t::kUnionKind)
      .About(representative ? t::kRepresentativeNumber : t::kDealerNumber, record.number, "n")
      .About(t::kReportMonth, month, "n")
      .About(t::kFileCount, std::to_string(table.FileCount()), "n")
      .About(t::kMergedFile, record.outputPath, "ltr")
      .About(t::kMergedSize, FormatWholeNumber(record.outputSize), "n")
      .About(t::kMergedSha, record.outputSha256, "ltr hash")
      .Raw("</table>\n");
}

// What each file declared and holds, and the merged file's row below them.
void FilesTable(Page& page, const MergeRecord& record, const FileTable& table,
                std::string_view month) {
  namespace t = text::page;
  page.Raw("<h2>").Text(t::kFilesHeading).Raw("</h2>\n<table>\n<thead><tr>");
  for (const char* title :
       {"#", t::kFile, t::kDealerNumber, t::kMonth, t::kSize, text::kFieldTaxableSales,
        text::kFieldExemptSales, text::kFieldSalesVat, text::kFieldInputsVat,
        text::kFieldAssetInputsVat, text::kFieldVatPayable, t::kSalesRecords, t::kInputRecords,
        t::kFindings}) {
    page.Head(title);
  }
  page.Raw("</tr></thead>\n<tbody>\n");
  for (int slot = 1; slot <= table.FileCount(); ++slot) {
    const FileEntry& e = table.File(slot);
    FileCells(page, slot, e);
    page.Number(Trimmed(e.dealerNumber)).Number(Trimmed(e.reportMonth));
    page.Number(FormatWholeNumber(e.size));
    AmountCells(page, e);
    CountCells(page, e);
    page.Number(FormatWholeNumber(e.findingCounts.Total())).Raw("</tr>\n");
  }
  std::int64_t findingTotal = 0;
  for (std::int64_t count : record.findings.bySeverity) findingTotal += count;
  page.Raw("</tbody>\n<tfoot><tr>").Cell("").Cell(t::kMergedFile);
  page.Number(record.number).Number(month).Number(FormatWholeNumber(record.outputSize));
  AmountCells(page, table.Combined());
  CountCells(page, table.Combined());
  page.Number(FormatWholeNumber(findingTotal)).Raw("</tr></tfoot>\n</table>\n");
  if (!record.adjustments.empty()) page.Raw("<p>").Text(t::kAdjustedBelow).Raw("</p>\n");
}

void FivePercentTable(Page& page, const FileTable& table) {
  namespace t = text::page;
  page.Raw("<h2>").Text(t::kFivePercentHeading).Raw("</h2>\n<table>\n<thead><tr>");
  page.Head("#", 1, 2).Head(t::kFile, 1, 2);
  for (const auto& pair : kPairs) page.Head(pair.name, 4);
  page.Raw("</tr>\n<tr>");
  for (std::size_t i = 0; i < std::size(kPairs); ++i) {
    page.Head(t::kDeclared).Head(t::kRecords).Head(t::kDifference).Head(t::kVerdict);
  }
  page.Raw("</tr></thead>\n<tbody>\n");
  for (int slot = 1; slot <= table.FileCount(); ++slot) {
    FileCells(page, slot, table.File(slot));
    PairCells(page, table.File(slot));
    page.Raw("</tr>\n");
  }
  page.Raw("</tbody>\n<tfoot><tr>").Cell("").Cell(t::kMergedFile);
  PairCells(page, table.Combined());
  page.Raw("</tr></tfoot>\n</table>\n");
}

void DigestsTable(Page& page, const MergeRecord& record, const FileTable& table) {
  page.Raw("<h2>").Text(text::page::kDigestsHeading).Raw("</h2>\n<table>\n<thead><tr>");
  page.Head("#").Head(text::page::kPath).Head("SHA-256").Raw("</tr></thead>\n<tbody>\n");
  for (int slot = 1; slot <= table.FileCount(); ++slot) {
    const auto index = static_cast<std::size_t>(slot);
    const std::string_view sha = index <= record.sourceSha256.size()
                                     ? std::string_view(record.sourceSha256[index - 1])
                                     : std::string_view();
    const std::string& path =
        index <= record.sourcePaths.size() ? record.sourcePaths[index - 1] : table.File(slot).path;
    page.Raw("<tr>").Number(std::to_string(slot)).Cell(path, "ltr");
    page.Cell(sha, "ltr hash").Raw("</tr>\n");
  }
  page.Raw("</tbody>\n</table>\n");
}

void AdjustmentsTable(Page& page, const std::vector<RecordedAdjustment>& adjustments) {
  namespace t = text::page;
  page.Raw("<h2>").Text(t::kAdjustmentsHeading).Raw("</h2>\n");
  if (adjustments.empty()) {
    page.Raw("<p>").Text(t::kNoAdjustments).Raw("</p>\n");
    return;
  }
  page.Raw("<table>\n<thead><tr>");
  page.Head(t::kTotal).Head(t::kStep).Head(t::kBefore).Head(t::kAfter);
  page.Raw("</tr></thead>\n<tbody>\n");
  for (const RecordedAdjustment& a : adjustments) {
    page.Raw("<tr>").Cell(TotalName(a.total)).Number(SignedWhole(a.delta));
    page.Number(FormatAmount(a.before)).Number(FormatAmount(a.after)).Raw("</tr>\n");
  }
  page.Raw("</tbody>\n</table>\n");
}

void FindingsTable(Page& page, const FindingsSummary& findings) {
  page.Raw("<h2>").Text(text::page::kFindingsHeading).Raw("</h2>\n<table class=\"about\">\n");
  for (const auto& severity : kSeverities) {
    page.About(severity.name,
               FormatWholeNumber(findings.bySeverity[static_cast<int>(severity.severity)]), "n");
  }
  if (findings.unlisted > 0) {
    page.About(text::page::kUnlisted, FormatWholeNumber(findings.unlisted), "n");
  }
  page.Raw("</table>\n");
}

void Ending(Page& page) {
  page.Raw("<footer>")
      .Text(text::page::kMadeBy)
      .Raw("<bdi dir=\"ltr\">")
      .Text(PCN_VERSION)
      .Raw("</bdi>.</footer>\n</body>\n</html>\n");
}

}  // namespace

std::string HtmlText(std::string_view text) {
  std::string html;
  html.reserve(text.size());
  while (!text.empty()) {
    const char c = text.front();
    std::size_t length = 1;
    if (c == '&') {
      html += "&amp;";
    } else if (c == '<') {
      html += "&lt;";
    } else if (c == '>') {
      html += "&gt;";
    } else if (c == '"') {
      html += "&quot;";
    } else if (c == '\'') {
      html += "&#39;";
    } else if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
      html += kReplacement;  // a control character is no text of a path or a field
    } else if ((length = Utf8Length(text)) == 0) {
      html += kReplacement;
      length = 1;
    } else {
      html.append(text.data(), length);
    }
    text.remove_prefix(length);
  }
  return html;
}

std::string MergeRecordPage(const MergeRecord& record, const FileTable& table) {
  const std::string month = LoadedMonth(table);
  Page page;
  Beginning(page, month);
  AboutTheMerge(page, record, table, month);
  FilesTable(page, record, table, month);
  FivePercentTable(page, table);
  DigestsTable(page, record, table);
  AdjustmentsTable(page, record.adjustments);
  FindingsTable(page, record.findings);
  Ending(page);
  return page.Take();
}

std::optional<std::vector<std::string>> DigestsOfMergedFiles(const FileTable& table,
                                                             std::string& failedPath,
                                                             bool& changed) {
  std::vector<std::string> digests;
  for (int slot = 1; slot <= table.FileCount(); ++slot) {
    const FileEntry& source = table.File(slot);
    ContentHash bytes;
    std::optional<std::string> sha = Sha256OfFile(source.path, &bytes);
    changed = sha && (bytes.Size() != source.size || bytes.Value() != source.contentHash);
    if (!sha || changed) {
      failedPath = source.path;
      return std::nullopt;
    }
    digests.push_back(std::move(*sha));
  }
  return digests;
}

}  // namespace pcn
