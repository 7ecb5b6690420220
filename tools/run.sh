#!/usr/bin/env bash
# Builds Quorvel and starts its window. Without a display it shows the main
# job instead: starts the window on a virtual display, types the series
# 1 2 3 4 5, presses Alt+M, saves a screenshot, prints its path and exits.
#
# With --web it builds the web app into build/web and serves it on
# http://127.0.0.1:8000/; without a display it instead opens the page in
# headless chromium, does the same and saves build/web/quorvel-screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --web ]; then
  tools/install-deps.sh web
  tools/build-web.sh
  if [ -z "${DISPLAY:-}" ]; then
    [ tests/web/node_modules/.package-lock.json -nt tests/web/package-lock.json ] ||
      npm ci --prefix tests/web --no-audit --no-fund
    exec node tools/web_screenshot.mjs build/web/site build/web/quorvel-screenshot.png
  fi
  echo "Quorvel: http://127.0.0.1:8000/"
  exec python3 -m http.server 8000 --bind 127.0.0.1 --directory build/web/site
fi

# Once configured, the build checks the packages' presence no more and ninja
# re-runs CMake itself when a CMakeLists.txt changes, so an unchanged tree
# starts at once.
if [ ! -f build/release/build.ninja ]; then
  tools/install-deps.sh core qt
  cmake -S . -B build/release -G Ninja -DQUORVEL_QT=ON
fi
cmake --build build/release --target quorvel -j2
program=build/release/app/quorvel
[ -n "${DISPLAY:-}" ] && exec "$program"

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to the file.
Xvfb -displayfd 3 -screen 0 800x600x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR="$work"

"$program" &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorvel1\.2$' | head -n 1)
# There is no window manager to give the window the keyboard focus.
xdotool windowfocus --sync "$window"
xdotool type --delay 40 '1 2 3 4 5'
xdotool key alt+m
sleep 1

screenshot="$PWD/build/quorvel-screenshot.png"
import -window "$window" "$screenshot"
echo "$screenshot"
