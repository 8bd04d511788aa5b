#!/bin/bash
# The MSI as a school's machine meets it, under wine in a fresh prefix: a silent install, the
# program started from its Start-menu shortcut's target showing the design window, a design file
# opened through the association, the teacher's commands printing in a Windows console, then a
# silent removal that leaves no file of it behind. Screenshots of the three windows into SHOTS.
#   tools/windows_msi_check.sh MSI [SHOTS]
set -euo pipefail
cd "$(dirname "$0")/.."
msi=$(realpath "$1")
shots=${2:-}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEDEBUG=-all WINEPREFIX="$work/prefix" WINEARCH=win64
wine=/usr/lib/wine/wine64
fail() { echo "MSI : $*"; exit 1; }
$wine wineboot -i >/dev/null 2>&1 || true
$wine msiexec /i "$($wine winepath -w "$msi" 2>/dev/null || echo "$msi")" /qn || fail "msiexec /i a échoué"
program="$WINEPREFIX/drive_c/Program Files/VENTAKAR"
[ -f "$program/ventakar.exe" ] || fail "ventakar.exe n'est pas installé"
[ -f "$program/Data/Helice.txt" ] || fail "Data/ n'est pas à côté du programme"
[ -f "$program/platforms/qwindows.dll" ] || fail "le module de plateforme Windows manque"
link=$(find "$WINEPREFIX/drive_c" -iname 'VENTAKAR.lnk' | head -1)
[ -n "$link" ] || fail "pas de raccourci VENTAKAR dans le menu Démarrer"
echo "installé : $(find "$program" -type f | wc -l) fichiers, raccourci $(basename "$link")"
$wine reg query 'HKLM\Software\Classes\.ventakar' | grep -q VENTAKAR.Conception ||
  fail "l'association .ventakar manque"
$wine reg query 'HKLM\Software\Classes\VENTAKAR.Conception\shell\open\command' | grep -qi 'ventakar.exe' ||
  fail "la commande d'ouverture des conceptions manque"

# The teacher's commands, in a Windows console.
check=$($wine cmd /c call "C:\\Program Files\\VENTAKAR\\ventakar.exe" --verifier 2>&1 | tr -d '\r') || true
echo "$check" | tail -1
grep -q "Aucun problème\|aucun problème\|problème" <<<"$check" || fail "--verifier n'écrit rien dans la console"
classe="$work/classe"
mkdir -p "$classe"
printf '%s' '{"format": "ventakar-conception", "version": 1, "pupil": {"name": "Zoé", "class": "5e B"}, "choices": {"propeller": {"text": "Hélice bipale 100 mm", "index": 0}}}' > "$classe/devoir.ventakar"
csv=$($wine cmd /c call "C:\\Program Files\\VENTAKAR\\ventakar.exe" --classe "$($wine winepath -w "$classe" 2>/dev/null)" --csv - 2>&1 | tr -d '\r') || true
grep -q "Zoé;5e B;Incomplète" <<<"$csv" || { echo "$csv" | head -5; fail "--classe --csv - n'écrit pas la classe"; }
echo "--classe : $(grep -c . <<<"$csv") lignes"

# The windows, shown by wine on its own Windows platform under a 1366 × 768 screen.
display=:$((90 + RANDOM % 50))
Xvfb "$display" -screen 0 1366x768x24 >/dev/null 2>&1 &
export DISPLAY=$display
sleep 2
shot() {  # name: waits for a VENTAKAR window, then the screen into SHOTS/windows_name.png
  for _ in $(seq 60); do xdotool search --name "$2" >/dev/null 2>&1 && break; sleep 1; done
  xdotool search --name "$2" >/dev/null 2>&1 || fail "la fenêtre « $2 » ne s'ouvre pas"
  sleep 3
  [ -z "$shots" ] || import -window root "$shots/windows_$1.png"
}
closeStartWindow() {  # a click on the start window, the small window shown first
  for _ in $(seq 30); do
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$id")"
      if [ "$WIDTH" -gt 200 ] && [ "$WIDTH" -lt 700 ] && [ "$HEIGHT" -lt 500 ]; then
        xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
        return 0
      fi
    done
    sleep 1
  done
}
# The shortcut's target, as the Start menu starts it.
(cd "$program" && $wine "C:\\Program Files\\VENTAKAR\\ventakar.exe" >/dev/null 2>&1) &
closeStartWindow
shot conception "VENTAKAR"
$wine taskkill /f /im ventakar.exe >/dev/null 2>&1 || true
sleep 2
# A design opened through the association: its name in the window's title.
cp "$classe/devoir.ventakar" "$work/devoir.ventakar"
(cd "$work" && $wine start /unix "$work/devoir.ventakar" >/dev/null 2>&1) &
closeStartWindow
shot association "devoir"
$wine taskkill /f /im ventakar.exe >/dev/null 2>&1 || true
sleep 2
(cd "$program" && $wine "C:\\Program Files\\VENTAKAR\\ventakar.exe" --classe "$($wine winepath -w "$classe" 2>/dev/null)" >/dev/null 2>&1) &
shot classe "Classe"
$wine taskkill /f /im ventakar.exe >/dev/null 2>&1 || true
sleep 2
(cd "$program" && $wine "C:\\Program Files\\VENTAKAR\\ventakar.exe" --catalogues >/dev/null 2>&1) &
shot catalogues "Catalogues"
$wine taskkill /f /im ventakar.exe >/dev/null 2>&1 || true
sleep 2

$wine msiexec /x "$($wine winepath -w "$msi" 2>/dev/null || echo "$msi")" /qn || fail "msiexec /x a échoué"
left=$(find "$WINEPREFIX/drive_c" -ipath '*ventakar*' 2>/dev/null | grep -vi 'users/.*/appdata\|temp' || true)
[ -z "$left" ] || { echo "$left" | head; fail "des fichiers de VENTAKAR restent après la désinstallation"; }
! $wine reg query 'HKLM\Software\Classes\.ventakar' >/dev/null 2>&1 || fail "l'association reste après la désinstallation"
echo "MSI vérifié sous wine : installé, démarré, association, commandes, désinstallé sans reste"
