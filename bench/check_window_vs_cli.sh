#!/usr/bin/env bash
# Processor time (user + system, every thread) of the pack check of 4,095
# tracks, in paired rounds: `trackpack check` as a whole process, then the
# check of the window (Edit > Check pack to the list filled, in
# bench/check_bench.cpp), then the same check called in process as trackpack
# calls it. Prints the median, minimum and maximum of each in seconds, and of
# the window's over trackpack's round by round (a shared machine slows every
# run of a round alike).
# usage: bench/check_window_vs_cli.sh [BUILD_DIR] [N]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
n=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stats() { sort -g | awk '{a[NR]=$1} END {printf "%s (min %s, max %s)", a[int((NR+1)/2)], a[1], a[NR]}'; }
bench_cpu() { # the one repetition's processor time of benchmark $1
  QT_QPA_PLATFORM=offscreen "$build/bench/benchmarks" --benchmark_filter="^$1/" \
    --benchmark_repetitions=1 --benchmark_format=csv 2>/dev/null |
    awk -F, -v name="$1" 'index($1, "\"" name "/") == 1 {print $3; exit}'
}
"$build/trackpack" sample "$work/levels.mrg" --tracks 4095 >/dev/null
for i in $(seq "$n"); do
  /usr/bin/time -f "%U %S" -o "$work/t" "$build/trackpack" check "$work/levels.mrg" >/dev/null || true
  cli=$(awk '{print $1 + $2}' "$work/t")
  window=$(bench_cpu BM_CheckInWindow)
  core=$(bench_cpu BM_CheckAsTrackpack)
  echo "$cli $window $core" >>"$work/rounds"
done
echo "trackpack check (process):   $(cut -d' ' -f1 "$work/rounds" | stats) s"
echo "window check:                $(cut -d' ' -f2 "$work/rounds" | stats) s"
echo "check as trackpack calls it: $(cut -d' ' -f3 "$work/rounds" | stats) s"
echo "window / trackpack:          $(awk '{printf "%.2f\n", $2 / $1}' "$work/rounds" | stats)"
