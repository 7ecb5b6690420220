#!/usr/bin/env bash
# Prints the resident memory of quorvel.exe under Wine at rest and after each
# of five rounds of pasting a lab series into the data box (a click in it,
# Ctrl+V) and answering 是 to 清空 (Alt+C, Enter), each figure read once the
# program has gone idle. The data box keeps only the edit control's single
# undo level, so the figure should stay flat from round to round.
#   bench/win32_paste_rss.sh [build dir] [lines]   (build/win64, 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/win64}
lines=${2:-1000000}
tools/install-deps.sh win32
[ -f "$build/quorvel.exe" ] || { echo "build $build/quorvel.exe first (see README)" >&2; exit 1; }
case "$build" in
  *win32*) export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32 WINEARCH=win32 ;;
  *) export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 WINEARCH=win64 ;;
esac
export WINEPREFIX=$(pwd)/$build/wine/bench-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
data=$(mktemp)
trap 'rm -f "$data"' EXIT
# The lab series of bench/bench_data.h: values with 4 decimals, CR LF between.
python3 - "$lines" >"$data" <<'PY'
import sys
state, out = 12345, []
for _ in range(int(sys.argv[1])):
    state = (state * 1664525 + 1013904223) % 2**32
    value = 900000 + state % 200000
    out.append(f"{value // 10000}.{value % 10000:04d}")
sys.stdout.write("\r\n".join(out))
PY

source tools/wine-display.sh
mkdir -p "$WINEPREFIX"
[ -f "$WINEPREFIX/system.reg" ] || "$WINELOADER" wineboot -i
"$WINELOADER" "$build/quorvel.exe" &
app=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quorvel1\.2$' | head -n 1)
# The loader becomes the program, so its process is quorvel.exe's.
cpu() { awk '{print $14 + $15}' "/proc/$app/stat"; }
idle() {  # until the program has used no CPU time for two seconds
  local before after
  after=$(cpu)
  while sleep 2; before=$after; after=$(cpu); [ "$before" != "$after" ]; do :; done
}
rss() { awk '/^VmRSS/ {printf "%.0f MB", $2 / 1024}' "/proc/$app/status"; }

idle
echo "quorvel.exe ($build) under Wine, $lines lines ($(($(stat -c %s "$data") / 1000000)) MB) a round"
echo "at rest: $(rss)"
for round in 1 2 3 4 5; do
  xclip -selection clipboard -i "$data"
  # 清空 leaves the focus on its button: a click puts it back in the data box.
  xdotool mousemove --window "$window" 200 120 click 1 key ctrl+v
  idle
  pasted=$(rss)
  xdotool key alt+c
  question=$(timeout 60 xdotool search --sync --onlyvisible --name '^提示$' | head -n 1)
  xdotool windowfocus --sync "$question" key Return
  idle
  echo "round $round: $pasted pasted, $(rss) after 清空"
done
"$WINESERVER" -k
