#!/usr/bin/env bash
# zip_test.sh ZIP: the portable zip holds quorvel.exe and 说明.txt, the readme
# as old Notepad reads it (UTF-8 with a byte-order mark, CR LF line ends),
# and the unzipped exe starts under Wine (WINELOADER, DISPLAY set by the
# caller), shows its window and closes when asked.
set -euo pipefail
zip=$1
fail() { echo "zip_test: $(basename "$zip"): $*" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
LC_ALL=C.UTF-8 unzip -q "$zip" -d "$dir"
[ "$(cd "$dir" && LC_ALL=C ls)" = $'quorvel.exe\n说明.txt' ] || fail "holds $(ls "$dir")"
readme=$dir/说明.txt
[ "$(head -c 3 "$readme" | xxd -p)" = efbbbf ] || fail "the readme has no byte-order mark"
[ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || fail "the readme has lines without CR LF"
grep -q 'quorvel\.exe' "$readme" || fail "the readme does not say how to start the program"
"$WINELOADER" "$dir/quorvel.exe" & app=$!
timeout 60 xdotool search --sync --onlyvisible --name '^Quorvel1\.2$' >/dev/null || fail "no window"
"$WINELOADER" taskkill /im quorvel.exe >/dev/null
wait "$app" || fail "the unzipped program ended with $?"
echo "zip_test: $(basename "$zip"): quorvel.exe and 说明.txt (UTF-8 with BOM, CR LF); the unzipped program showed its window"
