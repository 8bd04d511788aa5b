#!/bin/bash
# The toolkit for the Windows program, built once from Debian's sources with Debian's mingw-w64:
# Qt's base (Widgets, PrintSupport, Test, the offscreen and Windows platforms, the GIF/JPEG/PNG
# readers, the Fusion/Windows/WindowsVista styles), zlib and libzip, all as DLLs.
#   tools/windows_toolkit.sh            (folder: $VENTAKAR_WINDOWS_TOOLKIT,
#                                        default ~/.cache/ventakar/windows-toolkit)
# Does nothing when the folder already holds the same versions built with the same options.
# About an hour on 2 cores; 46 MB of Qt sources are fetched from Debian's archive (deb-src).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
toolkit=${VENTAKAR_WINDOWS_TOOLKIT:-$HOME/.cache/ventakar/windows-toolkit}
mkdir -p "$toolkit"
toolkit=$(cd "$toolkit" && pwd)
export VENTAKAR_WINDOWS_TOOLKIT=$toolkit
jobs=${VENTAKAR_JOBS:-$(nproc)}
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

"$here/tools/ensure_packages.sh" --ci
missing=()
for p in dpkg-dev qt6-base-dev-tools qt6-base-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Sources come from the same archive and suites as the machine's packages (tools/debian_source.sh
# adds the deb-src entry when apt has none).
"$here/tools/debian_source.sh" qt6-base -
# Every version of a source package the archive lists, newest first (a security update's sources
# are not always there: the next one is taken then).
versions_of() { apt-cache showsrc "$1" | awk '/^Version:/ { print $2 }' | sort -urV; }
host_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
# Raised whenever what is built or how changes (the options below, the toolchain file).
recipe=1
settings="hôte Qt $host_qt; recette $recipe"
# Already built: the same settings, and each source version built still one the archive lists.
if [ -f "$toolkit/VERSIONS" ] && [ "$(sed -n 1p "$toolkit/VERSIONS")" = "$settings" ]; then
  same=1
  while read -r package version; do
    versions_of "$package" | grep -qxF "$version" || same=0
  done < <(sed -n '2,$p' "$toolkit/VERSIONS")
  if [ "$same" = 1 ]; then
    echo "Boîte à outils Windows déjà construite dans $toolkit ($(sed -n '2,$p' "$toolkit/VERSIONS" | paste -sd ' '))"
    exit 0
  fi
fi
echo "Construction de la boîte à outils Windows dans $toolkit ($settings)"
start=$(date +%s)
rm -f "$toolkit/VERSIONS"
src="$toolkit/src"
mkdir -p "$src"
built=()
fetched=""
fetch() {  # package: unpacks its newest fetchable source into $src, its folder in $fetched
  fetched=$("$here/tools/debian_source.sh" "$1" "$src")
  local marker
  marker=$(cd "$src" && ls -d ".$1-"* | head -1)
  built+=("$1 ${marker#."$1"-}")
}
chain="$here/cmake/mingw-w64-x86_64-dll.cmake"
logs="$toolkit/logs"
mkdir -p "$logs"
step() {  # name command…: the command's output in logs/name.log, its end shown when it fails
  local name=$1; shift
  "$@" > "$logs/$name.log" 2>&1 || {
    grep -m5 -B2 -A10 -E 'error|Error|FAILED' "$logs/$name.log" | head -60 || tail -30 "$logs/$name.log"
    echo "Échec de l'étape $name (journal : $logs/$name.log)"; exit 1; }
}

# zlib, then libzip on it (no other compression, Windows' own cryptography).
fetch zlib; zlib_src=$fetched
# Debian's zlib sources leave out win32/; its build for MinGW asks for the version resource there.
mkdir -p "$zlib_src/win32"
[ -f "$zlib_src/win32/zlib1.rc" ] || cat > "$zlib_src/win32/zlib1.rc" <<'RC'
#include <winver.h>
1 VERSIONINFO
FILEVERSION 1,2,13,0
PRODUCTVERSION 1,2,13,0
FILEOS VOS_NT_WINDOWS32
FILETYPE VFT_DLL
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904E4"
    BEGIN
      VALUE "FileDescription", "zlib data compression library"
      VALUE "ProductName", "zlib"
      VALUE "ProductVersion", "1.2.13"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x0409, 1252
  END
END
RC
step zlib-configure cmake -S "$zlib_src" -B "$toolkit/build/zlib" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$chain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$toolkit"
step zlib-build cmake --build "$toolkit/build/zlib" -j "$jobs"
step zlib-install cmake --install "$toolkit/build/zlib"
fetch libzip; zip_src=$fetched
step libzip-configure cmake -S "$zip_src" -B "$toolkit/build/libzip" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$chain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$toolkit" -DCMAKE_PREFIX_PATH="$toolkit" \
      -DBUILD_SHARED_LIBS=ON -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF \
      -DBUILD_DOC=OFF -DBUILD_OSSFUZZ=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
      -DENABLE_OPENSSL=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF
step libzip-build cmake --build "$toolkit/build/libzip" -j "$jobs"
step libzip-install cmake --install "$toolkit/build/libzip"

# Qt's base, with Debian's Qt of the same version as host tools (moc, rcc, uic). FreeType (Qt's
# own copy) only for the offscreen platform the window tests run on; the program uses DirectWrite.
# No tablets: Debian's sources leave out the Wintab header their support needs.
fetch qt6-base; qt_src=$fetched
system_off=()
for lib in zlib png jpeg pcre2 harfbuzz doubleconversion freetype sqlite libb2 textmarkdownreader \
           md4c proxies; do
  system_off+=("-DFEATURE_system_$lib=OFF")
done
step qtbase-configure cmake -S "$qt_src" -B "$toolkit/build/qtbase" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$chain" \
      -DCMAKE_INSTALL_PREFIX="$toolkit/qt" -DQT_HOST_PATH=/usr \
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
      -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
      -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
      -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_concurrent=OFF -DFEATURE_freetype=ON \
      -DFEATURE_fontconfig=OFF -DFEATURE_icu=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF \
      "${system_off[@]}"
echo "  Qt : $(grep -c . "$logs/qtbase-configure.log") lignes de configuration ; construction (environ une heure sur 2 cœurs)"
step qtbase-build cmake --build "$toolkit/build/qtbase" -j "$jobs"
step qtbase-install cmake --install "$toolkit/build/qtbase"

# The compiler's runtime the DLLs need, kept with them for the installer.
mkdir -p "$toolkit/bin"
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  found=$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")
  [ -f "$found" ] || found=$(find /usr/lib/gcc/x86_64-w64-mingw32 /usr/x86_64-w64-mingw32 -name "$dll" | grep -m1 posix || true)
  [ -f "$found" ] || found=$(find /usr/lib/gcc/x86_64-w64-mingw32 /usr/x86_64-w64-mingw32 -name "$dll" | head -1)
  [ -f "$found" ] || { echo "$dll introuvable"; exit 1; }
  cp "$found" "$toolkit/bin/"
done
rm -rf "$toolkit/build"
{ echo "$settings"; printf '%s\n' "${built[@]}"; } > "$toolkit/VERSIONS"
echo "Boîte à outils Windows prête dans $toolkit en $(( ($(date +%s) - start) / 60 )) min ($(du -sh "$toolkit" --exclude=src | cut -f1))"
