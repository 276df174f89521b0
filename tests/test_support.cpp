// Helpers shared by the tests.
#include "test_support.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace pcn::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "pcn874-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool Exists(const std::string& path) {
  return fs::exists(path);
}

std::vector<std::string> ListDirectory(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string Signed(std::int64_t value, int width) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  digits.insert(0, static_cast<std::size_t>(width - 1) - digits.size(), '0');
  return (value < 0 ? "-" : "+") + digits;
}

static std::string Count(std::int64_t value) {
  std::string digits = std::to_string(value);
  digits.insert(0, 9 - digits.size(), '0');
  return digits;
}

std::string OpeningLine(const Opening& o) {
  return "O" + o.dealer + o.year + o.month + o.code + o.date + Signed(o.taxableSales, 12) +
         Signed(o.salesVat, 10) + "+00000000000+000000000" + Count(o.salesCount) +
         Signed(o.exemptSales, 12) + Signed(o.inputsVat, 10) + Signed(o.assetInputsVat, 10) +
         Count(o.inputCount) + Signed(o.vatPayable, 12);
}

std::string DetailLine(char type, std::int64_t vat, char sign, std::int64_t amount) {
  std::string line(1, type);
  line += "987654324202403150000000000017";  // other columns, not interpreted
  std::string v = std::to_string(vat);
  line += std::string(9 - v.size(), '0') + v;
  line += sign;
  std::string a = std::to_string(amount);
  line += std::string(10 - a.size(), '0') + a;
  return line;
}

std::string ClosingLine(const std::string& dealer) {
  return "X" + dealer;
}

std::string CrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string ConsistentFile(const std::string& dealer, const std::string& month,
                           std::int64_t saleAmount, std::int64_t saleVat, int sales,
                           std::int64_t inputVat, int inputs) {
  Opening o;
  o.dealer = dealer;
  o.month = month.substr(0, 2);
  o.year = month.substr(3, 4);
  o.taxableSales = saleAmount * sales;
  o.salesVat = saleVat * sales;
  o.salesCount = sales;
  o.inputsVat = inputVat * inputs;
  o.inputCount = inputs;
  o.vatPayable = o.salesVat - o.inputsVat;
  std::vector<std::string> lines{OpeningLine(o)};
  for (int i = 0; i < sales; ++i) lines.push_back(DetailLine('S', saleVat, '+', saleAmount));
  for (int i = 0; i < inputs; ++i) lines.push_back(DetailLine('T', inputVat, '+', 0));
  lines.push_back(ClosingLine(dealer));
  return CrLf(lines);
}

std::vector<std::string> RuleLines(const std::string& bytes) {
  // Lines end at CR (an LF right after it included); in a file without any CR, at LF.
  const char end = bytes.find('\r') == std::string::npos ? '\n' : '\r';
  std::vector<std::string> lines;
  std::size_t i = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (i < bytes.size() && bytes[i] != 26) {
    std::string line;
    while (i < bytes.size() && bytes[i] != end && bytes[i] != 26) line += bytes[i++];
    lines.push_back(line);
    if (i < bytes.size() && bytes[i] == 26) break;
    if (i < bytes.size() && ++i < bytes.size() && end == '\r' && bytes[i] == '\n') ++i;
  }
  return lines;
}

int RunCommand(const std::string& command, std::string* out, std::string* err) {
  TempDir scratch;
  const std::string outPath = scratch.File("out"), errPath = scratch.File("err");
  const int status =
      std::system((command + " >" + Quote(outPath) + " 2>" + Quote(errPath)).c_str());
  if (out != nullptr) *out = ReadFile(outPath);
  if (err != nullptr) *err = ReadFile(errPath);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

}  // namespace pcn::test
