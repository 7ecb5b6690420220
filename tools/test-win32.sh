#!/usr/bin/env bash
# Cross-compiles quorvel.exe and its window test for x86-64 (build/win64) and
# for 32-bit x86 (build/win32, the primary release) with mingw-w64, checks both
# programs' headers, imported DLLs and version blocks, and runs the window
# test (tests/win32: the case table's rows and the window itself) under Wine on
# a virtual display in a Chinese (PRC) locale, at 96 and at 144 DPI: always
# the x86-64 build under 64-bit Wine, the 32-bit build under 32-bit Wine
# wherever this kernel can run 32-bit programs. Then starts each tested
# quorvel.exe, saves a screenshot of its window in build/win*/quorvel-wine.png
# and closes it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh win32
started=$SECONDS
fail() { echo "test-win32: $*" >&2; exit 1; }

for target in win64:x86_64 win32:i686; do
  cmake -S . -B "build/${target%%:*}" -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-${target#*:}.cmake" >/dev/null
  cmake --build "build/${target%%:*}" -j2
done
echo "test-win32: built in $((SECONDS - started)) s"

# A GUI program for the machine that needs no DLL beyond those Windows ships.
check_headers() {  # exe objdump format magic
  local headers
  headers=$("$2" -p "$1")
  grep -q "file format $3\$" <<<"$headers" || fail "$1 is not $3"
  grep -q "^Magic.*($4)" <<<"$headers" || fail "$1 is not $4"
  grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "$1 is not a GUI program"
  for dll in $(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers"); do
    case "$dll" in
      kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | msvcrt.dll | oleacc.dll | ole32.dll | oleaut32.dll) ;;
      *) fail "$1 needs $dll, which Windows does not ship" ;;
    esac
  done
}
check_headers build/win64/quorvel.exe x86_64-w64-mingw32-objdump pei-x86-64 PE32+
check_headers build/win32/quorvel.exe i686-w64-mingw32-objdump pei-i386 PE32

# The version block: 1.02 and 1.2.0.0 in Chinese (PRC), Unicode.
check_version() {  # exe windres
  local block
  block=$("$2" -i "$1" -O rc)
  for line in 'FILEVERSION 1, 2, 0, 0' 'PRODUCTVERSION 1, 2, 0, 0' 'BLOCK "080404b0"' \
    'VALUE "FileVersion", "1.02"' 'VALUE "ProductVersion", "1.02"' 'VALUE "Translation", 0x804, 1200'; do
    grep -qF "$line" <<<"$block" || fail "$1 lacks $line in its version block"
  done
}
check_version build/win64/quorvel.exe x86_64-w64-mingw32-windres
check_version build/win32/quorvel.exe i686-w64-mingw32-windres
echo "test-win32: both programs are GUI programs for their machines with the version block and only DLLs Windows ships"

# Wine's state lives in the build folders: a private zh_CN.UTF-8 locale, so
# that Wine runs with code page 936 and Chinese buttons, and one prefix per
# build. Debian's wine launcher always takes the 32-bit loader once wine32 is
# installed, so each run names its loader and server.
locale=$(pwd)/build/wine-locale
if [ ! -d "$locale/zh_CN.UTF-8" ]; then
  mkdir -p "$locale"
  localedef -i zh_CN -f UTF-8 "$locale/zh_CN.UTF-8"
fi
in_wine_locale() { env LOCPATH="$locale" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "$@"; }
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts

source tools/wine-display.sh

windows_path() { local path=$(pwd)/$1; echo "Z:${path//\//\\}"; }

# Runs the window test of one build at 96 and 144 DPI, then starts, shows and
# closes its quorvel.exe.
run_wine() {  # build loader server wine-architecture
  local build=$1 loader=$2
  export WINEPREFIX=$(pwd)/$build/wine/prefix WINEARCH=$4 WINELOADER=$2 WINESERVER=$3
  mkdir -p "$WINEPREFIX"
  "$WINESERVER" -p  # one server for the whole run
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    in_wine_locale "$loader" wineboot -i
    # Debian's Wine does not look into fonts-wine's folder; without Marlett
    # the caption buttons show letters.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
  # Without a window manager Wine waits about 2 s whenever a window hides
  # unless it manages no windows. It has no Chinese faces of its own, so 宋体
  # is drawn with the Song face of fonts-noto-cjk.
  local song="Noto Serif CJK SC" dpi settings=$WINEPREFIX/../settings.reg
  for dpi in 144 96; do
    printf '\xff\xfe' >"$settings"
    iconv -f UTF-8 -t UTF-16LE >>"$settings" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$(printf '%08x' "$dpi")

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"SimSun"="$song"
"宋体"="$song"
REG
    in_wine_locale "$loader" regedit /S "$settings"
    echo "test-win32: $build at $dpi DPI:"
    in_wine_locale "$loader" "$build/tests/win32/quorvel-win32-tests.exe" "$(windows_path tests/cases.tsv)" \
      "$(windows_path tests/win32/layouts.txt)" "$dpi" | tr -d '\r' || fail "the window test failed in $build"
  done

  # The log of loaded DLLs shows whether the manifest got the version 6
  # common controls for this machine.
  WINEDEBUG=+loaddll in_wine_locale "$loader" "$build/quorvel.exe" 2>"$WINEPREFIX/../quorvel.log" &
  local app=$! window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quorvel1\.2$' | head -n 1) ||
    fail "$build/quorvel.exe showed no window"
  import -window "$window" "$build/quorvel-wine.png"
  in_wine_locale "$loader" taskkill /im quorvel.exe >/dev/null  # asks the window to close, as its close box does
  wait "$app" || fail "$build/quorvel.exe ended with exit code $?"
  grep -q 'common-controls_6595b64144ccf1df_6\.' "$WINEPREFIX/../quorvel.log" ||
    fail "$build/quorvel.exe did not load the version 6 common controls"
  "$WINESERVER" -k
  echo "test-win32: $build/quorvel.exe started with the version 6 common controls, showed its window and closed; screenshot $build/quorvel-wine.png"
}

run_wine build/win64 /usr/lib/wine/wine64 /usr/lib/wine/wineserver64 win64
# Try, rather than guess from the machine's name: some x86-64 kernels run no
# 32-bit programs at all.
if why=$(/usr/lib/wine/wineserver32 --version 2>&1); then
  run_wine build/win32 /usr/lib/wine/wine /usr/lib/wine/wineserver32 win32
else
  why=$(tail -n 1 <<<"$why")
  echo "test-win32: skipped the 32-bit run: this kernel cannot run 32-bit programs (${why##*wineserver32: })"
fi
echo "test-win32: passed in $((SECONDS - started)) s"
