#!/usr/bin/env bash
# msi_test.sh MSI EARLIER_MSI: in the Wine prefix and display the caller sets
# up (WINEPREFIX, WINELOADER, WINESERVER, DISPLAY), installs the earlier
# version, installs MSI over it, checks the one product left (files,
# shortcut, uninstall entry), starts the installed program, then uninstalls
# and checks that nothing it added is left. Last it tells what Windows
# Installer under Wine does when the program runs during the uninstall.
set -euo pipefail
export LC_ALL=C
msi=$1 earlier=$2
fail() { echo "msi_test: $(basename "$msi"): $*" >&2; exit 1; }
wine() { "$WINELOADER" "$@" | tr -d '\r'; }
msiexec() { "$WINELOADER" msiexec "$1" "Z:${2//\//\\}" /qn || fail "msiexec $1 exited with $?"; "$WINESERVER" -w; }
# Files and folders, and the registry keys that hold values: the empty keys
# and the folder Windows Installer keeps for its own lists are not the
# product's.
snapshot() {
  cd "$WINEPREFIX"
  { find drive_c ! -path drive_c/windows/Installer; awk '/^\[/ { key = $1 } /^[@"]/ && key { print key; key = "" }' system.reg user.reg; } | sort
}
# The window shows, and closes when asked as by its close box.
runs() {
  "$WINELOADER" 'C:\Program Files\Quorvel\quorvel.exe' & local app=$!
  timeout 60 xdotool search --sync --onlyvisible --name '^Quorvel1\.2$' >/dev/null || fail "no window"
  "$@"
  "$WINELOADER" taskkill /im quorvel.exe >/dev/null
  wait "$app" || fail "the installed program ended with $?"
}
"$WINESERVER" -w
before=$(snapshot)

entries() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s; }
msiexec /i "$earlier"
entries | grep -q 'DisplayVersion *REG_SZ *1\.1\.0\.0$' || fail "the earlier version did not install"
msiexec /i "$msi"
program=$WINEPREFIX/drive_c/Program\ Files/Quorvel/quorvel.exe
[ -f "$program" ] || fail "quorvel.exe is not in Program Files"
entries=$(entries)
version=$(msiinfo export "$msi" Property | tr -d "\r" | awk '$1 == "ProductVersion" { print $2 }')
[ "$(grep -c 'DisplayName *REG_SZ *Quorvel$' <<<"$entries")" = 1 ] || fail "not one uninstall entry after the upgrade"
grep -q "DisplayVersion *REG_SZ *$version\$" <<<"$entries" || fail "the entry is not version $version"
grep -q 'Publisher *REG_SZ *Quorvel$' <<<"$entries" || fail "the entry names no publisher"
wine reg query 'HKLM\Software\Classes\Installer\Products' /s | grep -q 'ProductIcon.*\\quorvel\.ico$' ||
  fail "the entry has no icon"
# Windows puts a per-machine package's shortcut in the common Start menu;
# Wine's Windows Installer puts it in the user's.
shortcut=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Quorvel.lnk')
[ -n "$shortcut" ] || fail "no Start menu shortcut"
grep -q '\\quorvel\.ico$' <(strings -el "$shortcut") || fail "the shortcut has no icon"
# On Windows the shortcut shows the exe's string it names, which is the
# version block's Chinese name; Wine shows the ASCII one.
row=$(msiinfo export "$msi" Shortcut | tr -d '\r' | awk -F '\t' '$1 == "StartMenu" { print $13 " " $14 }')
block=$(x86_64-w64-mingw32-windres -i "$program" -O rc)
name=$(sed -n 's/^ *VALUE "FileDescription", //p' <<<"$block")
[ "${row%% *}" = '[#quorvel.exe]' ] && grep -qxF "  ${row#* }, $name" <<<"$block" ||
  fail "the shortcut does not take its name from the exe's string ${row#* }"
runs true

msiexec /x "$msi"
left=$(comm -13 <(echo "$before") <(snapshot))
[ -z "$left" ] || fail "the uninstall left behind: $left"
echo "msi_test: $(basename "$msi"): installed over version 1.1 into Program Files with its shortcut and entry, ran, and uninstalled without a trace"

msiexec /i "$msi"
observe() {
  "$WINELOADER" msiexec /x "Z:${msi//\//\\}" /qn && status=0 || status=$?
  registered=no && entries | grep -q 'DisplayName *REG_SZ *Quorvel$' && registered=yes
  [ -f "$program" ] && kept=kept || kept=removed
}
runs observe
echo "msi_test: uninstalling while the program runs: msiexec exit code $status, product still registered: $registered, quorvel.exe $kept"
# What a later run must not find; the removal above is the one under test.
[ "$registered" = yes ] && msiexec /x "$msi"
rm -rf "$(dirname "$program")"
