#include "calc/data_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::calc {
namespace {

std::vector<std::u16string> Scan(std::u16string text) {
  CalcState s;
  s.DataText = std::move(text);
  s.TextLen = s.DataText.size();
  CountItems(s);
  s.ItemText.assign(s.ItemCount + 1, {});
  SplitItems(s);
  return {s.ItemText.begin() + 1, s.ItemText.end()};
}

struct Case {
  const char* name;
  std::u16string text;
  std::vector<std::u16string> items;
};

class Scanner : public testing::TestWithParam<Case> {};

TEST_P(Scanner, CutsTheMaximalRunsOfNonSeparators) {
  EXPECT_EQ(Scan(GetParam().text), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Scanner,
    testing::Values(Case{"Blanks", u"1 2 3", {u"1", u"2", u"3"}},
                    Case{"RunOfBlanks", u"1  2", {u"1", u"2"}},
                    Case{"TrailingBlank", u"1 2 ", {u"1", u"2"}},
                    Case{"TrailingLineBreak", u"1 2\r\n", {u"1", u"2"}},
                    Case{"LeadingBlank", u" 1 2", {u"1", u"2"}},
                    Case{"LeadingLineBreak", u"\r\n1", {u"1"}},
                    Case{"OnlyBlanks", u"   ", {}}, Case{"Empty", u"", {}},
                    Case{"CrLf", u"1\r\n2", {u"1", u"2"}}, Case{"LoneLf", u"1\n2", {u"1", u"2"}},
                    Case{"LoneCrIsPartOfTheItem", u"1\r2", {u"1\r2"}},
                    Case{"CrAtTheEnd", u"1\r", {u"1\r"}},
                    Case{"CrBeforeCrLf", u"1\r\r\n2", {u"1\r", u"2"}},
                    Case{"TabIsPartOfTheItem", u"1\t2", {u"1\t2"}},
                    Case{"IdeographicSpaceIsPartOfTheItem", u"1\u30002", {u"1\u30002"}},
                    Case{"BlankLines", u"10.1\r\n\r\n \r\n10.3\n", {u"10.1", u"10.3"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Scanner, LongItemIsKeptWhole) {
  const std::u16string item(70000, u'7');
  EXPECT_EQ(Scan(u"1 " + item + u" 2"), (std::vector<std::u16string>{u"1", item, u"2"}));
}

}  // namespace
}  // namespace quorvel::calc
