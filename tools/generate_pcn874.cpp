// Writes a realistic PCN874 source file for benchmarks and tests: an opening record whose
// declared totals and counts agree with the detail records, 60-character detail records of
// every transaction and input type with both signs, some lines cut short the way old
// programs write them, and a closing record, each ended by CR LF. The same seed and options
// always give the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "format/dealer_number.h"
#include "format/record_format.h"

namespace {

constexpr char kUsage[] =
    "usage: generate_pcn874 [options] [--out FILE]\n"
    "  --seed N          random seed (default 1)\n"
    "  --records N       number of detail records (default 1000)\n"
    "  --bytes N         instead of --records: about N bytes of file\n"
    "  --dealer NNNNNNNNN  dealer number of the opening and closing records\n"
    "  --month MM-YYYY   reporting month (default 03-2024)\n"
    "  --short PERMILLE  detail records cut short, per thousand (default 5)\n"
    "  --odd PERMILLE    lines of no record type (blank, lower-case, A/Z), per thousand\n"
    "                    (default 0)\n"
    "  --ctrl-z          end the data with a Ctrl-Z byte\n"
    "  --out FILE        write to FILE instead of standard output\n";

// splitmix64: tiny, fast, and the same sequence on every platform and library.
struct Random {
  std::uint64_t state;
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [low, high].
  std::int64_t Between(std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }
  bool PerThousand(std::int64_t rate) { return Between(0, 999) < rate; }
};

void PutDigits(std::string& out, std::uint64_t value, int width) {
  char digits[24];
  for (int i = width - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  out.append(digits, static_cast<std::size_t>(width));
}

// The value of a run of digits, as the loader will read it from a cut field.
std::int64_t DigitsValue(std::string_view digits) {
  std::int64_t value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

struct Options {
  std::uint64_t seed = 1;
  std::int64_t records = 1000;
  std::int64_t bytes = 0;
  std::string dealer = "123456782";
  std::string month = "03-2024";
  std::int64_t shortRate = 5;
  std::int64_t oddRate = 0;
  bool ctrlZ = false;
  std::string out;
};

struct Totals {
  std::int64_t taxableSales = 0, exemptSales = 0, salesVat = 0;
  std::int64_t inputsVat = 0, assetInputsVat = 0;
  std::int64_t salesCount = 0, inputCount = 0;
};

bool ParseNumber(const char* text, std::int64_t& value) {
  char* end = nullptr;
  value = std::strtoll(text, &end, 10);
  return end != text && *end == '\0' && value >= 0;
}

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view name = argv[i];
    if (name == "--ctrl-z") {
      o.ctrlZ = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    std::int64_t number = 0;
    if (name == "--dealer") {
      o.dealer = value;
      if (o.dealer.size() != 9) return false;
    } else if (name == "--month") {
      o.month = value;
      if (o.month.size() != 7 || o.month[2] != '-') return false;
    } else if (name == "--out") {
      o.out = value;
    } else if (!ParseNumber(value, number)) {
      return false;
    } else if (name == "--seed") {
      o.seed = static_cast<std::uint64_t>(number);
    } else if (name == "--records") {
      o.records = number;
    } else if (name == "--bytes") {
      o.bytes = number;
    } else if (name == "--short") {
      o.shortRate = number;
    } else if (name == "--odd") {
      o.oddRate = number;
    } else {
      return false;
    }
  }
  return true;
}

// The detail records are written first into the body (the opening record needs their
// totals), in pieces, and only their totals are kept.
class Generator {
 public:
  Generator(const Options& o, std::FILE* body) : o_(o), body_(body), random_{o.seed} {
    // Per-record amounts shrink with the record count so that the totals of four such
    // files still fit the 9-digit VAT field of a merged opening record.
    const std::int64_t transactions = o.records > 0 ? o.records : 1;
    maxAmount_ = 2'000'000'000 / transactions;
    if (maxAmount_ > 50'000) maxAmount_ = 50'000;
    if (maxAmount_ < 20) maxAmount_ = 20;
    // Some dealers buy more than they sell and are owed VAT: a negative VAT to pay.
    inputShare_ = random_.Between(200, 600);
  }

  void Run() {
    std::string line;
    line.reserve(128);
    for (std::int64_t n = 0; n < o_.records; ++n) {
      if (o_.oddRate > 0 && random_.PerThousand(o_.oddRate)) OddLine();
      line.clear();
      DetailRecord(line);
      line += "\r\n";
      Put(line);
    }
  }

  const Totals& totals() const { return totals_; }

 private:
  void Put(std::string_view bytes) { std::fwrite(bytes.data(), 1, bytes.size(), body_); }

  void OddLine() {
    static const char* const kOdd[] = {"\r\n", "o123456782\r\n", "A123456782\r\n", "Z000000001\r\n",
                                       "  \r\n"};
    Put(kOdd[random_.Between(0, 4)]);
  }

  // Eight digits and the check digit that makes them a valid dealer number.
  static std::string Counterparty(std::int64_t eight) {
    std::string number;
    PutDigits(number, static_cast<std::uint64_t>(eight), 8);
    for (char check = '0'; check <= '9'; ++check) {
      if (pcn::DealerNumberCheck(number + check) == 0) return number + check;
    }
    return number + '0';
  }

  void DetailRecord(std::string& line) {
    static constexpr char kTransactionTypes[] = "SSSSSSSSSSSSSSSSLLLMMYI";
    static constexpr char kInputTypes[] = "TTTTTTTTTTTTTTTTTCKRPH";
    const bool input = random_.Between(0, 999) < inputShare_;
    const char type = input ? kInputTypes[random_.Between(0, sizeof kInputTypes - 2)]
                            : kTransactionTypes[random_.Between(0, sizeof kTransactionTypes - 2)];
    const bool exempt = !input && random_.PerThousand(40);  // exempt sales carry no VAT
    const bool asset = input && random_.PerThousand(60);    // inputs for fixed assets
    const bool negative = random_.PerThousand(30);          // credit notes
    const std::int64_t amount = random_.Between(1, maxAmount_);
    const std::int64_t vat = exempt ? 0 : (amount * 17 + 50) / 100;

    line += type;
    line += Counterparty(random_.Between(1'000'000, 99'999'999));
    line += o_.month.substr(3, 4);
    line += o_.month.substr(0, 2);
    PutDigits(line, static_cast<std::uint64_t>(random_.Between(1, 28)), 2);
    line += "0000";  // reference group
    PutDigits(line, static_cast<std::uint64_t>(random_.Between(1, 999'999'999)), 9);
    PutDigits(line, static_cast<std::uint64_t>(vat), 9);
    line += negative ? '-' : '+';
    PutDigits(line, static_cast<std::uint64_t>(amount), 10);
    line += "000000000";  // filler

    // Lines cut after the amount, after the sign, before the sign, or inside the VAT.
    if (o_.shortRate > 0 && random_.PerThousand(o_.shortRate)) {
      static constexpr std::size_t kCuts[] = {51, 41, 40, 35};
      line.resize(kCuts[random_.Between(0, 3)]);
    }
    const std::string_view text = line;
    const bool minus = text.size() >= 41 && text[40] == '-';
    const std::int64_t sign = minus ? -1 : 1;
    const std::int64_t readVat = sign * DigitsValue(text.substr(31, 9));
    const std::int64_t readAmount = text.size() > 41 ? sign * DigitsValue(text.substr(41, 10)) : 0;
    if (input) {
      ++totals_.inputCount;
      (asset ? totals_.assetInputsVat : totals_.inputsVat) += readVat;
    } else {
      ++totals_.salesCount;
      (exempt ? totals_.exemptSales : totals_.taxableSales) += readAmount;
      totals_.salesVat += readVat;
    }
  }

  const Options& o_;
  std::FILE* body_;
  Random random_;
  std::int64_t maxAmount_ = 0;
  std::int64_t inputShare_ = 0;  // per thousand detail records
  Totals totals_;
};

bool Fits(std::int64_t value, int width) {
  return pcn::SignedAmountFits(pcn::AmountFromWhole(value), width);
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, o)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  // A detail record with its line end is 62 bytes; the opening and closing records 145.
  if (o.bytes > 0) o.records = o.bytes > 145 ? (o.bytes - 145) / 62 : 0;

  // The body goes to a temporary file first: its totals head the file.
  std::FILE* body = std::tmpfile();
  if (body == nullptr) {
    std::perror("generate_pcn874: temporary file");
    return 1;
  }
  static char bodyBuffer[1 << 20];
  std::setvbuf(body, bodyBuffer, _IOFBF, sizeof bodyBuffer);
  Generator generator(o, body);
  generator.Run();
  const Totals& t = generator.totals();

  pcn::OpeningRecordValues v;
  v.number = o.dealer;
  v.month = o.month;
  v.headerCode = "1";
  v.date = o.month.substr(3, 4) + o.month.substr(0, 2) + "15";
  v.taxableSales = pcn::AmountFromWhole(t.taxableSales);
  v.salesVat = pcn::AmountFromWhole(t.salesVat);
  v.salesRecordCount = t.salesCount;
  v.exemptSales = pcn::AmountFromWhole(t.exemptSales);
  v.inputsVat = pcn::AmountFromWhole(t.inputsVat);
  v.assetInputsVat = pcn::AmountFromWhole(t.assetInputsVat);
  v.inputRecordCount = t.inputCount;
  const std::int64_t vatPayable = t.salesVat - t.inputsVat - t.assetInputsVat;
  v.vatPayable = pcn::AmountFromWhole(vatPayable);
  if (!Fits(t.taxableSales, 12) || !Fits(t.exemptSales, 12) || !Fits(t.salesVat, 10) ||
      !Fits(t.inputsVat, 10) || !Fits(t.assetInputsVat, 10) || !Fits(vatPayable, 12) ||
      !pcn::CountFits(t.salesCount) || !pcn::CountFits(t.inputCount)) {
    std::fputs("generate_pcn874: the totals do not fit the opening record; fewer records\n",
               stderr);
    return 1;
  }

  std::FILE* out = o.out.empty() ? stdout : std::fopen(o.out.c_str(), "wb");
  if (out == nullptr) {
    std::perror(o.out.c_str());
    return 1;
  }
  static char outBuffer[1 << 20];
  std::setvbuf(out, outBuffer, _IOFBF, sizeof outBuffer);
  const std::string opening = pcn::OpeningRecordText(v) + "\r\n";
  std::fwrite(opening.data(), 1, opening.size(), out);
  std::rewind(body);
  std::vector<char> chunk(1 << 20);
  for (;;) {
    const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), body);
    if (got == 0) break;
    std::fwrite(chunk.data(), 1, got, out);
  }
  const bool bodyFailed = std::ferror(body) != 0;
  std::fclose(body);
  const std::string closing = pcn::ClosingRecordText(o.dealer) + "\r\n";
  std::fwrite(closing.data(), 1, closing.size(), out);
  if (o.ctrlZ) std::fputc(26, out);
  const bool failed = bodyFailed || std::fflush(out) != 0 || std::ferror(out) != 0;
  if (out != stdout && std::fclose(out) != 0) {
    std::perror(o.out.c_str());
    return 1;
  }
  if (failed) {
    std::fputs("generate_pcn874: writing failed\n", stderr);
    return 1;
  }
  return 0;
}
