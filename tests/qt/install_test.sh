#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs:
# the program, its menu entry and its icon in the hicolor theme.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/quorvel" ] || { echo "FAIL: bin/quorvel missing"; exit 1; }
entry="$prefix/share/applications/quorvel.desktop"
for line in '[Desktop Entry]' 'Type=Application' 'Exec=quorvel' 'Icon=quorvel'; do
  grep -qxF "$line" "$entry" || { echo "FAIL: $entry lacks '$line'"; exit 1; }
done
for size in 16 32; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/quorvel.png"
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  [ "$(od -An -tx1 -j16 -N8 "$icon" | tr -d ' \n')" = "$(printf '%08x%08x' "$size" "$size")" ] ||
    { echo "FAIL: $icon is not a ${size}x${size} PNG"; exit 1; }
done
echo "installed: program, desktop entry, 16 and 32 pixel icons"
