// The nine-digit form of the number and its check digit.
#include "format/dealer_number.h"

#include <gtest/gtest.h>

namespace pcn {
namespace {

TEST(NormaliseDealerNumber, PadsTheValueToNineDigits) {
  static const struct {
    const char* text;
    const char* want;
  } kCases[] = {
      {"18", "000000018"},
      {"", "000000000"},
      {"000000018", "000000018"},
      {"123456782", "123456782"},
      {"  42", "000000042"},
      {"12345678 ", "012345678"},    // a dealer number with a trailing blank
      {"1234567890", "1234567890"},  // more than nine digits stay visible, to be refused
      {"-18", "-000000018"},
      {"18.5", "000000018"},  // rounded to even
      {"19.5", "000000020"},
      {"1E5", "000100000"},
      {"abc", "000000000"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(NormaliseDealerNumber(c.text), c.want);
  }
}

TEST(DealerNumberCheck, IsLuhnFromTheRight) {
  static const struct {
    const char* number;
    int want;
    const char* why;
  } kCases[] = {
      {"000000000", 1, "value zero"},
      {"0", 1, "value zero"},
      {"", 1, "empty"},
      {"18", 0, "valid"},
      {"000000018", 0, "leading zeros change nothing"},
      {"123456782", 0, "valid nine digits"},
      {"19", 1, "remainder 1"},
      {"123456789", 7, "remainder 7"},
      {"59", 0, "5 doubled is 10, which adds 1"},
      {"0000000059", 0, "more than nine characters: all are checked"},
      {"12345678", 4, "a check over every digit given"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(DealerNumberCheck(c.number), c.want) << c.number;
  }
}

}  // namespace
}  // namespace pcn
