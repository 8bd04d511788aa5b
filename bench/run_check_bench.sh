#!/bin/bash
# The catalogue check of a Data folder holding the 10,000-record propeller catalogue of the
# window bench (its pictures present), as « ventakar --verifier » runs it.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVENTAKAR_GUI=ON >/dev/null
cmake --build build-bench --target window_probe ventakar >/dev/null
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r Data "$work/Data"
/usr/bin/python3 bench/make_propeller_catalogue.py "$work/Data/Helice.txt"
(cd "$work" && "$OLDPWD/build-bench/window_probe" check 20)
runs=()
for i in $(seq 10); do
  start=$(date +%s%N)
  build-bench/ventakar --verifier "$work/Data" >/dev/null || true
  runs+=($(( ($(date +%s%N) - start) / 1000 )))
done
median=$(printf '%s\n' "${runs[@]}" | sort -n | sed -n '5p')
echo "ventakar --verifier, whole process: median $((median / 1000)).$(( (median % 1000) / 100 )) ms of 10 runs"
