#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace quorvel::runtime::win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// Owns a font or bitmap; controls only borrow them, so their owner must
// outlive the controls.
template <typename Handle>
using GdiHandle = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};

// Owns an icon loaded at one size; the window only borrows it.
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

}  // namespace quorvel::runtime::win32
