#!/bin/bash
# Time and peak memory of `ventakar --verifier` on two huge Helice.txt: 10^6 records (about 59 MB),
# and one line of 66 million commas. Also run under `ulimit -v 1500000`, where it must still finish.
#   bench/run_large_check_bench.sh [build/ventakar]
set -euo pipefail
exe=$(realpath "${1:-build/ventakar}")
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r Data "$work/records"
cp -r Data "$work/commas"
/usr/bin/python3 - "$work" <<'PY'
import sys
work = sys.argv[1]
with open(f"{work}/records/Helice.txt", "w", newline="") as f:
    for i in range(1_000_000):
        f.write(f'"Helice {i}",{100 + i % 50},{4 + i % 5},"Fournisseur","R{i}",1.{i % 10},12,2,"o"\r\n')
with open(f"{work}/commas/Helice.txt", "wb") as f:
    f.write(b"," * 66_000_000 + b"\r\n")
PY
for case in records commas; do
  size=$(du -m "$work/$case/Helice.txt" | cut -f1)
  /usr/bin/time -f "%e %M" -o "$work/time" "$exe" --verifier "$work/$case" >"$work/out" || true
  read -r seconds kib < <(tail -1 "$work/time")
  limited=$( (ulimit -v 1500000; "$exe" --verifier "$work/$case" >/dev/null 2>&1; echo $?) )
  printf '%-8s %4d MB  %6.2f s  peak %4d MB  exit under ulimit -v 1500000: %s  last line: %s\n' \
    "$case" "$size" "$seconds" $((kib / 1024)) "$limited" "$(tail -1 "$work/out")"
done
