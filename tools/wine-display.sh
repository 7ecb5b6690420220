# Sourced by the stages that run programs under Wine: starts Xvfb on a free
# display and exports DISPLAY; when the calling script exits, stops the Wine
# server it last named in WINESERVER and the display.
xvfb_pid=
stop_wine_and_display() {
  [ -z "${WINESERVER:-}" ] || "$WINESERVER" -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap stop_wine_and_display EXIT
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
[ -s "$display_file" ] || { echo "$(basename "$0"): Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$display_file")
rm -f "$display_file"
