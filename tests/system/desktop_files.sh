#!/bin/bash
# The desktop entry is valid and names the design files' type; the MIME definition makes
# *.ventakar files (and a renamed design, by its content) that type.
#   desktop_files.sh BUILD-DIR SOURCE-DIR
set -euo pipefail
build=$(realpath "$1"); source=$(realpath "$2")
desktop-file-validate "$build/fr.ventakar.Ventakar.desktop"
grep -qx 'MimeType=application/x-ventakar;' "$build/fr.ventakar.Ventakar.desktop"
grep -q '^Exec=.* %f$' "$build/fr.ventakar.Ventakar.desktop"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/mime/packages"
cp "$source/packaging/ventakar-mime.xml" "$work/mime/packages/ventakar.xml"
update-mime-database "$work/mime" >/dev/null
grep -q '^application/x-ventakar:\*\.ventakar$' "$work/mime/globs"
grep -q 'application/x-ventakar' "$work/mime/magic"
echo "desktop entry and MIME type valid"
