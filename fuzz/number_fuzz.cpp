// Fuzzes the number rule: NumberValue and FieldValue on any bytes must agree with the
// exact reference reading, and FieldText with a plain substring.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "format/record_format.h"
#include "reference.h"

namespace {

void Expect(bool ok, const char* what, std::string_view text, long long got, long long want) {
  if (ok) return;
  std::fprintf(stderr, "%s differs for \"%.*s\": got %lld, want %lld\n", what,
               static_cast<int>(text.size()), text.data(), got, want);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::int64_t got = pcn::NumberValue(bytes);
  const std::int64_t want = pcn::fuzz::RefNumber(bytes);
  Expect(got == want, "NumberValue", bytes, got, want);

  // The first two bytes choose a field (column and width may fall outside the line); the
  // rest is the line.
  if (size >= 2) {
    const int column = static_cast<int>(data[0] % 160) - 2;
    const int width = static_cast<int>(data[1] % 20) - 1;
    const std::string_view line = bytes.substr(2);
    const std::string_view field = pcn::FieldText(line, column, width);
    const std::string_view refField = pcn::fuzz::RefField(line, column, width);
    Expect(field == refField, "FieldText", line, static_cast<long long>(field.size()),
           static_cast<long long>(refField.size()));
    const std::int64_t value = pcn::FieldValue(line, column, width);
    const std::int64_t refValue = pcn::fuzz::RefFieldValue(line, column, width);
    Expect(value == refValue, "FieldValue", field, value, refValue);
  }
  return 0;
}
