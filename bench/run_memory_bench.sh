#!/bin/bash
# Peak memory (maximum resident set, /usr/bin/time -v) of the real window, offscreen:
#   - the program's base: start-up with the supplied Data;
#   - a session showing five 5600 x 5600 propeller pictures in turn;
#   - start-up on a 50 MB propeller catalogue.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVENTAKAR_GUI=ON >/dev/null
cmake --build build-bench --target window_probe >/dev/null
export QT_QPA_PLATFORM=offscreen
probe=$PWD/build-bench/window_probe
peak() { /usr/bin/time -v "$@" 2>&1 >/dev/null | awk '/Maximum resident/ {print $6}'; }

base=$(peak "$probe" shown)
echo "base (supplied Data): $((base / 1024)) MB"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r Data "$work/Data"
/usr/bin/python3 - "$work/Data" <<'PY'
import sys
from PIL import Image, ImageDraw
names = ["Hélice bipale 100 mm", "Hélice bipale 125 mm", "Hélice 3, tripale 120 mm",
         "Hélice tripale 150, pales courbes", "Hélice tripale 200 mm"]
for i, name in enumerate(names):
    im = Image.new("RGB", (5600, 5600), (40 * i, 120, 200))
    d = ImageDraw.Draw(im)
    for k in range(0, 5600, 140):
        d.line([(k, 0), (5600 - k, 5600)], fill=(255, 255 - 40 * i, 0), width=9)
    im.save(f"{sys.argv[1]}/{name}.jpg", quality=85)
PY
cycle=$(cd "$work" && peak "$probe" cycle 5)
echo "five 5600x5600 pictures in turn: $((cycle / 1024)) MB ($(( (cycle - base) / 1024 )) MB above base)"

rm -rf "$work/Data" && cp -r Data "$work/Data"
/usr/bin/python3 - "$work/Data/Helice.txt" <<'PY'
import sys
row = '"Hélice bipale 100 mm",%d,%d.5,"Fournitures Aéro, École",REF-%d,%d.20,%d,%d,"%s"'
out, size, i = [], 0, 0
while size < 50_000_000:
    line = row % (80 + i % 200, 3 + i % 12, 100000 + i, 1 + i % 9, 10 + i % 40, 2 + i % 2, "no"[i % 2])
    out.append(line); size += len(line.encode("cp1252")) + 2; i += 1
open(sys.argv[1], "wb").write(("\r\n".join(out) + "\r\n").encode("cp1252"))
print(f"{i} records", file=sys.stderr)
PY
bytes=$(stat -c %s "$work/Data/Helice.txt")
start=$(date +%s%N)
big=$(cd "$work" && peak "$probe" shown)
end=$(date +%s%N)
echo "start-up on a $((bytes / 1000000)) MB catalogue: $((big / 1024)) MB, $(( (big - base) / 1024 )) MB above base" \
     "($(awk -v a=$((big - base)) -v b=$((bytes / 1024)) 'BEGIN {printf "%.2f", a / b}') x the catalogue), $(( (end - start) / 1000000 )) ms"
