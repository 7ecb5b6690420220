#pragma once

#include <string>
#include <string_view>

namespace quorvel::wine_driver {

// Prints one line per check, "ok" or "FAIL" with what was seen, and counts
// the failures; the driver's exit code says whether any check failed.
class CheckLog {
 public:
  void Expect(bool passed, std::string_view what, std::string_view seen = {});
  // Compares texts read from the window with the expected ones.
  void ExpectText(std::wstring_view actual, std::wstring_view expected, std::string_view what);
  void ExpectNumber(long long actual, long long expected, std::string_view what);
  int Failures() const { return failures_; }

 private:
  int failures_ = 0;
};

// UTF-8 for the console output.
std::string Utf8(std::wstring_view text);

}  // namespace quorvel::wine_driver
