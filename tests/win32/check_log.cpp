#include "tests/win32/check_log.h"

#include <cstdio>
#include <string>

#include "tools/utf8.h"

namespace quorvel::wine_driver {

std::string Utf8(std::wstring_view text) {
  return Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

void CheckLog::Expect(bool passed, std::string_view what, std::string_view seen) {
  if (!passed) ++failures_;
  std::string line = passed ? "ok   " : "FAIL ";
  line += what;
  if (!passed && !seen.empty()) line += std::string(" (seen: ") + std::string(seen) + ")";
  line += '\n';
  std::fputs(line.c_str(), stdout);
  std::fflush(stdout);
}

namespace {

// Quotes a text and shows its line breaks, so that every check stays on one
// line of output.
std::string Quoted(std::wstring_view text) {
  std::string quoted = "\"";
  for (char c : Utf8(text)) {
    if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\n') {
      quoted += "\\n";
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

}  // namespace

void CheckLog::ExpectText(std::wstring_view actual, std::wstring_view expected,
                          std::string_view what) {
  Expect(actual == expected, std::string(what) + " = " + Quoted(expected), Quoted(actual));
}

void CheckLog::ExpectNumber(long long actual, long long expected, std::string_view what) {
  Expect(actual == expected, std::string(what) + " = " + std::to_string(expected),
         std::to_string(actual));
}

}  // namespace quorvel::wine_driver
