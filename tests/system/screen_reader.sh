#!/bin/bash
# Reads the real program's accessible tree over AT-SPI, as a screen reader does, for a complete
# passing design opened from its file: names, roles, states and descriptions.
#   screen_reader.sh VENTAKAR-EXECUTABLE SOURCE-DIR
set -euo pipefail
exe=$(realpath "$1")
cd "$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" HOME="$work"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0

cat > "$work/passing.ventakar" <<'JSON'
{"format": "ventakar-conception", "version": 1, "choices": {
 "propeller": {"text": "Hélice bipale 100 mm", "index": 0},
 "motor": {"text": "Moteur RE-140", "index": 0},
 "cradle": {"text": "Berceau 20 mm", "index": 0},
 "power": {"text": "Coupleur 2 piles AA", "index": 0},
 "switch": {"text": "Interrupteur à glissière", "index": 1},
 "frontWheel": {"text": "Roue 40 mm", "index": 1},
 "rearWheel": {"text": "Roue 40 mm", "index": 1},
 "frontWheelPosition": "above", "rearWheelPosition": "above", "propellerPosition": "front",
 "frontMounting": {"text": "Support en U", "index": 0},
 "rearMounting": {"text": "Support en U", "index": 0},
 "chassisMaterial": {"text": "Balsa 3 mm", "index": 0},
 "wheelSupportMaterial": {"text": "Balsa 3 mm", "index": 0}}}
JSON

cat > "$work/read_tree.py" <<'PY'
import sys, time
import pyatspi

def find_app():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "ventakar":
                return app
        time.sleep(0.1)
    sys.exit("ventakar is not on the accessibility bus")

def walk(node, out, depth=0):
    if node is None or depth > 40:
        return
    out.append(node)
    for child in node:
        walk(child, out, depth + 1)

def text_of(node):
    try:
        t = node.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return ""

app = find_app()
nodes = []
for _ in range(50):
    nodes = []
    walk(app, nodes)
    if any(n.name == "Etape 14, verdict : conforme" for n in nodes):
        break
    time.sleep(0.2)
by_name = {}
for n in nodes:
    by_name.setdefault(n.name, n)

failures = []
def expect(name, role, value=None, states=(), description=None):
    node = by_name.get(name)
    if node is None:
        failures.append(f"no control named « {name} »")
        return
    if node.getRoleName() != role:
        failures.append(f"« {name} »: role {node.getRoleName()} instead of {role}")
    if value is not None and text_of(node) != value:
        failures.append(f"« {name} »: reads « {text_of(node)} » instead of « {value} »")
    have = node.getState()
    for state in states:
        if not have.contains(state):
            failures.append(f"« {name} »: not {pyatspi.stateToString(state)}")
    if description is not None and not node.description.startswith(description):
        failures.append(f"« {name} »: description « {node.description} »")

S = pyatspi
expect("Etape 1, Diamètre (mm)", "text", value="100")
expect("Etape 1, Masse (g)", "text", value="4")
expect("Etape 2, Diam. arbre (mm)", "text")
expect("Etape 1, Hélice", "combo box", states=(S.STATE_ENABLED, S.STATE_FOCUSABLE))
expect("Etape 13, matériau des supports de roues", "combo box")
expect("Etape 8, Châssis au dessus des roues avant", "radio button",
       states=(S.STATE_CHECKED, S.STATE_ENABLED))
expect("Etape 4, Prendre en compte le coût des batteries", "check box", states=(S.STATE_ENABLED,))
expect("Garde au sol (mm)", "scroll bar", states=(S.STATE_FOCUSABLE,))
expect("Etape 14, verdict : conforme", "image", states=(S.STATE_FOCUSABLE,),
       description="Critères du règlement :")
expect("Votre sélection, masse (g)", "text", description="")
mass = by_name.get("Votre sélection, masse (g)")
if mass is not None and " g : respecte la limite (moins de " not in mass.description:
    failures.append(f"the total mass says « {mass.description} » of its colour")
expect("Imprimer", "push button", states=(S.STATE_ENABLED,))
named = [n for n in nodes if n.name.startswith("Etape ")]
if len(named) < 80:
    failures.append(f"only {len(named)} controls named by their step")
if failures:
    print("\n".join(failures))
    sys.exit(1)
print(f"{len(nodes)} accessible objects read, {len(named)} named by their step")
PY

cat > "$work/session.sh" <<SCRIPT
set -euo pipefail
/usr/libexec/at-spi-bus-launcher --launch-immediately &
sleep 1
"$exe" "$work/passing.ventakar" >"$work/out.txt" 2>&1 & pid=\$!
sleep 2
xdotool mousemove 700 400 key space
sleep 2
status=0
/usr/bin/python3 "$work/read_tree.py" || status=\$?
kill \$pid 2>/dev/null || true
exit \$status
SCRIPT
if ! xvfb-run -a -s "-screen 0 1600x1000x24" dbus-run-session -- bash "$work/session.sh"; then
  echo "--- program output"; cat "$work/out.txt" 2>/dev/null || true
  exit 1
fi
