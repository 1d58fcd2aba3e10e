#!/usr/bin/env bash
# Compares `trackpack pictures` of a 4095-track pack of game-sized tracks
# (40 to 200 segments) with a Pillow script doing the same drawing and GIF
# saving, as whole processes: N pairs of runs, each figure with its median,
# minimum and maximum. The files go to
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
# Each pair runs trackpack and Pillow one after the other, each into a
# folder of its own; nothing is deleted between runs: a file system that hands
# out freshly freed inodes slowly would otherwise time its own bookkeeping.
# Each run starts with nothing left to write back, so that the final sync of
# trackpack does not pay for what the run before it wrote.
run_us() {
  local t0 t1
  sync
  t0=$(date +%s%N)
  "$@" >/dev/null
  t1=$(date +%s%N)
  echo $(( (t1 - t0) / 1000 ))
}
: >"$work/times"
for i in $(seq "$n"); do
  ours=$(run_us "$tp" pictures "$work/pack.mrg" "$work/ours-$i")
  pillow=$(run_us /usr/bin/python3 "$here/pictures_pillow.py" "$work/pack.mrg" "$work/pillow-$i")
  echo "$ours $pillow" >>"$work/times"
done
cmp -s "$work/ours-1/bdpic.dat" "$work/pillow-1/bdpic.dat" || { echo "the catalogues differ" >&2; exit 1; }
# median, min and max of a column
stats() { sort -g | awk '{a[NR]=$1} END {printf "%s (min %s, max %s)", a[int((NR+1)/2)], a[1], a[NR]}'; }
echo "folder:       $(df --output=fstype "$work" | tail -1) ($work)"
echo "tracks:       $("$tp" count "$work/pack.mrg")"
echo "pictures:     $(ls "$work/ours-1" | grep -c '\.gif$') GIF files, $(du -sk "$work/ours-1" | cut -f1) KB"
echo "trackpack:    $(cut -d' ' -f1 "$work/times" | stats) us, $n runs"
echo "pillow:       $(cut -d' ' -f2 "$work/times" | stats) us"
echo "speed-up:     $(awk '{printf "%.1f\n", $2 / $1}' "$work/times" | stats)x, pair by pair"
