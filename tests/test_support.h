// Shared helpers of the tests: a temporary directory, whole-file reads and writes, and
// builders of PCN874 lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pcn::test {

// A fresh directory, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
// Names in a directory, sorted.
std::vector<std::string> ListDirectory(const std::string& path);

// A signed amount field of `width` characters, as files carry them.
std::string Signed(std::int64_t value, int width);

struct Opening {
  std::string dealer = "123456782";
  std::string year = "2024";
  std::string month = "03";
  std::string code = "1";
  std::string date = "20240415";
  std::int64_t taxableSales = 0;
  std::int64_t salesVat = 0;
  std::int64_t salesCount = 0;
  std::int64_t exemptSales = 0;
  std::int64_t inputsVat = 0;
  std::int64_t assetInputsVat = 0;
  std::int64_t inputCount = 0;
  std::int64_t vatPayable = 0;
};
std::string OpeningLine(const Opening& o);
// A detail record of 51 characters: type, 30 characters of other columns, VAT (9 digits),
// sign, amount (10 digits).
std::string DetailLine(char type, std::int64_t vat, char sign, std::int64_t amount);
std::string ClosingLine(const std::string& dealer = "123456782");
// Lines joined with CR LF after each.
std::string CrLf(const std::vector<std::string>& lines);

// A consistent source file: sales and inputs records summing to what the opening declares.
std::string ConsistentFile(const std::string& dealer, const std::string& month,
                           std::int64_t saleAmount, std::int64_t saleVat, int sales,
                           std::int64_t inputVat, int inputs);

// The lines of a file by the line rule, read one byte at a time: a line ends at a CR (an LF
// right after it belongs to the line end), a Ctrl-Z ends the data.
std::vector<std::string> RuleLines(const std::string& bytes);

// Runs a command line through the shell; returns the exit status, fills stdout and stderr.
int RunCommand(const std::string& command, std::string* out, std::string* err);
std::string Quote(const std::string& text);

}  // namespace pcn::test
