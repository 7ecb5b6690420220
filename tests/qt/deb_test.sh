#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root, checks what a
# desktop and a software centre need, and runs the unpacked program headless.
set -euo pipefail
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cpack --config "$1/CPackConfig.cmake" -G DEB -B "$root" >/dev/null
dpkg-deb -f "$root"/quorvel_1.02-*.deb Depends | grep -E 'libqt6widgets6.*qt6-translations-l10n|l10n.*libqt6widgets6'
dpkg-deb -x "$root"/quorvel_1.02-*.deb "$root/fs"
[ -z "$(desktop-file-validate "$root"/fs/usr/share/applications/quorvel.desktop)" ]
appstreamcli validate --no-net "$root"/fs/usr/share/metainfo/*.metainfo.xml >/dev/null
cd "$root/fs/usr/share/icons/hicolor"
for size in 16 32 48 64 128 256; do [ "$(identify -format %wx%h ${size}x${size}/apps/quorvel.png)" = ${size}x${size} ]; done
# Still running after two seconds, without a warning such as a missing translation.
out=$(XDG_RUNTIME_DIR=$root QT_QPA_PLATFORM=offscreen timeout 2 "$root/fs/usr/bin/quorvel" 2>&1; echo "status $?")
[ "$out" = "status 124" ] || { echo "$out"; exit 1; }
