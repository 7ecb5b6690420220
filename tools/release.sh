#!/usr/bin/env bash
# Builds every release artifact into build/dist: the Debian package, the MSI
# installer and the portable zip of each Windows build (x86 and x64), and
# SHA256SUMS over them. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh core qt deb win32 release

cmake -S . -B build/release -G Ninja -DQUORVEL_QT=ON >/dev/null
cmake --build build/release -j2 --target quorvel
for target in win32:i686 win64:x86_64; do
  cmake -S . -B "build/${target%%:*}" -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-${target#*:}.cmake" >/dev/null
  cmake --build "build/${target%%:*}" -j2 --target quorvel_msi quorvel_zip
done

rm -rf build/dist
mkdir -p build/dist
cpack --config build/release/CPackConfig.cmake -G DEB -B build/dist/deb >/dev/null
mv build/dist/deb/quorvel_*.deb build/dist/
rm -rf build/dist/deb
cp build/win32/quorvel-*-windows-x86.msi build/win32/quorvel-*-windows-x86.zip \
   build/win64/quorvel-*-windows-x64.msi build/win64/quorvel-*-windows-x64.zip build/dist/
(cd build/dist && sha256sum -- * >SHA256SUMS)
echo "release: built into build/dist:"
ls build/dist
