#!/bin/bash
# Under a real X server with real key presses, the verdict's explanation shows when the verdict
# takes the focus (Shift+Tab from the first list: Quitter, Imprimer, the start window's button,
# then the verdict), and is still shown once the key is released.
#   verdict_on_focus.sh VENTAKAR-EXECUTABLE SOURCE-DIR [SCREENSHOT]
set -euo pipefail
exe=$(realpath "$1")
cd "$2"
shot=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" HOME="$work"
# The passing design of the screen-reader test.
sed -n '/^cat > "$work\/passing.ventakar"/,/^JSON$/p' tests/system/screen_reader.sh |
  sed '1d;$d' >"$work/passing.ventakar"

cat > "$work/session.sh" <<SCRIPT
set -euo pipefail
"$exe" "$work/passing.ventakar" >"$work/out.txt" 2>&1 & pid=\$!
sleep 2
xdotool key space   # the start window
sleep 1
win=\$(xdotool search --onlyvisible --name "VENTAKAR\\\$" | sed -n 1p)
xdotool windowfocus --sync "\$win"
sleep 0.5
# A tooltip: a visible window of the program other than its main window.
tips() {
  for id in \$(xdotool search --onlyvisible --class ventakar 2>/dev/null); do
    [ "\$id" = "\$win" ] && continue
    eval "\$(xdotool getwindowgeometry --shell "\$id")"
    [ "\$WIDTH" -gt 100 ] && echo "\$id"
  done
  return 0
}
for press in 1 2 3 4 5 6; do
  xdotool key shift+Tab
  sleep 0.6   # well after the key release
  if [ -n "\$(tips)" ]; then
    echo "explanation shown after \$press Shift+Tab"
    [ -n "$shot" ] && import -window root "$shot"
    kill \$pid
    exit 0
  fi
done
kill \$pid
echo "the verdict's explanation never showed" >&2
exit 1
SCRIPT

if ! xvfb-run -a -s "-screen 0 1600x1000x24" bash "$work/session.sh"; then
  echo "--- program output"; cat "$work/out.txt" 2>/dev/null || true
  exit 1
fi
