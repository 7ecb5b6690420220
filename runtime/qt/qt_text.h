#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quorvel::runtime::qt {

// Both sides are UTF-16, so these are plain copies.
inline QString ToQString(std::u16string_view text) {
  return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

inline std::u16string ToU16String(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace quorvel::runtime::qt
