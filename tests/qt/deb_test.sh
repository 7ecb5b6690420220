#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, unpacks it into a scratch
# root, checks what a desktop and a software centre need, and runs the
# unpacked program headless.
set -euo pipefail
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cpack --config "$1/CPackConfig.cmake" -G DEB -B "$root" >/dev/null
# No error and no warning; an override in the package says why it applies.
lintian --fail-on error,warning "$root"/quorvel_*.deb
dpkg-deb -f "$root"/quorvel_*.deb Depends | grep -E 'libqt6widgets6.*qt6-translations-l10n|l10n.*libqt6widgets6'
dpkg-deb -x "$root"/quorvel_*.deb "$root/fs"
[ -z "$(desktop-file-validate "$root"/fs/usr/share/applications/quorvel.desktop)" ]
appstreamcli validate --no-net "$root"/fs/usr/share/metainfo/*.metainfo.xml >/dev/null
# Each size, as large as its folder says, with an alpha channel, and clear
# round the picture.
[ "$(identify -format '%d %wx%h %A %[fx:p{0,0}.a]\n' "$root"/fs/usr/share/icons/hicolor/{16,32,48,64,128,256}x*/apps/quorvel.png |
  grep -c -E '/([0-9]+)x\1/apps \1x\1 True 0$')" = 6 ]
# Still running after two seconds, without a warning such as a missing translation.
out=$(XDG_RUNTIME_DIR=$root QT_QPA_PLATFORM=offscreen timeout 2 "$root/fs/usr/bin/quorvel" 2>&1; echo "status $?")
[ "$out" = "status 124" ] || { echo "$out"; exit 1; }
