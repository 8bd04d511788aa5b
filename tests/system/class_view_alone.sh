#!/bin/bash
# Started with --classe, the program shows the class view alone; closing it with Ctrl+W ends the
# program, lock and recovery file gone. A screenshot of the class view at 1366 x 768 on request.
#   class_view_alone.sh VENTAKAR-EXECUTABLE SOURCE-DIR [SCREENSHOT]
set -euo pipefail
exe=$(realpath "$1")
cd "$2"
shot=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" HOME="$work"
mkdir -p "$work/classe"
sed -n '/^cat > "$work\/passing.ventakar"/,/^JSON$/p' tests/system/screen_reader.sh |
  sed '1d;$d' >"$work/classe/lea.ventakar"
cp "$work/classe/lea.ventakar" "$work/classe/tom.ventakar"

cat > "$work/session.sh" <<SCRIPT
set -euo pipefail
"$exe" --classe "$work/classe" >"$work/out.txt" 2>&1 & pid=\$!
sleep 2
xdotool key space   # the start window
for i in \$(seq 1 40); do
  win=\$(xdotool search --onlyvisible --name "^Classe" 2>/dev/null | sed -n 1p || true)
  [ -n "\$win" ] && break
  sleep 0.25
done
[ -n "\$win" ] || { echo "no class window" >&2; kill \$pid; exit 1; }
sleep 1
if [ -n "$shot" ]; then
  xdotool windowsize --sync "\$win" 1366 740 windowmove --sync "\$win" 0 0
  sleep 0.5
  import -window root "$shot"
fi
xdotool windowfocus --sync "\$win"
sleep 0.3
xdotool key ctrl+w
for i in \$(seq 1 40); do
  kill -0 \$pid 2>/dev/null || break
  sleep 0.25
done
if kill -0 \$pid 2>/dev/null; then
  echo "the program still runs after its class window closed" >&2
  kill \$pid
  exit 1
fi
wait \$pid
left=\$(ls "$work/data"/*/* 2>/dev/null | grep -c recuperation || true)
[ "\$left" -eq 0 ] || { echo "recovery files left: \$left" >&2; exit 1; }
echo "ended with its class window"
SCRIPT

if ! xvfb-run -a -s "-screen 0 1366x768x24" bash "$work/session.sh"; then
  echo "--- program output"; cat "$work/out.txt" 2>/dev/null || true
  exit 1
fi
