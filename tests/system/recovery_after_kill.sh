#!/bin/bash
# The real program under a virtual X server, stopped with kill -9 in the middle of a design, then
# started again: answering Oui to the recovery question brings back the same choices.
#   recovery_after_kill.sh VENTAKAR-EXECUTABLE SOURCE-DIR
set -euo pipefail
exe=$(realpath "$1")
cd "$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM  # a real X window, for xdotool
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" HOME="$work"
recovery_folder="$XDG_DATA_HOME/VENTAKAR/ventakar"

cat > "$work/session.sh" <<SCRIPT
set -euo pipefail
wait_for() { for _ in \$(seq 100); do eval "\$1" && return 0; sleep 0.1; done; echo "timed out: \$1" >&2; return 1; }
main_window() { xdotool search --onlyvisible --name "^VENTAKAR" 2>/dev/null | sed -n 1p; }
start() {
  "$exe" >"$work/out.txt" 2>&1 & pid=\$!
  sleep 2
  xdotool mousemove 700 400 key space   # the start window
  wait_for '[ -n "\$(main_window)" ]'
}

# First run: two picks in step 1 with the keyboard, then the program is killed.
start
win=\$(main_window)
eval "\$(xdotool getwindowgeometry --shell "\$win")"
menu=\$((HEIGHT - 830))
xdotool mousemove \$((X + 140)) \$((Y + menu + 66)) click 1
sleep 0.5
xdotool key Down Down
wait_for '[ -n "\$(ls "$recovery_folder"/recuperation-*.ventakar 2>/dev/null)" ]'
sleep 0.5
cp "$recovery_folder"/recuperation-*.ventakar "$work/before.ventakar"
kill -9 \$pid
wait \$pid 2>/dev/null || true

# Second run: the question, Oui (the default), then the design saved to a file for comparison.
start
sleep 1
xdotool key Return
sleep 1
case "\$(xdotool getwindowname "\$(main_window)")" in
  'VENTAKAR*') ;;
  *) echo "title after recovery: \$(xdotool getwindowname "\$(main_window)")" >&2; exit 1 ;;
esac
# Without a window manager, a window is active only once it has the input focus.
xdotool windowfocus --sync "\$(main_window)"
sleep 0.5
xdotool key ctrl+s
# The first save asks whose the design is: left empty.
wait_for '[ -n "\$(xdotool search --onlyvisible --name "^Élève" 2>/dev/null | sed -n 1p)" ]'
xdotool windowfocus --sync "\$(xdotool search --onlyvisible --name '^Élève' | sed -n 1p)"
sleep 0.3
xdotool key Return
wait_for '[ -n "\$(xdotool search --onlyvisible --name "^Enregistrer la conception" 2>/dev/null | sed -n 1p)" ]'
dialog=\$(xdotool search --onlyvisible --name '^Enregistrer la conception' | sed -n 1p)
xdotool windowfocus --sync "\$dialog"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 20 "$work/after.ventakar"
xdotool key Return
wait_for '[ -s "$work/after.ventakar" ]'
kill \$pid
SCRIPT

if ! xvfb-run -a -s "-screen 0 1600x1000x24" bash "$work/session.sh"; then
  echo "--- program output"; cat "$work/out.txt" 2>/dev/null || true
  exit 1
fi
/usr/bin/python3 - "$work/before.ventakar" "$work/after.ventakar" <<'PY'
import json, sys
before, after = (json.load(open(p, encoding="utf-8")) for p in sys.argv[1:])
propeller = before["choices"].get("propeller")
assert propeller and propeller["index"] == 1, f"the two picks were not made: {before}"
assert before["choices"] == after["choices"], f"recovered {after} instead of {before}"
print("recovered:", propeller["text"])
PY
