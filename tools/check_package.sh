#!/bin/bash
# Builds the Debian package from build/, unpacks it into a temporary root and checks what a school
# would install: the program answers --version, checks its own installed Data (exit 0) from
# another folder, and the desktop entry and the AppStream metainfo are valid.
set -euo pipefail
cd "$(dirname "$0")/.."
# Built as a school's server would, under the C locale: the accented picture names must go in.
LANG=C LC_ALL=C cmake --build build --target deb >/dev/null
version=$(sed -n 's/^project(ventakar VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="build/ventakar_${version}_amd64.deb"
[ -f "$deb" ] || { echo "no $deb" >&2; exit 1; }
debPath=$(realpath "$deb")
# Read whole before matching: grep -q stopping early would end dpkg-deb with SIGPIPE under pipefail.
info=$(dpkg-deb -I "$deb")
for needed in 'libc6 (>= ' 'libqt6widgets6 (>= 6' qt6-translations-l10n fonts-liberation; do
  grep -q "Depends:.*$needed" <<<"$info" ||
    { echo "the package's Depends: lacks $needed" >&2; exit 1; }
done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
cd "$root/usr/share"
"$root/usr/bin/ventakar" --version
"$root/usr/bin/ventakar" --verifier | tail -1
desktop-file-validate "$root/usr/share/applications/fr.ventakar.Ventakar.desktop"
grep -q '^Icon=ventakar$' "$root/usr/share/applications/fr.ventakar.Ventakar.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/fr.ventakar.Ventakar.metainfo.xml"
for f in man/man1/ventakar.1.gz doc/ventakar/copyright doc/ventakar/changelog.gz mime/packages/ventakar.xml icons/hicolor/scalable/apps/ventakar.svg \
         icons/hicolor/256x256/apps/ventakar.png ventakar/Data/Helice.txt; do
  [ -f "$root/usr/share/$f" ] || { echo "missing from the package: $f" >&2; exit 1; }
done
# What a school's repository runs on it: no error and no warning but the one overridden.
tags=$(lintian --pedantic -I "$debPath" 2>&1) || { echo "$tags" >&2; echo "lintian did not run" >&2; exit 1; }
echo "$tags"
if grep -E '^(E|W): ' <<<"$tags"; then
  echo "lintian: errors or warnings on the package" >&2
  exit 1
fi
echo "package $(basename "$deb") checked"
