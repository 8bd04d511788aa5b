#!/bin/bash
# Process start to window shown (offscreen, median of 30 runs): the program as it starts
# (translations, menus, the design window) against a bare QWidget of 1440 x 830 on the same
# platform, measured in the same run; prints both and the ratio, and the same for the layout's
# widgets alone (bench/layout_floor.cpp), the floor of any window built of them.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVENTAKAR_GUI=ON >/dev/null
cmake --build build-bench --target window_probe minimal_window layout_floor >/dev/null
# A desktop-sized screen, where the window shows at real size.
export QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/qt/offscreen_screen.json"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
median() {
  local runs=()
  for i in $(seq 30); do
    local start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    runs+=($(( ($(date +%s%N) - start) / 1000 )))
  done
  printf '%s\n' "${runs[@]}" | sort -n | sed -n '15p'
}
# Alternated, so that both see the same machine.
bare=$(median build-bench/minimal_window)
program=$(median build-bench/window_probe program)
floor=$(median build-bench/layout_floor)
bare2=$(median build-bench/minimal_window)
[ "$bare2" -lt "$bare" ] && bare=$bare2
awk -v p="$program" -v b="$bare" -v f="$floor" 'BEGIN {
  printf "program to window shown: %.1f ms; bare QWidget 1440x830: %.1f ms; ratio %.2f (target <= 2)\n",
         p / 1000, b / 1000, p / b
  printf "the layout alone in plain widgets (no data, menus, pictures, names): %.1f ms; ratio %.2f\n",
         f / 1000, f / b }'
