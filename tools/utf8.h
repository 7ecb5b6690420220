#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// Conversions for consoles and files. Malformed input (a bad UTF-8 sequence,
// an unpaired surrogate) becomes U+FFFD rather than being dropped, so what a
// user pasted is never silently shortened.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace quorvel
