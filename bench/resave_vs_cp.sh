#!/usr/bin/env bash
# Compares `trackpack resave` of a maximal pack with copying the file by `cp`,
# as whole processes: median wall time of N runs each.
# usage: bench/resave_vs_cp.sh [BUILD_DIR] [N]
set -euo pipefail
build=${1:-build}
n=${2:-21}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/trackpack" sample "$work/max.mrg" --tracks 4095 --segments 499
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
time_runs() {
  for _ in $(seq "$n"); do
    rm -f "$work/out.mrg" "$work/out.mrg.old"
    local t0 t1
    t0=$(date +%s%N)
    "$@" >/dev/null
    t1=$(date +%s%N)
    echo $(( (t1 - t0) / 1000 ))
  done | median
}
resave=$(time_runs "$build/trackpack" resave "$work/max.mrg" "$work/out.mrg")
copy=$(time_runs cp "$work/max.mrg" "$work/out.mrg")
echo "pack size:    $(stat -c %s "$work/max.mrg") bytes"
echo "resave:       ${resave} us (median of $n)"
echo "cp:           ${copy} us (median of $n)"
awk -v r="$resave" -v c="$copy" 'BEGIN {printf "ratio:        %.2f\n", r / c}'
