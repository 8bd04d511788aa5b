#!/bin/bash
# Identical designs in proportion: `ventakar --classe DOSSIER --csv -` on 2,000 copies of one
# starter file (CSV size and peak memory), and on 10,000 designs of which half are identical
# (time). Median of 3 runs.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVENTAKAR_GUI=ON >/dev/null
cmake --build build-bench --target ventakar >/dev/null
exe=$PWD/build-bench/ventakar
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 - "$work" <<'PY'
import json, os, sys
work = sys.argv[1]
base = {"propeller": {"text": "Hélice bipale 100 mm", "index": 0},
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
        "wheelSupportMaterial": {"text": "Balsa 3 mm", "index": 0}, "clearance": 5}
def write(folder, count, identical):
    for i in range(count):
        choices = dict(base)
        if i >= identical:
            choices["clearance"] = 1 + i % 50
            choices["includeBatteryCost"] = i % 2 == 0
            choices["includeBatteryMass"] = i % 3 == 0
            choices["switch"] = {"text": "Interrupteur à levier", "index": 0} if i % 5 else base["switch"]
        sub = f"{folder}/groupe{i % 20}"
        os.makedirs(sub, exist_ok=True)
        with open(f"{sub}/eleve{i:05d}.ventakar", "w", encoding="utf-8") as f:
            json.dump({"format": "ventakar-conception", "version": 1,
                       "pupil": {"name": f"Élève {i}", "class": "5e B"}, "choices": choices}, f)
write(f"{work}/copies", 2000, 2000)
write(f"{work}/moitie", 10000, 5000)
PY
for folder in copies moitie; do
  runs=()
  for i in 1 2 3; do
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$work/peak" "$exe" --classe "$work/$folder" --csv - >"$work/out.csv"
    runs+=($(( ($(date +%s%N) - start) / 1000000 )))
  done
  median=$(printf '%s\n' "${runs[@]}" | sort -n | sed -n '2p')
  printf '%-7s %5d designs: median %5d ms, peak %4d MB, CSV %6d KB, longest row %d bytes\n' \
    "$folder" $(($(wc -l <"$work/out.csv") - 1)) "$median" $(($(cat "$work/peak") / 1024)) \
    $(($(stat -c %s "$work/out.csv") / 1024)) "$(awk '{ if (length($0) > m) m = length($0) } END { print m }' "$work/out.csv")"
done
