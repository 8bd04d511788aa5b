#!/bin/bash
# Orca, Debian's screen reader, reads the real program: what it says for the start window and the
# first 20 Tabs of a saved passing design, its speech written to a file by speech-dispatcher's
# generic module (no sound). Exit 77 (skipped) with the reason where Orca cannot run.
#   orca_speech.sh VENTAKAR-EXECUTABLE SOURCE-DIR
set -uo pipefail
exe=$(realpath "$1")
cd "$2"
for tool in orca speech-dispatcher xvfb-run dbus-run-session xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
       XDG_RUNTIME_DIR="$work/run"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0 LC_ALL=C.UTF-8
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
speech="$work/speech.txt"
: >"$speech"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<CONF
AddModule "texte" "sd_generic" "texte.conf"
DefaultModule texte
AudioOutputMethod "libao"
CONF
printf 'default_driver=null\n' >"$HOME/.libao"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/texte.conf" <<CONF
GenericExecuteSynth "echo \\'\$DATA\\' >> $speech"
GenericStripPunctChars ""
GenericLanguage "fr" "fr" "utf-8"
GenericLanguage "en" "en" "utf-8"
AddVoice "fr" "MALE1" "fr"
CONF
sed -n '/^cat > "$work\/passing.ventakar"/,/^JSON/p' tests/system/screen_reader.sh | sed '1d;$d' \
  >"$work/passing.ventakar"

cat >"$work/session.sh" <<SCRIPT
/usr/libexec/at-spi-bus-launcher --launch-immediately &
sleep 1
orca --replace >"$work/orca.txt" 2>&1 &
for i in \$(seq 50); do grep -q . "$speech" && break; sleep 0.2; done
grep -q . "$speech" || exit 3
"$exe" "$work/passing.ventakar" >"$work/out.txt" 2>&1 & pid=\$!
for i in \$(seq 50); do grep -q "continuer" "$speech" && break; sleep 0.2; done
xdotool key space
sleep 2
# No window manager: the design window is given the keyboard as one would give it, again until
# Orca says it has it (the start window may still be closing the first time).
for i in \$(seq 10); do
  xdotool windowfocus "\$(xdotool search --pid \$pid --onlyvisible | tail -1)"
  for j in \$(seq 10); do grep -q "VENTAKAR frame" "$speech" && break 2; sleep 0.3; done
done
sleep 4  # the design window's first events read
echo "=== Tabs" >>"$speech"
for i in \$(seq 20); do echo "--- Tab \$i" >>"$speech"; xdotool key Tab; sleep 1; done
sleep 3  # what is still being said
kill \$pid 2>/dev/null
SCRIPT
xvfb-run -a -s "-screen 0 1600x1000x24" dbus-run-session -- bash "$work/session.sh" >/dev/null 2>&1
status=$?
if [ $status -eq 3 ]; then
  echo "SKIPPED: Orca said nothing (no speech-dispatcher output)"; cat "$work/orca.txt"; exit 77
fi
cat "$speech"

fail=0
say() { echo "FAULT: $*"; fail=1; }
grep -q "VENTAKAR, démarrage dialog" "$speech" || say "the start window is not named"
grep -q "Appuyez sur Espace ou cliquez pour continuer" "$speech" || say "the start window's key is not said"
grep -qiE "Text unselected|Texte désélectionné|editable combo|combo box modifiable" "$speech" &&
  say "a list is announced as editable text"
grep -q "Etape 4, Type de batteries, Pile" "$speech" || say "the option group's caption is not said"
# Each list heard once a Tab: its item once.
lists=$(grep -c "combo box" "$speech")
[ "$lists" -ge 6 ] || say "only $lists lists heard in 20 Tabs"
for item in "Interrupteur à glissière" "Berceau 20 mm"; do
  n=$(grep -c "^$item\.\?\$" "$speech")
  [ "$n" -le 1 ] || say "« $item » read $n times"
done
grep -q "Garde au sol (mm) scroll bar" "$speech" || say "the Tabs did not reach the clearance bar"
exit $fail
