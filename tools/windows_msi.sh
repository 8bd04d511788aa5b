#!/bin/bash
# VENTAKAR for Windows, whole, from this machine: the program and its window tests built with
# Debian's mingw-w64 against the toolkit (tools/windows_toolkit.sh, built first when missing),
# every window test run under wine on Qt's offscreen platform, then OUT/ventakar.msi made by wixl.
#   tools/windows_msi.sh OUT [BUILD_FOLDER]          (default build folder: build-windows-gui)
# Exits non-zero when a test fails or the MSI cannot be made.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 1 ] || { echo "usage : tools/windows_msi.sh DOSSIER_DE_SORTIE [DOSSIER_DE_CONSTRUCTION]"; exit 2; }
mkdir -p "$1"
out=$(cd "$1" && pwd)
build=${2:-build-windows-gui}
mkdir -p "$build"
build=$(cd "$build" && pwd)
export VENTAKAR_WINDOWS_TOOLKIT=${VENTAKAR_WINDOWS_TOOLKIT:-$HOME/.cache/ventakar/windows-toolkit}
[ -f "$VENTAKAR_WINDOWS_TOOLKIT/VERSIONS" ] || tools/windows_toolkit.sh
toolkit=$VENTAKAR_WINDOWS_TOOLKIT
command -v wixl >/dev/null || {
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends wixl >/dev/null; }

echo "== Construction pour Windows (mingw-w64, Qt $(sed -n 2,9p "$toolkit/VERSIONS" | awk '/qt6-base/ { print $2 }')) =="
simdjson=$(tools/debian_source.sh simdjson "$build/sources")
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64-dll.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DVENTAKAR_BENCH=OFF -DCMAKE_PREFIX_PATH="$toolkit/qt;$toolkit" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DVENTAKAR_GTEST_SOURCE=/usr/src/googletest -DVENTAKAR_SIMDJSON_SOURCE="$simdjson/singleheader" \
      > "$build/configure.log" 2>&1 || { tail -30 "$build/configure.log"; exit 1; }
cmake --build "$build" --target ventakar ventakar_qt_tests > "$build/build.log" 2>&1 ||
  { grep -m10 -A8 -E 'error|FAILED' "$build/build.log" | head -80; exit 1; }

# The program as it is installed: its DLLs, Qt's plugins it needs (printing on Windows is inside
# Qt6PrintSupport itself), French dialogs, Data/.
stage="$build/stage"
rm -rf "$stage"
mkdir -p "$stage"/{platforms,styles,imageformats,translations}
cp "$build/ventakar.exe" "$stage/"
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport; do cp "$toolkit/qt/bin/$dll.dll" "$stage/"; done
cp "$toolkit/qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$toolkit/qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp "$toolkit/qt/plugins/imageformats/"{qgif,qjpeg,qico}.dll "$stage/imageformats/"
cp "$toolkit"/bin/*.dll "$stage/"
cp /usr/share/qt6/translations/qtbase_fr.qm "$stage/translations/"
cp -r Data "$stage/Data"
# Qt's folders relative to the program, wherever it is installed.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' > "$stage/qt.conf"
# What a DLL needs that is neither Windows' own nor in the folder: the stage is incomplete.
missing=$(for f in $(find "$stage" -name '*.dll' -o -name '*.exe'); do
            x86_64-w64-mingw32-objdump -p "$f" | awk '/DLL Name:/ { print $3 }'; done | sort -u |
          while read -r dll; do
            [ -n "$(find "$stage" -maxdepth 1 -iname "$dll")" ] && continue
            case "${dll,,}" in
              api-ms-*|kernel32.dll|user32.dll|gdi32.dll|shell32.dll|ole32.dll|oleaut32.dll|advapi32.dll|\
              comdlg32.dll|winspool.drv|ws2_32.dll|msvcrt.dll|imm32.dll|winmm.dll|uxtheme.dll|dwmapi.dll|\
              version.dll|netapi32.dll|userenv.dll|mpr.dll|uuid.dll|shlwapi.dll|setupapi.dll|\
              comctl32.dll|d3d9.dll|d3d11.dll|dxgi.dll|dwrite.dll|d2d1.dll|wtsapi32.dll|authz.dll|\
              bcrypt.dll|crypt32.dll|secur32.dll|ntdll.dll|opengl32.dll|shcore.dll|winhttp.dll) ;;
              *) echo "$dll" ;;
            esac
          done)
[ -z "$missing" ] || { echo "DLL manquantes dans le paquet : $missing"; exit 1; }

echo "== Les tests des fenêtres sous wine (plateforme offscreen) =="
tools/windows_window_tests.sh "$build"

echo "== Le MSI (wixl) =="
version=$(awk -F'[ )]+' '/^project\(ventakar VERSION/ { print $4 }' CMakeLists.txt)
contact=$(awk -F'"' '/set\(VENTAKAR_CONTACT/ { print $2 }' CMakeLists.txt)
homepage=$(awk -F'"' '/set\(VENTAKAR_HOMEPAGE/ { print $2 }' CMakeLists.txt)
(cd "$stage" && find . -type f | sed 's|^\./||' | sort |
   wixl-heat --prefix '' --component-group ProgramFiles --var var.Stage --directory-ref INSTALLDIR \
             --win64) > "$build/files.wxs"
rm -f "$out/ventakar.msi"
# wixl takes source files by paths relative to where it runs.
cp packaging/icons/ventakar.ico "$build/ventakar.ico"
(cd "$build" &&
   wixl -a x64 -D Win64=yes -D Stage=stage -D Version="$version.0" -D Contact="$contact" \
        -D Homepage="$homepage" -D Icon=ventakar.ico -o "$out/ventakar.msi.tmp" \
        "$OLDPWD/packaging/windows/ventakar.wxs" files.wxs)
mv "$out/ventakar.msi.tmp" "$out/ventakar.msi"
echo "MSI : $out/ventakar.msi ($(du -h "$out/ventakar.msi" | cut -f1), $(find "$stage" -type f | wc -l) fichiers)"
