#!/bin/bash
# « Comparer les choix… » of the propeller step with the 10,000-record catalogue of
# make_propeller_catalogue.py and the other supplied catalogues: every row, and the first 30.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench --target choices_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r Data "$work/Data"
/usr/bin/python3 bench/make_propeller_catalogue.py "$work/Data/Helice.txt"
VENTAKAR_BENCH_DIR="$work" build-bench/choices_bench
