#!/bin/bash
# Start-up time of the design window (median of 20 runs, offscreen) and the time of a pick in a
# 10,000-record propeller list, with the supplied Data.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVENTAKAR_GUI=ON >/dev/null
cmake --build build-bench --target window_probe >/dev/null
export QT_QPA_PLATFORM=offscreen
probe=$PWD/build-bench/window_probe
runs=()
for i in $(seq 20); do
  start=$(date +%s%N)
  "$probe" startup > /tmp/ventakar-probe.txt
  end=$(date +%s%N)
  runs+=($(( (end - start) / 1000 )))
done
median=$(printf '%s\n' "${runs[@]}" | sort -n | sed -n '10p')
echo "start-up to window shown: median $((median / 1000)).$(( (median % 1000) / 100 )) ms of 20 runs ($(cat /tmp/ventakar-probe.txt))"

work=$(mktemp -d)
cp -r Data "$work/Data"
/usr/bin/python3 - "$work/Data/Helice.txt" <<'PY'
import sys
rows = []
for i in range(10000):
    rows.append('"Hélice bipale 100 mm",%d,%d.5,"Fournitures Aéro, École",REF-%d,%d.20,%d,%d,"%s"'
                % (80 + i % 200, 3 + i % 12, 100000 + i, 1 + i % 9, 10 + i % 40, 2 + i % 2, "no"[i % 2]))
open(sys.argv[1], "wb").write(("\r\n".join(rows) + "\r\n").encode("cp1252"))
PY
echo "Helice.txt: $(stat -c %s "$work/Data/Helice.txt") bytes"
(cd "$work" && "$probe" pick 200)
rm -rf "$work"
