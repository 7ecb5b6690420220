#include "calc/data_scanner.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "command_events.h"

namespace quorvel::calc {
namespace {

std::vector<std::u16string> Scan(const std::u16string& text) {
  std::vector<std::u16string> items;
  SplitItems(text, [&items](std::u16string_view item) { items.emplace_back(item); });
  EXPECT_EQ(CountItems(text), items.size());
  return items;
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
    testing::Values(
        Case{"Blanks", u"1 2 3", {u"1", u"2", u"3"}}, Case{"RunOfBlanks", u"1  2", {u"1", u"2"}},
        Case{"TrailingBlank", u"1 2 ", {u"1", u"2"}},
        Case{"TrailingLineBreak", u"1 2\r\n", {u"1", u"2"}},
        Case{"LeadingBlank", u" 1 2", {u"1", u"2"}}, Case{"LeadingLineBreak", u"\r\n1", {u"1"}},
        Case{"OnlyBlanks", u"   ", {}}, Case{"Empty", u"", {}},
        Case{"CrLf", u"1\r\n2", {u"1", u"2"}}, Case{"LoneLf", u"1\n2", {u"1", u"2"}},
        Case{"LoneCrIsPartOfTheItem", u"1\r2", {u"1\r2"}}, Case{"CrAtTheEnd", u"1\r", {u"1\r"}},
        Case{"CrBeforeCrLf", u"1\r\r\n2", {u"1\r", u"2"}},
        Case{"TabIsPartOfTheItem", u"1\t2", {u"1\t2"}},
        Case{"IdeographicSpaceIsPartOfTheItem", u"1\u30002", {u"1\u30002"}},
        Case{"BlankLines", u"10.1\r\n\r\n \r\n10.3\n", {u"10.1", u"10.3"}}),
    testing_support::CaseName);

TEST(Scanner, LongItemIsKeptWhole) {
  const std::u16string item(70000, u'7');
  EXPECT_EQ(Scan(u"1 " + item + u" 2"), (std::vector<std::u16string>{u"1", item, u"2"}));
}

// The plainest statement of the rule, one unit at a time, to hold the bulk
// scanner against on texts whose runs fall across its blocks in every way.
std::vector<std::u16string> Runs(const std::u16string& text) {
  std::vector<std::u16string> runs;
  bool inItem = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool separator =
        c == u' ' || c == u'\n' || (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n');
    if (separator) {
      inItem = false;
    } else {
      if (!inItem) runs.emplace_back();
      runs.back() += c;
      inItem = true;
    }
  }
  return runs;
}

TEST(Scanner, AgreesWithTheUnitByUnitRuleOnRandomTexts) {
  std::mt19937 random(20261206);
  const char16_t alphabet[] = {u'1', u'.', u' ', u'\n', u'\r', u'\t', u'\u3000', u'x'};
  for (int round = 0; round < 3000; ++round) {
    std::u16string text(random() % 300, u' ');
    for (char16_t& c : text) c = alphabet[random() % std::size(alphabet)];
    ASSERT_EQ(Scan(text), Runs(text)) << "round " << round;
  }
}

TEST(Scanner, RunsAcrossBlockBoundaries) {
  for (const std::size_t length : {63u, 64u, 65u, 127u, 128u, 129u}) {
    const std::u16string item(length, u'5');
    for (const std::u16string& text :
         {item, u" " + item, item + u"\r\n" + item, u"\r\n" + item + u"\r", item + u"\r"}) {
      EXPECT_EQ(Scan(text), Runs(text)) << length;
    }
  }
}

}  // namespace
}  // namespace quorvel::calc
