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
/usr/bin/python3 bench/make_propeller_catalogue.py "$work/Data/Helice.txt"
echo "Helice.txt: $(stat -c %s "$work/Data/Helice.txt") bytes"
(cd "$work" && "$probe" pick 200)
rm -rf "$work"
