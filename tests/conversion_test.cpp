// The conversions at the hosts' edges: text between UTF-8 and UTF-16, and
// window measures from twips to pixels.

#include <gtest/gtest.h>

#include <utility>

#include "runtime/twips.h"
#include "tools/utf8.h"

namespace quorvel::runtime {
namespace {

using Row = std::pair<std::string, std::u16string>;  // UTF-8, UTF-16

// Well-formed text converts both ways, and back to the same units. Each malformed sequence becomes
// one replacement: an overlong "/" in two bytes and U+07FF in three, a surrogate, beyond U+10FFFF,
// a sequence cut short, a lone continuation byte; unpaired surrogates, and a pair in the wrong
// order.
TEST(Utf8, ConvertsBothWaysAndReplacesEachMalformedSequence) {
  for (const auto& [utf8, utf16] :
       {Row{"a\xE4\xB8\xB1", u"a\u4E31"}, Row{"\xF0\x9F\x98\x80", u"\xD83D\xDE00"},  // U+1F600
        Row{"\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"}, Row{"\xC0\xAF|\xE0\x9F\xBF", u"\xFFFD|\xFFFD"},
        Row{"\xED\xA0\x80|\xF4\x90\x80\x80", u"\xFFFD|\xFFFD"},
        Row{"\xE4\xB8|\x80", u"\xFFFD|\xFFFD"}}) {
    EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(utf16)), utf16);
  }
  EXPECT_EQ(Utf16ToUtf8(u"\xD800|\xDC00\xD800"), "\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD");
}

// Columns: twips rect, DPI, pixel rect. Edges round to the nearest pixel, so
// controls that touch in twips touch in pixels (30 twips at 120 DPI is 2.5).
TEST(TwipsToPixels, ConvertsEdgesToTheNearestPixel) {
  const std::tuple<TwipsRect, int, PixelRect> rows[] = {
      {{0, 0, 6645, 4785}, 96, {0, 0, 443, 319}},
      {{5040, 3720, 1215, 270}, 144, {504, 372, 122, 27}},
      {{255, 0, 6645, 30}, 120, {21, 0, 554, 3}},
      {{30, 30, 30, 30}, 120, {3, 3, 2, 2}},
      {{60, 60, 30, 30}, 120, {5, 5, 3, 3}}};
  for (const auto& [twips, dpi, pixels] : rows) EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << dpi;
}

}  // namespace
}  // namespace quorvel::runtime
