#include "runtime/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tools/utf8.h"

namespace quorvel::runtime {
namespace {

struct Accepted {
  const char16_t* text;
  double value;
};

void PrintTo(const Accepted& a, std::ostream* os) {
  *os << Utf16ToUtf8(a.text);
}

class ReadNumberAccepts : public testing::TestWithParam<Accepted> {};

TEST_P(ReadNumberAccepts, GivesTheCorrectlyRoundedValue) {
  const auto value = ReadNumber(GetParam().text);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(*value, GetParam().value);
  EXPECT_EQ(std::signbit(*value), std::signbit(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ReadNumberAccepts,
    testing::Values(Accepted{u"0.0001", 0.0001}, Accepted{u"12", 12}, Accepted{u"10.1", 10.1},
                    Accepted{u"99.0", 99.0}, Accepted{u"+5", 5}, Accepted{u"-2.25", -2.25},
                    Accepted{u".5", 0.5}, Accepted{u"5.", 5}, Accepted{u"1e3", 1000},
                    Accepted{u"1E-3", 0.001}, Accepted{u"2.5e+2", 250}, Accepted{u" \t 7 \t", 7},
                    Accepted{u"0.1", 0.1},
                    Accepted{u"1.7976931348623157e308", std::numeric_limits<double>::max()},
                    Accepted{u"4.9e-324", std::numeric_limits<double>::denorm_min()},
                    Accepted{u"1e-400", 0.0}, Accepted{u"-1e-400", -0.0},
                    Accepted{u"0e99999999999999999999", 0.0},
                    Accepted{u"0.000000000000000000000000000000000000000000000000001e51", 1},
                    // Plain decimals with too many digits or places for one exact division, or
                    // so many digits that 64 bits wrap (2^64 + 1).
                    Accepted{u"101358979749870.63", 101358979749870.63},
                    Accepted{u"0.00000000000000000000001", 1e-23}, Accepted{u"-0", -0.0},
                    Accepted{u"18446744073709551617", 18446744073709551617.0}));

class ReadNumberRejects : public testing::TestWithParam<const char16_t*> {};

TEST_P(ReadNumberRejects, GivesNothing) {
  EXPECT_FALSE(ReadNumber(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(NotNumbers, ReadNumberRejects,
                         testing::Values(u"", u" ", u"\t", u"abc", u"1a", u"1,000", u"1,5",
                                         u"1.2.3", u"inf", u"-inf", u"nan", u"infinity", u"0x10",
                                         u"1e", u"1e+", u"e5", u".", u"-", u"+-1", u"--1", u"1 2",
                                         u"1\t2", u"1\r",
                                         u"\u3000"
                                         u"1",
                                         u"\uFF11", u"1e400", u"-1e400", u"1.7976931348623159e308",
                                         u"$1", u"1%", u"\u0661", u"\u4E31", u"1\u4E30"));

TEST(ReadNumber, ReadsHugeDigitStrings) {
  // A long run of zeros must neither be cut short nor overflow a counter.
  const std::u16string longOne = u"0." + std::u16string(40000, u'0') + u"1e40001";
  EXPECT_EQ(ReadNumber(longOne), 1.0);
  EXPECT_EQ(ReadNumber(std::u16string(400, u'9')), std::nullopt);
}

}  // namespace
}  // namespace quorvel::runtime
