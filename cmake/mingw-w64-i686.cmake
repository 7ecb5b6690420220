# Cross-compiles the 32-bit Windows build, the primary release, with Debian's
# mingw-w64:
#   cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUORVEL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# 32-bit x86 computes in x87 registers with 80-bit intermediates by default;
# SSE2 arithmetic rounds every step to double, as the x86-64 build does, so
# both builds give the same results bit for bit.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
