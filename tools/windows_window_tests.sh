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
# The offscreen platform draws with FreeType from one folder, without fontconfig to choose among
# its fonts: the families the Linux tests get (DejaVu Sans by default, Liberation for Arial and
# MS Sans Serif), and no other a family missing could fall back on (a math font's lines are tall).
fonts="$build/fonts"
rm -rf "$fonts"
mkdir -p "$fonts"
cp -f /usr/share/fonts/truetype/dejavu/DejaVuSans{,-Bold,-Oblique,-BoldOblique}.ttf \
      /usr/share/fonts/truetype/liberation/Liberation{Sans,Serif,Mono}-*.ttf "$fonts/"
# Wine hands no QT_* variable of Linux to a Windows program: Qt's are set as Windows sets a
# user's environment, in the prefix's registry.
setenv() { /usr/lib/wine/wine64 reg add 'HKCU\Environment' /v "$1" /d "$2" /f >/dev/null 2>&1; }
setenv QT_QPA_FONTDIR "$(/usr/lib/wine/wine64 winepath -w "$fonts" 2>/dev/null)"
# (The tests' own platform, offscreen and its screen of tests/qt/offscreen_screen.json, is read by
# its Unix path, the checkout being on wine's drive Z:.)
# Qt's DLLs, the compiler's runtime, libzip and zlib beside the program, as a school's machine
# finds them, and Qt's plugins there too, where Qt looks for them first.
cp -f "$toolkit"/qt/bin/Qt6{Core,Gui,Widgets,PrintSupport,Test}.dll "$toolkit"/bin/*.dll "$build/"
for kind in platforms imageformats styles; do
  mkdir -p "$build/$kind"
  cp -f "$toolkit/qt/plugins/$kind"/*.dll "$build/$kind/"
done
# Qt's own dialogs in French, found as the installed program finds them.
mkdir -p "$build/translations"
cp -f /usr/share/qt6/translations/qtbase_fr.qm "$build/translations/"
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' > "$build/qt.conf"
# Wine makes every window (Qt's own message window too) through an X display, even for Qt's
# offscreen platform: a screen of its own.
display=:$((150 + RANDOM % 50))
Xvfb "$display" -screen 0 1920x1080x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
log="$build/window_tests.log"
status=0
/usr/lib/wine/wine64 "$build/ventakar_qt_tests.exe" --gtest_filter="${2:--SmallScreen.*}" > "$log" 2>&1 || status=$?
tools/wine_test_report.sh "$log" "$status" "des fenêtres"
