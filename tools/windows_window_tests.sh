#!/bin/bash
# The window tests built for Windows (tools/windows_msi.sh builds them) run under wine64 on Qt's
# offscreen platform, in the checkout as ctest runs them. Exit 0 only when every test passes;
# rows and tests that only mean something on POSIX say « ROW SKIP » / « SKIPPED » with their reason.
#   tools/windows_window_tests.sh BUILD_FOLDER [GTEST_FILTER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "$1" && pwd)
toolkit=${VENTAKAR_WINDOWS_TOOLKIT:-$HOME/.cache/ventakar/windows-toolkit}
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$build/wine}
# Qt's DLLs, the compiler's runtime, libzip and zlib, found as a school's machine finds them
# beside the program.
export WINEPATH="$(/usr/lib/wine/wine64 winepath -w "$toolkit/qt/bin" 2>/dev/null);$(/usr/lib/wine/wine64 winepath -w "$toolkit/bin" 2>/dev/null)"
export QT_PLUGIN_PATH=$(/usr/lib/wine/wine64 winepath -w "$toolkit/qt/plugins" 2>/dev/null)
# The offscreen platform draws with FreeType: Debian's fonts, as the Linux tests have them.
fonts="$build/fonts"
mkdir -p "$fonts"
cp -f /usr/share/fonts/truetype/dejavu/*.ttf /usr/share/fonts/truetype/liberation/*.ttf "$fonts/" 2>/dev/null || true
export QT_QPA_FONTDIR=$(/usr/lib/wine/wine64 winepath -w "$fonts" 2>/dev/null)
export QT_QPA_PLATFORM="offscreen:configfile=$(/usr/lib/wine/wine64 winepath -w "$PWD/tests/qt/offscreen_screen.json" 2>/dev/null)"
cp -f "$toolkit"/qt/bin/Qt6{Core,Gui,Widgets,PrintSupport,Test}.dll "$toolkit"/bin/*.dll "$build/" 2>/dev/null || true
log="$build/window_tests.log"
status=0
/usr/lib/wine/wine64 "$build/ventakar_qt_tests.exe" --gtest_filter="${2:--SmallScreen.*}" > "$log" 2>&1 || status=$?
grep -E '^\[ ROW SKIP \]' "$log" || true
grep -E '^\[  SKIPPED \] [A-Za-z]' "$log" | grep -v ' ms)' || true
awk '/: Skipped$/ { getline why; print "  reason: " why }' "$log" | sort -u
grep -E '^\[  (PASSED|FAILED) +\]' "$log" | grep -v ' ms)' || true
if [ "$status" -ne 0 ]; then
  grep -B5 -A15 'Failure' "$log" | head -120 || tail -20 "$log"
  echo "Windows (wine) : des tests des fenêtres échouent (journal : $log)"
  exit 1
fi
echo "Windows (wine) : tous les tests des fenêtres passent ($(grep -c '^\[       OK \]' "$log") réussis)"
