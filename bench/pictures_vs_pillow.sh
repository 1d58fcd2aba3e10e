#!/usr/bin/env bash
# Compares `trackpack pictures` of a 4095-track pack of game-sized tracks
# (40 to 200 segments) with a Pillow script doing the same drawing and GIF
# saving, as whole processes: median wall time of N runs each. The files go to
# a folder in RAM (/dev/shm) where there is one, so that the disk and other
# jobs writing to it do not decide the comparison; BENCH_DIR=/tmp (or any
# folder) measures on that disk instead.
# usage: bench/pictures_vs_pillow.sh [BUILD_DIR] [N]
set -euo pipefail
build=${1:-build}
n=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
base=${BENCH_DIR:-/dev/shm}
work=$(mktemp -d -p "$base" 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
tp="$build/trackpack"
# 1365 tracks each of 40, 120 and 200 segments, joined by trackpack's own import.
"$tp" sample "$work/a.mrg" --tracks 1365 --segments 40 --seed 1
"$tp" sample "$work/b.mrg" --tracks 1365 --segments 120 --seed 2
"$tp" sample "$work/c.mrg" --tracks 1365 --segments 200 --seed 3
"$tp" import "$work/a.mrg" "$work/ab.mrg" --from "$work/b.mrg"
"$tp" import "$work/ab.mrg" "$work/pack.mrg" --from "$work/c.mrg"
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
# Each run writes into a folder of its own, and nothing is deleted between
# runs: a file system that hands out freshly freed inodes slowly would
# otherwise time its own bookkeeping.
time_runs() {
  local out=$1
  shift
  for i in $(seq "$n"); do
    local t0 t1
    t0=$(date +%s%N)
    "$@" "$work/$out-$i" >/dev/null
    t1=$(date +%s%N)
    echo $(( (t1 - t0) / 1000 ))
  done | median
}
ours=$(time_runs ours "$tp" pictures "$work/pack.mrg")
pillow=$(time_runs pillow /usr/bin/python3 "$here/pictures_pillow.py" "$work/pack.mrg")
cmp -s "$work/ours-1/bdpic.dat" "$work/pillow-1/bdpic.dat" || { echo "the catalogues differ" >&2; exit 1; }
echo "folder:       $(df --output=fstype "$work" | tail -1) ($work)"
echo "tracks:       $("$tp" count "$work/pack.mrg")"
echo "pictures:     $(ls "$work/ours-1" | grep -c '\.gif$') GIF files, $(du -sk "$work/ours-1" | cut -f1) KB"
echo "trackpack:    ${ours} us (median of $n)"
echo "pillow:       ${pillow} us (median of $n)"
awk -v o="$ours" -v p="$pillow" 'BEGIN {printf "speed-up:     %.1fx\n", p / o}'
