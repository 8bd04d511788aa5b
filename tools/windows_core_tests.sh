#!/bin/bash
# The core and its tests built for 64-bit Windows with Debian's mingw-w64 (GoogleTest from
# Debian's sources for that target), then run under wine. Exit 0 only when every test passes
# (rows that only mean something on POSIX say « ROW SKIP » with their reason).
#   tools/windows_core_tests.sh [BUILD_FOLDER]      (default: build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
mkdir -p "$build"
build=$(cd "$build" && pwd)
for tool in x86_64-w64-mingw32-g++-posix /usr/lib/wine/wine64; do
  command -v "$tool" >/dev/null || { echo "$tool manque : tools/ensure_packages.sh --ci"; exit 1; }
done
[ -f /usr/src/googletest/CMakeLists.txt ] || { echo "/usr/src/googletest manque (paquet googletest)"; exit 1; }
# simdjson for Windows: Debian's own source, its amalgamated files built with the core.
simdjson=$(tools/debian_source.sh simdjson "$build/sources")
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DVENTAKAR_GUI=OFF -DVENTAKAR_BENCH=OFF \
      -DVENTAKAR_GTEST_SOURCE=/usr/src/googletest -DVENTAKAR_SIMDJSON_SOURCE="$simdjson/singleheader" \
      >/dev/null
cmake --build "$build" --target ventakar_core_tests 2>&1 | tail -3
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$build/wine}
# A fresh prefix is made once (about 20 s); the tests run in the checkout, as ctest runs them.
log="$build/core_tests.log"
status=0
/usr/lib/wine/wine64 "$build/ventakar_core_tests.exe" > "$log" 2>&1 || status=$?
tools/wine_test_report.sh "$log" "$status" "du cœur"
