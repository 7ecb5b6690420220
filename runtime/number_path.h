#pragma once

// How numbers are read and written, chosen at compile time: by <charconv>
// where the C++ library has it for floating point; otherwise by the C
// library's strtod and snprintf under the C locale, which give the same bits.
// QUORVEL_PORTABLE_NUMBERS asks for the second path anywhere, so that it is
// built and tested on every machine.

#include <version>

#if defined(__cpp_lib_to_chars) && !defined(QUORVEL_PORTABLE_NUMBERS)
#define QUORVEL_NUMBERS_BY_CHARCONV 1
#else
#define QUORVEL_NUMBERS_BY_CHARCONV 0

#if defined(_WIN32)
#error "Quorvel needs floating-point <charconv> on Windows (GCC 11 or later)"
#endif

#include <locale.h>

#include <new>

namespace quorvel::runtime {

// While it lives, this thread's strtod and snprintf work by the C locale,
// whatever locale the process has (Qt sets the user's at start-up, and a
// German one would reject "1.5"). Other threads are not affected.
class CNumericLocale final {
 public:
#if defined(__EMSCRIPTEN__)
  // musl, the WebAssembly build's C library, reads and writes "." in every
  // locale.
  CNumericLocale() = default;
#else
  CNumericLocale() : c_(newlocale(LC_ALL_MASK, "C", locale_t{})) {
    if (c_ == locale_t{}) throw std::bad_alloc();
    previous_ = uselocale(c_);
  }
  ~CNumericLocale() {
    uselocale(previous_);
    freelocale(c_);
  }

 private:
  locale_t c_;
  locale_t previous_;
#endif
  CNumericLocale(const CNumericLocale&) = delete;
  CNumericLocale& operator=(const CNumericLocale&) = delete;
};

}  // namespace quorvel::runtime

#endif
