#include "case_table.h"

#include <fstream>
#include <stdexcept>
#include <string_view>

#include "tools/utf8.h"

namespace quorvel::cases {
namespace {

// Expands escapes and {TEXT*N} from s[i] on, up to the end or, inside a
// repetition, up to its "*".
std::u16string Expand(std::u16string_view s, std::size_t& i, bool inRepeat) {
  std::u16string out;
  while (i < s.size()) {
    const char16_t c = s[i++];
    if (c == u'*' && inRepeat) return out;
    if (c == u'{') {
      const std::u16string body = Expand(s, i, true);
      std::size_t digits = 0;
      for (std::size_t n = std::stoul(Utf16ToUtf8(s.substr(i)), &digits); n > 0; --n) out += body;
      i += digits + 1;  // past the "}"
    } else if (c != u'\\' || i == s.size()) {
      out += c;
    } else if (const char16_t e = s[i++]; e == u'u') {
      out += static_cast<char16_t>(std::stoul(Utf16ToUtf8(s.substr(i, 4)), nullptr, 16));
      i += 4;
    } else {
      out += e == u't' ? u'\t' : e == u'r' ? u'\r' : e == u'n' ? u'\n' : e;
    }
  }
  return out;  // a repetition without "*" ends here, and std::stoul throws on the empty count
}

// Throws naming `where` the row is when it is malformed.
Case ParseRow(const std::string& line, const std::string& where) try {
  std::vector<std::u16string> f;
  for (std::size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
    tab = line.find('\t', start);
    std::size_t i = 0;
    f.push_back(Expand(Utf8ToUtf16(line.substr(start, tab - start)), i, false));
  }
  if (f.size() < 10) throw std::invalid_argument("fewer than 10 fields");
  const auto marked = [&](char16_t mark) { return f[1].find(mark) != std::u16string::npos; };
  const char clearAnswer = marked(u'y') ? 'y' : (marked(u'n') ? 'n' : '\0');
  // "-" in all five results when none is written.
  Case c{line.substr(0, line.find('\t')),
         marked(u'w'),
         clearAnswer,
         std::nullopt,
         marked(u'e'),
         f[2],
         f[3],
         f[4] != u"-",
         {f[4], f[5], f[6], f[7], f[8]},
         std::nullopt,
         {}};
  if (const std::size_t copy = f[1].find(u'c'); copy != std::u16string::npos)
    c.copiedCount = std::stoul(Utf16ToUtf8(f[1].substr(copy + 1)));
  // Box@start+length; std::stoul throws on any other form.
  if (const std::string focus = Utf16ToUtf8(f[9]); focus != "-") {
    const std::size_t at = focus.find('@'), plus = focus.find('+', at);
    c.focus = Selection{focus.substr(0, at), std::stoul(focus.substr(at + 1)),
                        std::stoul(focus.substr(plus + 1))};
  }
  for (auto m = f.begin() + 10; m < f.end(); ++m)
    c.messages.push_back({m->substr(0, m->find(u'=')), m->substr(m->find(u'=') + 1)});
  return c;
} catch (const std::exception& e) {
  throw std::runtime_error(where + ": " + e.what());
}

}  // namespace

std::vector<Case> ReadCases(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<Case> cases;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    cases.push_back(ParseRow(line, path + ":" + std::to_string(number)));
  }
  return cases;
}

}  // namespace quorvel::cases
