#pragma once

#include <string>
#include <string_view>

namespace quorvel::runtime::win32 {

// wchar_t is a UTF-16 code unit on Windows, so the conversions copy code units
// one to one; copying avoids reading one character type through the other.
inline std::wstring ToWide(std::u16string_view text) {
  return {text.begin(), text.end()};
}
inline std::u16string FromWide(std::wstring_view text) {
  return {text.begin(), text.end()};
}

}  // namespace quorvel::runtime::win32
