#!/usr/bin/env bash
# version_test.sh SOURCE DIST: every release artifact in DIST carries the
# version of SOURCE's CMakeLists.txt, as 1.2.0.0 in fixed fields and as 1.02
# (the minor number in two digits) where people read it; SHA256SUMS matches.
set -euo pipefail
src=$1 dist=$(realpath "$2")
fail() { echo "version_test: $*" >&2; exit 1; }
fixed=$(sed -n 's/^project(Quorvel VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
IFS=. read -r major minor patch tweak <<<"$fixed"
text=$(printf '%d.%02d' "$major" "$minor")
credit="Quorvel $text"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
[ "$(cd "$dist" && ls | grep -v SHA256SUMS)" = "quorvel-$text-windows-x64.msi
quorvel-$text-windows-x64.zip
quorvel-$text-windows-x86.msi
quorvel-$text-windows-x86.zip
quorvel_$text-1_amd64.deb" ] || fail "the artifacts are not named for $text: $(ls "$dist")"

deb=$dist/quorvel_$text-1_amd64.deb fs=$(mktemp -d)
trap 'rm -rf "$fs"' EXIT
[ "$(dpkg-deb -f "$deb" Version)" = "$text-1" ] || fail "the package is not $text-1"
dpkg-deb -x "$deb" "$fs"
zcat "$fs/usr/share/doc/quorvel/changelog.Debian.gz" | head -n 1 | grep -qF "quorvel ($text-1)" ||
  fail "the changelog does not start with $text-1"
grep -qF "<release version=\"$text\"" "$fs"/usr/share/metainfo/*.xml || fail "the metainfo has no release $text"
for page in man1 zh_CN/man1; do
  zcat "$fs/usr/share/man/$page/quorvel.1.gz" | head -n 3 | grep -qF "\"$credit\"" || fail "$page/quorvel.1 is not for $text"
done
grep -qx "$credit" <(strings -el "$fs/usr/bin/quorvel") || fail "the Linux credit line is not $credit"

for arch in x86 x64; do
  [ "$(msiinfo export "$dist/quorvel-$text-windows-$arch.msi" Property | tr -d "\r" |
       awk '$1 == "ProductVersion" { print $2 }')" = "$fixed" ] || fail "the $arch MSI is not $fixed"
  unzip -q -o "$dist/quorvel-$text-windows-$arch.zip" -d "$fs/$arch"
  exe=$fs/$arch/quorvel.exe
  head -n 1 "$fs/$arch"/*.txt | grep -qF "$credit" || fail "the $arch readme is not for $text"
  # The MSI carries the same exe as the zip.
  # msiextract puts the icon stream where it runs, whatever -C says.
  (cd "$fs/$arch" && msiextract -C msi "$dist/quorvel-$text-windows-$arch.msi" >/dev/null)
  cmp -s "$exe" "$(find "$fs/$arch/msi" -name quorvel.exe)" || fail "the $arch MSI and zip hold different programs"
  block=$(x86_64-w64-mingw32-windres -i "$exe" -O rc)
  for line in "FILEVERSION ${fixed//./, }" "PRODUCTVERSION ${fixed//./, }" \
    "VALUE \"FileVersion\", \"$text\"" "VALUE \"ProductVersion\", \"$text\""; do
    grep -qF "$line" <<<"$block" || fail "the $arch exe's version block lacks $line"
  done
  grep -q "assemblyIdentity .*name=\"Quorvel.Quorvel\" version=\"$fixed\"" <(strings -a "$exe") ||
    fail "the $arch exe's manifest is not $fixed"
  grep -qx "$credit" <(strings -el "$exe") || fail "the $arch credit line is not $credit"
done
echo "version_test: the package, both MSIs, both zips and their programs all carry $text ($fixed)"
