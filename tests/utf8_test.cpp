#include "tools/utf8.h"

#include <gtest/gtest.h>

#include <utility>

namespace quorvel {

using Row = std::pair<std::string, std::u16string>;  // UTF-8, UTF-16

TEST(Utf8, WellFormedTextConvertsBothWays) {
  for (const auto& [utf8, utf16] :
       {Row{"a\xE4\xB8\xB1", u"a\u4E31"}, Row{"\xF0\x9F\x98\x80", u"\xD83D\xDE00"},  // U+1F600
        Row{"\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"}}) {
    EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
    EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
  }
}

TEST(Utf8, EachMalformedSequenceBecomesOneReplacement) {
  // Overlong "/" in two bytes and U+07FF in three, a surrogate, beyond U+10FFFF, a
  // sequence cut short, a lone continuation byte.
  for (const auto& [utf8, utf16] : {Row{"\xC0\xAF|\xE0\x9F\xBF", u"\xFFFD|\xFFFD"},
                                    Row{"\xED\xA0\x80|\xF4\x90\x80\x80", u"\xFFFD|\xFFFD"},
                                    Row{"\xE4\xB8|\x80", u"\xFFFD|\xFFFD"}}) {
    EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
  }
  // Unpaired surrogates, and a pair in the wrong order.
  EXPECT_EQ(Utf16ToUtf8(u"\xD800|\xDC00\xD800"), "\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace quorvel
