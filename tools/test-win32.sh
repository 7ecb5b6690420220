#!/usr/bin/env bash
# Cross-compiles quorvel.exe and its test driver with mingw-w64 and runs the
# driver under Wine on a virtual display, in a Chinese (PRC) locale. Leaves a
# screenshot of the window after a calculation in build/win32/quorvel-wine.png.
# Also compares the Windows build's results with the native probe's
# (build/release/tools/quorvel-probe, which tools/test.sh builds first).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh win32

build=build/win32
started=$SECONDS
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
cmake --build "$build" -j2
echo "test-win32: built in $((SECONDS - started)) s"

# A PE32 GUI program for i386 that needs no DLL beyond those Windows ships.
headers=$(i686-w64-mingw32-objdump -p "$build/quorvel.exe")
grep -q 'file format pei-i386' <<<"$headers" || { echo "quorvel.exe is not PE32 i386" >&2; exit 1; }
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || { echo "quorvel.exe is not a GUI program" >&2; exit 1; }
for dll in $(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers"); do
  case "$dll" in
    kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | msvcrt.dll) ;;
    *) echo "quorvel.exe needs $dll, which Windows does not ship" >&2; exit 1 ;;
  esac
done

# Wine's state lives in the build folder: a 32-bit prefix and a private
# zh_CN.UTF-8 locale, so that Wine runs with code page 936 and Chinese buttons.
state=$(pwd)/$build/wine
export WINEPREFIX=$state/prefix WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
if [ ! -d "$state/locale/zh_CN.UTF-8" ]; then
  mkdir -p "$state/locale"
  localedef -i zh_CN -f UTF-8 "$state/locale/zh_CN.UTF-8"
fi
in_wine_locale() { env LOCPATH="$state/locale" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "$@"; }

xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
rm -f "$state/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$state/display" ] && break; sleep 0.1; done
[ -s "$state/display" ] || { echo "test-win32: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$state/display")

mkdir -p "$WINEPREFIX"
wineserver -p  # one server for the whole run
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  in_wine_locale wineboot -i
  # Debian's Wine does not look into fonts-wine's folder; without Marlett the
  # caption buttons show letters.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi

# Set on every run, so that a run cut short cannot leave another DPI behind.
# Without a window manager Wine waits about 2 s whenever a window hides unless
# it manages no windows. It has no Chinese faces of its own, so 宋体 is drawn
# with the Song face of fonts-noto-cjk.
song="Noto Serif CJK SC"
printf '\xff\xfe' >"$state/settings.reg"
iconv -f UTF-8 -t UTF-16LE >>"$state/settings.reg" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:00000060

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"SimSun"="$song"
"宋体"="$song"
REG
in_wine_locale wine regedit /S "$state/settings.reg"
echo "test-win32: Wine ready after $((SECONDS - started)) s"

# The same results bit for bit as the native build, on series that stress
# the rounding.
native_probe=build/release/tools/quorvel-probe
[ -x "$native_probe" ] || { echo "test-win32: $native_probe is missing" >&2; exit 1; }
compare_probes() {
  local precision=$1 data=$2 native windows
  native=$(printf '%s' "$data" | "$native_probe" --precision "$precision")
  windows=$(printf '%s' "$data" | in_wine_locale wine "$build/tools/quorvel-probe.exe" \
    --precision "$precision" | tr -d '\r')
  if [ "$native" != "$windows" ]; then
    echo "test-win32: results differ for '$data' at $precision" >&2
    diff <(echo "$native") <(echo "$windows") >&2 || true
    exit 1
  fi
}
compare_probes 0.0001 '1 2 3 4 5'
compare_probes 0.000001 '0.1 0.2 0.3 0.4 0.7'
compare_probes 0.001 $'10.1 10.3 9.98\r\n10.05 10.2 9.87 10.11'
compare_probes 0.0000001 '3.14159265358979 2.71828182845905 1.4142135623731 -0.577215664901533'
compare_probes 0.0001 "$(awk 'BEGIN { for (i = 1; i <= 25; i++) printf "%.5f ", 9.5 + i * 0.0371 * (i % 7) }')"
compare_probes 1E-300 '1E-300 3E-300 7E-300'
compare_probes 0.01 '1E+300 1.5E+300 -2E+300'
echo "test-win32: Windows results equal the native ones"

rm -f "$build/quorvel-wine.bmp" "$build/quorvel-wine.png"
(cd "$build" && in_wine_locale wine quorvel-wine-driver.exe quorvel.exe quorvel-wine.bmp)
convert "$build/quorvel-wine.bmp" "$build/quorvel-wine.png"
rm "$build/quorvel-wine.bmp"
echo "test-win32: passed in $((SECONDS - started)) s; screenshot $build/quorvel-wine.png"
