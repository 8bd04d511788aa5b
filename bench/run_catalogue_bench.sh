#!/bin/bash
# Runs the catalogue benchmark and Python's csv module on the same generated file, then prints
# the ratios: reader against the csv module and against the bare separator scan.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVENTAKAR_GUI=ON >/dev/null
cmake --build build-bench --target catalogue_bench >/dev/null
export VENTAKAR_BENCH_DIR=$(mktemp -d)
build-bench/catalogue_bench --benchmark_format=json --benchmark_min_time=0.5 > "$VENTAKAR_BENCH_DIR/cpp.json"
/usr/bin/python3 - "$VENTAKAR_BENCH_DIR" <<'PY'
import csv, io, json, sys, time
root = sys.argv[1]
path = root + "/Data/Helice.txt"
size = len(open(path, "rb").read())
runs = []
for _ in range(20):
    t = time.perf_counter()
    with open(path, encoding="cp1252", newline="") as f:
        rows = list(csv.reader(f))
    runs.append(time.perf_counter() - t)
py = size / min(runs) / 1e6
res = {b["name"]: b for b in json.load(open(root + "/cpp.json"))["benchmarks"]}
def mbs(name): return res[name]["bytes_per_second"] / 1e6
for name in ("BM_readRecordAt_last", "BM_readCatalogue", "BM_plainSeparatorScan"):
    print(f"{name:28s} {mbs(name):8.1f} MB/s  ({res[name]['real_time']:.2f} ms)")
print(f"{'python csv module':28s} {py:8.1f} MB/s  ({min(runs)*1e3:.2f} ms, {len(rows)} rows, {size} bytes)")
print(f"MyVal: {res['BM_MyVal_shortTexts']['items_per_second']/1e6:.1f} million texts/s")
print(f"readCatalogue / python csv = {mbs('BM_readCatalogue')/py:.2f}x (target >= 3)")
print(f"readRecordAt / python csv  = {mbs('BM_readRecordAt_last')/py:.2f}x")
print(f"readCatalogue / plain scan = {mbs('BM_readCatalogue')/mbs('BM_plainSeparatorScan'):.2f} (target >= 0.33)")
PY
rm -rf "$VENTAKAR_BENCH_DIR"
