#!/usr/bin/env bash
# Installs the Debian 12 packages a build needs. Groups: core (compiler,
# CMake, GoogleTest, Google Benchmark), qt (Linux window, Qt's Chinese texts,
# Xvfb driving with a window manager, the clipboard and the accessibility bus,
# fonts), deb (building and checking the Debian package), bench (timing whole
# processes), win32 (mingw-w64 cross compilers for 32-bit x86 and x86-64,
# 64-bit and 32-bit Wine), fuzz (clang with libFuzzer and the sanitizer
# runtimes), web (Emscripten, node and npm, Debian's chromium, python3 for a
# static server, a Song face), release (the MSI and zip tools, lintian; with
# win32 for Wine). Packages already present are skipped.
set -euo pipefail

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

packages=()
need_i386=0
for group in "$@"; do
  case "$group" in
    core) packages+=(build-essential cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev) ;;
    qt) packages+=(qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev xvfb xdotool
                   imagemagick fonts-noto-cjk xauth x11-utils locales
                   openbox xclip dbus-x11 at-spi2-core python3-pyatspi) ;;
    deb) packages+=(dpkg-dev file desktop-file-utils appstream lintian) ;;
    bench) packages+=(hyperfine) ;;
    # wine32 installs even where the kernel runs no 32-bit programs (two
    # post-install scripts then report "Exec format error"); the test skips
    # the 32-bit run there.
    win32) packages+=(g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64
                      binutils-mingw-w64-x86-64 wine wine64 wine32 fonts-wine xvfb xdotool
                      imagemagick fonts-noto-cjk locales)
           need_i386=1 ;;
    fuzz) packages+=(clang libclang-rt-dev llvm) ;;
    # A node from elsewhere (such as its vendor's own package) brings its npm.
    web) packages+=(emscripten node-acorn chromium python3 fonts-noto-cjk cmake ninja-build)
         command -v node >/dev/null || packages+=(nodejs)
         command -v npm >/dev/null || packages+=(npm) ;;
    release) packages+=(wixl msitools lintian zip unzip python3 xxd binutils) ;;
    *) echo "install-deps: unknown group '$group'" >&2; exit 2 ;;
  esac
done

if [ "$need_i386" -eq 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_if_needed dpkg --add-architecture i386
fi

# One query for all packages: a run with nothing to install stays quick.
installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${packages[@]}" 2>/dev/null |
            awk '$1 == "ii" { print $2 }' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qxF "$p" <<<"$installed" || missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0

export DEBIAN_FRONTEND=noninteractive
sudo_if_needed apt-get update -qq
sudo_if_needed apt-get install -y -qq --no-install-recommends "${missing[@]}"
