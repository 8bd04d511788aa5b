#!/bin/bash
# The whole process `ventakar --classe DOSSIER --csv -` on 30 and 1,000 designs, on the supplied
# Data and on the 10,000-record propeller catalogue, then the order `ventakar --commande DOSSIER
# --csv -` of 1,000 designs: median time of 5 runs and peak memory. Then classes full of identical
# designs: 2,000 copies of one starter file (CSV size, peak memory) and 10,000 designs of which
# half are identical (time), and 10,000 distinct designs, by the command and in the class window.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVENTAKAR_GUI=ON >/dev/null
cmake --build build-bench --target ventakar window_probe >/dev/null
exe=$PWD/build-bench/ventakar
probe=$PWD/build-bench/window_probe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r Data "$work/supplied"
cp -r Data "$work/large"
/usr/bin/python3 bench/make_propeller_catalogue.py "$work/large/Helice.txt"
# Designs of every kind: passing, heavier, unfinished, and one choosing the last propeller.
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
        "wheelSupportMaterial": {"text": "Balsa 3 mm", "index": 0},
        "includeBatteryCost": True, "includeBatteryMass": True, "clearance": 5}
for count in (30, 1000):
    folder = f"{work}/classe{count}"
    for i in range(count):
        choices = dict(base)
        choices["clearance"] = 1 + i % 50
        if i % 7 == 3:
            for key in ("frontMounting", "rearMounting", "chassisMaterial", "wheelSupportMaterial"):
                del choices[key]
        sub = f"{folder}/groupe{i % 5}"
        os.makedirs(sub, exist_ok=True)
        with open(f"{sub}/eleve{i}.ventakar", "w", encoding="utf-8") as f:
            json.dump({"format": "ventakar-conception", "version": 1,
                       "pupil": {"name": f"Élève {i}", "class": "5e B"}, "choices": choices}, f)
# The first `identical` designs are the starter file unchanged; the others each differ a little.
def names(catalogue):
    with open(f"Data/{catalogue}", encoding="cp1252") as f:
        return [line.split('"')[1] for line in f if line.strip()]
propellers, wheels = names("Helice.txt"), names("Roue.txt")
# 10,000 designs whose choices all differ: the propeller, the rear wheel, the clearance and the
# battery boxes in turn.
for i in range(10000):
    choices = dict(base)
    choices["clearance"] = 1 + i % 50
    choices["propeller"] = {"text": propellers[(i // 50) % len(propellers)], "index": (i // 50) % len(propellers)}
    w = (i // 350) % len(wheels)
    choices["rearWheel"] = {"text": wheels[w], "index": w}
    choices["includeBatteryCost"] = (i // 2450) % 2 == 0
    choices["includeBatteryMass"] = (i // 4900) % 2 == 0
    if i >= 9800:
        choices["switch"] = {"text": "Interrupteur à levier", "index": 0}
    sub = f"{work}/distinctes/groupe{i % 20}"
    os.makedirs(sub, exist_ok=True)
    with open(f"{sub}/eleve{i:05d}.ventakar", "w", encoding="utf-8") as f:
        json.dump({"format": "ventakar-conception", "version": 1,
                   "pupil": {"name": f"Élève {i}", "class": "5e B"}, "choices": choices}, f)
for folder, count, identical in (("copies", 2000, 2000), ("moitie", 10000, 5000)):
    for i in range(count):
        choices = dict(base)
        if i >= identical:
            choices["clearance"] = 1 + i % 50
            choices["includeBatteryCost"] = i % 2 == 0
            choices["includeBatteryMass"] = i % 3 == 0
            if i % 5:
                choices["switch"] = {"text": "Interrupteur à levier", "index": 0}
        sub = f"{work}/{folder}/groupe{i % 20}"
        os.makedirs(sub, exist_ok=True)
        with open(f"{sub}/eleve{i:05d}.ventakar", "w", encoding="utf-8") as f:
            json.dump({"format": "ventakar-conception", "version": 1,
                       "pupil": {"name": f"Élève {i}", "class": "5e B"}, "choices": choices}, f)
PY
for what in classe commande; do
for data in supplied large; do
  for count in 30 1000; do
    [ "$what" = commande ] && [ "$count" = 30 ] && continue
    runs=()
    for i in 1 2 3 4 5; do
      start=$(date +%s%N)
      (cd "$work" && rm -rf run && mkdir run && ln -s "$work/$data" run/Data && cd run &&
        /usr/bin/time -f "%M" -o "$work/peak" "$exe" --$what "$work/classe$count" --csv - >"$work/out.csv")
      runs+=($(( ($(date +%s%N) - start) / 1000 )))
    done
    median=$(printf '%s\n' "${runs[@]}" | sort -n | sed -n '3p')
    rows=$(($(wc -l <"$work/out.csv") - 1))
    printf '%-9s %-9s %5d designs: median %4d ms, peak %3d MB, %d rows, %s\n' "$what" "$data" "$count" \
      $((median / 1000)) $(($(cat "$work/peak") / 1024)) "$rows" \
      "$(cut -d';' -f3 "$work/out.csv" | tail -n +2 | sort | uniq -c | tr -s ' ' | tr '\n' ',' | cut -c1-60)"
  done
done
done
for folder in copies moitie distinctes; do
  runs=()
  for i in 1 2 3; do
    start=$(date +%s%N)
    (cd "$work" && rm -rf run && mkdir run && ln -s "$work/supplied" run/Data && cd run &&
      /usr/bin/time -f "%M" -o "$work/peak" "$exe" --classe "$work/$folder" --csv - >"$work/out.csv")
    runs+=($(( ($(date +%s%N) - start) / 1000000 )))
  done
  median=$(printf '%s\n' "${runs[@]}" | sort -n | sed -n '2p')
  printf '%-10s %5d designs: median %5d ms, peak %4d MB, CSV %6d KB, longest row %d bytes\n' \
    "$folder" $(($(wc -l <"$work/out.csv") - 1)) "$median" $(($(cat "$work/peak") / 1024)) \
    $(($(stat -c %s "$work/out.csv") / 1024)) \
    "$(awk '{ if (length($0) > m) m = length($0) } END { print m }' "$work/out.csv")"
done
# The class window on the 10,000 distinct designs: from its construction to its table filled.
for i in 1 2 3 4 5; do
  (cd "$work" && rm -rf run && mkdir run && ln -s "$work/supplied" run/Data && cd run &&
    QT_QPA_PLATFORM=offscreen "$probe" classe "$work/distinctes" 2>/dev/null)
done | sort -t' ' -k6 -n | sed -n '3s/^/median of 5: /p'
