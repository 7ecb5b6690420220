#!/usr/bin/env bash
# Builds the release artifacts (tools/release.sh) and the earlier-version
# MSIs the upgrade test installs first, then runs tests/release: the version
# every artifact carries and what the zips hold, and under Wine on a virtual display each MSI's
# install, upgrade, start and uninstall and each zip's unzipped program: the
# x64 ones under 64-bit Wine, the x86 ones under 32-bit Wine wherever this
# kernel can run 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/release.sh
for build in win32 win64; do cmake --build "build/$build" -j2 --target quorvel_msi_earlier; done
tests/release/artifacts_test.sh . build/dist

export WINEDEBUG=-all
# No Mono or Gecko installer prompts, and no menu entries on this machine for
# the shortcuts the installers make.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
source tools/wine-display.sh

run_wine() {  # arch build loader server wine-architecture
  export WINEARCH=$5 WINELOADER=$3 WINESERVER=$4
  # Every run installs into a copy of a new prefix, so that nothing an
  # earlier run left behind (a failed one, say) is taken for the installer's.
  export WINEPREFIX=$PWD/build/$2/release-wine-new
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINELOADER" wineboot -i
    "$WINESERVER" -w
  fi
  rm -rf "build/$2/release-wine"
  cp -a "$WINEPREFIX" "build/$2/release-wine"
  export WINEPREFIX=$PWD/build/$2/release-wine
  tests/release/windows_test.sh "$PWD"/build/dist/quorvel-*-windows-$1.msi "$PWD/build/$2/quorvel-earlier-$1.msi" \
    "$PWD"/build/dist/quorvel-*-windows-$1.zip
  "$WINESERVER" -k
}
run_wine x64 win64 /usr/lib/wine/wine64 /usr/lib/wine/wineserver64 win64
if why=$(/usr/lib/wine/wineserver32 --version 2>&1); then
  run_wine x86 win32 /usr/lib/wine/wine /usr/lib/wine/wineserver32 win32
else
  why=$(tail -n 1 <<<"$why")
  echo "test-release: skipped the x86 installer and zip runs: this kernel cannot run 32-bit programs (${why##*wineserver32: })"
fi
echo "test-release: passed"
