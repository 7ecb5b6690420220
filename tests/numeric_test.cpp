#include "runtime/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace quorvel::runtime {
namespace {

// Texts the reader accepts, with the correctly rounded value each must give;
// texts it rejects are rows of the case table, judged as items.
TEST(ReadNumber, GivesTheCorrectlyRoundedValueOfEveryAcceptedForm) {
  const std::pair<std::u16string, double> rows[] = {
      {u"0.0001", 0.0001},
      {u"12", 12},
      {u"99.0", 99},
      {u"+5", 5},
      {u"-2.25", -2.25},
      {u".5", 0.5},
      {u"5.", 5},
      {u"1e3", 1000},
      {u"1E-3", 0.001},
      {u"2.5e+2", 250},
      {u" \t 7 \t", 7},
      {u"0.1", 0.1},
      {u"1.7976931348623157e308", std::numeric_limits<double>::max()},
      {u"4.9e-324", std::numeric_limits<double>::denorm_min()},
      {u"1e-400", 0.0},
      {u"-1e-400", -0.0},
      {u"0e99999999999999999999", 0.0},
      {u"0." + std::u16string(40000, u'0') + u"1e40001", 1},
      // Plain decimals with too many digits or places for one exact division,
      // or so many digits that 64 bits wrap (2^64 + 1).
      {u"101358979749870.63", 101358979749870.63},
      {u"0.00000000000000000000001", 1e-23},
      {u"-0", -0.0},
      {u"18446744073709551617", 18446744073709551617.0}};
  for (const auto& [text, value] : rows) {
    const std::optional<double> read = ReadNumber(text);
    ASSERT_TRUE(read.has_value()) << value;
    EXPECT_EQ(*read, value);
    EXPECT_EQ(std::signbit(*read), std::signbit(value)) << value;
  }
}

}  // namespace
}  // namespace quorvel::runtime
