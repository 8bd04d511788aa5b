#!/bin/bash
# « Que changer ? » on the supplied catalogues, then with 10,000 propellers.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench --target what_to_change_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r Data "$work/Data"
echo "== Catalogues fournis =="
VENTAKAR_BENCH_DIR="$work" build-bench/what_to_change_bench
/usr/bin/python3 bench/make_propeller_catalogue.py "$work/Data/Helice.txt"
echo "== 10 000 hélices =="
VENTAKAR_BENCH_DIR="$work" build-bench/what_to_change_bench
