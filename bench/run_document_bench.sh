#!/bin/bash
# Opening a complete design and one undo, in the real main window (offscreen), on the
# 10,000-record propeller catalogue of the window bench; pictures present.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVENTAKAR_GUI=ON >/dev/null
cmake --build build-bench --target window_probe >/dev/null
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/xdg-data" XDG_CONFIG_HOME="$work/xdg-config"
cp -r Data "$work/Data"
/usr/bin/python3 bench/make_propeller_catalogue.py "$work/Data/Helice.txt"
echo "Helice.txt: $(stat -c %s "$work/Data/Helice.txt") bytes"
(cd "$work" && "$OLDPWD/build-bench/window_probe" document 30)
