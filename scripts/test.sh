#!/usr/bin/env bash
# Installs what is missing, builds, checks the format, runs the core tests
# under the sanitizers, fuzzes the readers of outside bytes for a short while
# (with clang) and runs every test through CTest. Each step builds only what
# it runs: the programs and tests (not the benchmarks), the sanitizer build
# only the core libraries, trackpack and the core tests (no widgets).
set -euo pipefail
cd "$(dirname "$0")/.."
# Each step says how long it took, so a slow one is seen at once.
step_started=$SECONDS
took() {
  echo "[test.sh] $1: $((SECONDS - step_started)) s"
  step_started=$SECONDS
}
bash scripts/build.sh
took "install and build"

# One format for all code.
find src tests bench fuzz -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run --Werror
took "format check"

# The core tests once more with AddressSanitizer and UndefinedBehaviorSanitizer.
# Line tables are all a sanitizer report needs to name the lines; the files
# are compiled in batches, core libraries included.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
  -DCMAKE_UNITY_BUILD=ON -DKORVO_UNITY_CORE=ON \
  -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
  >/dev/null
cmake --build build-asan --target core_tests
took "sanitizer build"
# One share of the tests per core, side by side.
shares=$(nproc)
pids=()
for ((i = 0; i < shares; i++)); do
  GTEST_TOTAL_SHARDS=$shares GTEST_SHARD_INDEX=$i QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
    build-asan/tests/core_tests --gtest_brief=1 >"build-asan/core_tests.$i.log" 2>&1 &
  pids+=($!)
done
failed=0
for i in "${!pids[@]}"; do
  if wait "${pids[$i]}"; then tail -n 2 "build-asan/core_tests.$i.log"; else
    cat "build-asan/core_tests.$i.log"
    failed=1
  fi
done
[ "$failed" -eq 0 ]
took "sanitizer core tests"

fuzzing=() # the fuzzers still running
if command -v clang++ >/dev/null 2>&1; then
  cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build build-fuzz
  took "fuzzer build"
  # One fuzzer per core at a time, each for the same time as before.
  fuzz_one() {
    local target=$1 name work
    name=$(basename "$target")
    work="build-fuzz/corpus/$name"
    mkdir -p "$work"
    cp -n fuzz/corpus/* "$work"/ 2>/dev/null || true
    echo "fuzzing $name for ${FUZZ_SECONDS:-30} s"
    "$target" "$work" -max_total_time="${FUZZ_SECONDS:-30}" -print_final_stats=0 2>build-fuzz/$name.log \
      || { tail -40 build-fuzz/$name.log; return 1; }
  }
  for target in build-fuzz/*_fuzz; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    fuzz_one "$target" &
    fuzzing+=($!)
    if [ ${#fuzzing[@]} -ge "$(nproc)" ]; then
      wait "${fuzzing[0]}"
      fuzzing=("${fuzzing[@]:1}")
    fi
  done
  took "fuzzing, all but the last"
fi

# The tests take the cores the last fuzzers leave; those finish beside them.
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 \
  -j "$(( $(nproc) > ${#fuzzing[@]} ? $(nproc) - ${#fuzzing[@]} : 1 ))"
took "tests"
for pid in "${fuzzing[@]}"; do wait "$pid"; done
took "the last fuzzing"
