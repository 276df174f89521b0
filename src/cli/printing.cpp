// Windows-1255 to UTF-8, and the printing of messages.
#include "cli/printing.h"

#include <cstdint>
#include <ostream>

#include "wording/refusal_text.h"

namespace pcn::cli {
namespace {

constexpr char16_t kNone = 0xFFFD;

// Code points of the bytes 0x80 to 0xFF.
constexpr char16_t kHighHalf[128] = {
    0x20AC, kNone,  0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, kNone,  0x2039, kNone,  kNone,  kNone,  kNone,   // 88
    kNone,  0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, kNone,  0x203A, kNone,  kNone,  kNone,  kNone,   // 98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x20AA, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x00D7, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x00B9, 0x00F7, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,  // B8
    0x05B0, 0x05B1, 0x05B2, 0x05B3, 0x05B4, 0x05B5, 0x05B6, 0x05B7,  // C0
    0x05B8, 0x05B9, 0x05BA, 0x05BB, 0x05BC, 0x05BD, 0x05BE, 0x05BF,  // C8
    0x05C0, 0x05C1, 0x05C2, 0x05C3, 0x05F0, 0x05F1, 0x05F2, 0x05F3,  // D0
    0x05F4, kNone,  kNone,  kNone,  kNone,  kNone,  kNone,  kNone,   // D8
    0x05D0, 0x05D1, 0x05D2, 0x05D3, 0x05D4, 0x05D5, 0x05D6, 0x05D7,  // E0
    0x05D8, 0x05D9, 0x05DA, 0x05DB, 0x05DC, 0x05DD, 0x05DE, 0x05DF,  // E8
    0x05E0, 0x05E1, 0x05E2, 0x05E3, 0x05E4, 0x05E5, 0x05E6, 0x05E7,  // F0
    0x05E8, 0x05E9, 0x05EA, kNone,  kNone,  0x200E, 0x200F, kNone,   // F8
};

void AppendUtf8(std::string& out, char16_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string Cp1255ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto byte = static_cast<std::uint8_t>(c);
    AppendUtf8(out, byte < 0x80 ? static_cast<char16_t>(byte) : kHighHalf[byte - 0x80]);
  }
  return out;
}

const char* RefusalReason(LoadRefusal refusal) {
  switch (refusal) {
    case LoadRefusal::kNone:
      return "accepted";
    case LoadRefusal::kAlreadyLoaded:
      return "the same file is loaded already";
    case LoadRefusal::kCannotOpen:
      return "the file cannot be opened, or it is empty";
    case LoadRefusal::kReadFailed:
      return "a line could not be read";
    case LoadRefusal::kMonthDiffers:
      return "the opening record's month differs from the loaded files' month";
    case LoadRefusal::kClosingDealerDiffers:
      return "the closing record's dealer number differs from the opening record's";
    case LoadRefusal::kTooFewRecords:
      return "fewer than two opening or closing records (no records)";
  }
  return "";
}

std::string RefusalReason(const LoadResult& loaded) {
  std::string reason;
  switch (loaded.refusal) {
    case LoadRefusal::kMonthDiffers:
      reason = "month ";
      reason += Cp1255ToUtf8(loaded.found);
      reason += ", expected ";
      reason += Cp1255ToUtf8(loaded.expected);
      return reason;
    case LoadRefusal::kClosingDealerDiffers:
      reason = "closing record's dealer \"";
      reason += Cp1255ToUtf8(loaded.found);
      reason += loaded.expected.empty()
                    ? "\" before any opening record"
                    : "\", opening record's \"" + Cp1255ToUtf8(loaded.expected) + "\"";
      return reason;
    case LoadRefusal::kAlreadyLoaded:
      if (!loaded.samePath.empty()) {
        reason = "the same bytes as ";
        reason += loaded.samePath;
        return reason;
      }
      break;
    default:
      break;
  }
  return RefusalReason(loaded.refusal);
}

void PrintRefusal(std::ostream& out, const std::string& path, const LoadResult& loaded) {
  out << "pcn874: " << path;
  if (loaded.line > 0) out << ':' << loaded.line;
  out << ": ";
  std::string message = MessageFor(loaded.refusal);
  message += " (";
  message += RefusalReason(loaded);
  message += ')';  // a copy's reason names the loaded file
  PrintMessage(out, message);
}

void PrintMessage(std::ostream& out, std::string_view message) {
  for (char c : message) out << (c == '\r' ? '\n' : c);
  out << '\n';
}

}  // namespace pcn::cli
