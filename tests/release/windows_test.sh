#!/usr/bin/env bash
# windows_test.sh MSI EARLIER_MSI ZIP: in the Wine prefix and display the
# caller sets up (WINEPREFIX, WINELOADER, WINESERVER, DISPLAY), installs the
# earlier version, installs MSI over it, checks the one product left (files,
# shortcut, uninstall entry), starts the installed program, then uninstalls
# and checks that nothing it added is left; starts the program unzipped from
# ZIP.
set -euo pipefail
export LC_ALL=C.UTF-8
msi=$1 earlier=$2 zip=$3
fail() { echo "windows_test: $(basename "$msi" .msi): $*" >&2; exit 1; }
wine() { "$WINELOADER" "$@" | tr -d '\r'; }
msiexec() { "$WINELOADER" msiexec "$1" "Z:${2//\//\\}" /qn || fail "msiexec $1 exited with $?"; "$WINESERVER" -w; }
# Files and folders, and the registry keys that hold values: the empty keys
# and the folder Windows Installer keeps for its own lists are not the
# product's.
snapshot() {
  cd "$WINEPREFIX"
  { find drive_c ! -path drive_c/windows/Installer; awk '/^\[/ { key = $1 } /^[@"]/ && key { print key; key = "" }' system.reg user.reg; } | sort
}
# runs EXE: its window shows, and it closes when asked as by its close box.
runs() {
  "$WINELOADER" "$1" & local app=$!
  timeout 60 xdotool search --sync --onlyvisible --name '^Quorvel1\.2$' >/dev/null || fail "$1 shows no window"
  "$WINELOADER" taskkill /im quorvel.exe >/dev/null
  wait "$app" || fail "$1 ended with $?"
}
# The uninstall entries' names, versions and publishers, on one line.
entries() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s |
    awk '$1 ~ /^(DisplayName|DisplayVersion|Publisher)$/ { print $1 "=" $3 }' | sort | paste -sd ' '
}
before=$(snapshot)

msiexec /i "$earlier"
[ "$(entries)" = "DisplayName=Quorvel DisplayVersion=1.1.0.0 Publisher=Quorvel" ] || fail "1.1 not installed: $(entries)"
msiexec /i "$msi"
version=$(msiinfo export "$msi" Property | tr -d '\r' | awk '$1 == "ProductVersion" { print $2 }')
[ "$(entries)" = "DisplayName=Quorvel DisplayVersion=$version Publisher=Quorvel" ] || fail "entries: $(entries)"
wine reg query 'HKLM\Software\Classes\Installer\Products' /s | grep -q 'ProductIcon.*\\quorvel\.ico$' || fail "no entry icon"
# Windows puts a per-machine package's shortcut in the common Start menu;
# Wine's Windows Installer puts it in the user's.
shortcut=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Quorvel.lnk')
grep -q '\\quorvel\.ico$' <(strings -el "$shortcut") || fail "no Start menu shortcut with the icon"
# On Windows the shortcut shows the exe's string it names, which is the
# version block's Chinese name; Wine shows the ASCII one.
program=$WINEPREFIX/drive_c/Program\ Files/Quorvel/quorvel.exe
id=$(msiinfo export "$msi" Shortcut | tr -d '\r' | awk -F '\t' '$1 == "StartMenu" && $13 == "[#quorvel.exe]" { print $14 }')
block=$(x86_64-w64-mingw32-windres -i "$program" -O rc)
grep -qxF "  $id, $(sed -n 's/^ *VALUE "FileDescription", //p' <<<"$block")" <<<"$block" || fail "no shortcut name $id"
runs "$program"
msiexec /x "$msi"
left=$(comm -13 <(echo "$before") <(snapshot))
[ -z "$left" ] || fail "the uninstall left behind: $left"
unzip -q "$zip" quorvel.exe -d "$WINEPREFIX/drive_c/unzipped"
runs "$WINEPREFIX/drive_c/unzipped/quorvel.exe"
echo "windows_test: $(basename "$msi" .msi): installed over 1.1 with shortcut and entry, ran, uninstalled without a trace; the zip's program ran"

