#!/usr/bin/env bash
# The editor's first painted frame against a bare QMainWindow program and
# against the same window put together from plain Qt widgets (what Qt itself
# takes to show it), as whole processes on the offscreen platform: N rounds
# of runs for packs of 30 and 4,095 tracks, each started with
# KORVO_EXIT_AFTER_FIRST_PAINT so that it ends after its first frame. Prints
# each figure with its median, minimum and maximum, and the ratios round by
# round.
# usage: bench/startup_vs_bare.sh [BUILD_DIR] [N]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
n=${2:-15}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen KORVO_EXIT_AFTER_FIRST_PAINT=1
run_us() {
  local t0 t1
  t0=$(date +%s%N)
  "$@" >/dev/null 2>&1
  t1=$(date +%s%N)
  echo $(( (t1 - t0) / 1000 ))
}
stats() { sort -g | awk '{a[NR]=$1} END {printf "%s (min %s, max %s)", a[int((NR+1)/2)], a[1], a[NR]}'; }
for tracks in 30 4095; do
  base="$work/base-$tracks"
  mkdir -p "$base"
  cp -r "$here/../base/." "$base/" # the language files, as an installed base folder has them
  "$build/trackpack" sample "$base/levels.mrg" --tracks "$tracks" >/dev/null
  (cd "$base" && "$build/korvote" >/dev/null 2>&1) # the first start writes opt.ini
  : >"$work/times"
  for i in $(seq "$n"); do
    bare=$(run_us "$build/bench/bare_window")
    furnished=$(run_us "$build/bench/furnished_window" $((tracks + 3)))
    editor=$(cd "$base" && run_us "$build/korvote")
    echo "$bare $editor $furnished" >>"$work/times"
  done
  echo "$tracks tracks: bare $(cut -d' ' -f1 "$work/times" | stats) us," \
    "furnished $(cut -d' ' -f3 "$work/times" | stats) us," \
    "editor $(cut -d' ' -f2 "$work/times" | stats) us"
  echo "  editor / bare $(awk '{printf "%.2f\n", $2 / $1}' "$work/times" | stats)," \
    "editor / furnished $(awk '{printf "%.2f\n", $2 / $3}' "$work/times" | stats)"
done
