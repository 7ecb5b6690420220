#!/usr/bin/env bash
# artifacts_test.sh SOURCE DIST: every release artifact in DIST carries the
# version of SOURCE's CMakeLists.txt, as 1.2.0.0 in fixed fields and as 1.02
# (the minor number in two digits) where people read it; SHA256SUMS matches;
# each zip holds quorvel.exe, the same as its MSI's, and 说明.txt as old
# Notepad reads it.
set -euo pipefail
export LC_ALL=C.UTF-8
src=$1 dist=$(realpath "$2")
fixed=$(sed -n 's/^project(Quorvel VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
text=$(awk -F . '{ printf "%d.%02d", $1, $2 }' <<<"$fixed")
fail() { echo "artifacts_test: $*" >&2; exit 1; }
# shows TEXT COMMAND...: what COMMAND prints holds TEXT.
shows() { grep -qF -- "$1" <("${@:2}") || fail "no \"$1\" in: ${*:2}"; }
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
# The package's file name is made from the version in its control file.
names=(SHA256SUMS "quorvel-$text-windows-x"{64,86}.{msi,zip} "quorvel_$text-1_amd64.deb")
[ "$(cd "$dist" && echo *)" = "${names[*]}" ] || fail "the artifacts are not named for $text: $(ls "$dist")"

fs=$(mktemp -d)
trap 'rm -rf "$fs"' EXIT
dpkg-deb -x "$dist/${names[5]}" "$fs"
shows "quorvel ($text-1) " zcat "$fs/usr/share/doc/quorvel/changelog.Debian.gz"
shows "<release version=\"$text\"" cat "$fs"/usr/share/metainfo/org.quorvel.Quorvel.metainfo.xml
for page in man1 zh_CN/man1; do shows "\"Quorvel $text\"" zcat "$fs/usr/share/man/$page/quorvel.1.gz"; done
# The credit line is among the programs' UTF-16 strings.
shows "Quorvel $text" strings -el "$fs/usr/bin/quorvel"

for arch in x86 x64; do
  msi=$dist/quorvel-$text-windows-$arch.msi
  shows "ProductVersion	$fixed" msiinfo export "$msi" Property
  unzip -q "${msi%.msi}.zip" -d "$fs/$arch"
  [ "$(cd "$fs/$arch" && echo *)" = "quorvel.exe 说明.txt" ] || fail "the $arch zip holds $(ls "$fs/$arch")"
  # UTF-8 with a byte-order mark, CR LF line ends, and it says how to start.
  readme=$fs/$arch/说明.txt
  [ "$(head -c 3 "$readme" | xxd -p) $(grep -c -v $'\r$' "$readme")" = "efbbbf 0" ] || fail "the $arch readme lacks BOM or CR LF"
  shows "Quorvel $text " head -n 1 "$readme"
  shows "quorvel.exe" cat "$readme"
  exe=$fs/$arch/quorvel.exe
  # msiextract puts the icon stream where it runs, whatever -C says.
  (cd "$fs" && msiextract -C "$arch/msi" "$msi" >/dev/null)
  cmp -s "$exe" "$(find "$fs/$arch/msi" -name quorvel.exe)" || fail "the $arch MSI and zip hold different programs"
  # The fixed and the text version in the version block, and the manifest's.
  [ "$(x86_64-w64-mingw32-windres -i "$exe" -O rc | grep -c -F -e "FILEVERSION ${fixed//./, }" \
    -e "PRODUCTVERSION ${fixed//./, }" -e "VALUE \"FileVersion\", \"$text\"" -e "VALUE \"ProductVersion\", \"$text\"" \
    -e "name=\"\"Quorvel.Quorvel\"\" version=\"\"$fixed\"\"")" = 5 ] || fail "the $arch exe's version block or manifest is not $fixed"
  shows "Quorvel $text" strings -el "$exe"
done
echo "artifacts_test: the package, both MSIs, both zips and their programs all carry $text ($fixed); the zips hold what they should"
