#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in build-fuzz/ and runs each
# for SECONDS (default 60). The seed corpus of a target is copied into
# build-fuzz/corpus/<target>/, so what a run adds stays out of the repository;
# a crash input goes to build-fuzz/crashes/<target>-*. Exits 1 when any
# target found a crash, a sanitizer error, a timeout or an out-of-memory input.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
# A fixed seed by default, so that a run is repeatable; FUZZ_SEED=0 lets
# libFuzzer pick one.
seed=${FUZZ_SEED:-1}
build=build-fuzz
targets=(iniprofile commatext cp932 slipfile formatfile printdata companyblock masters postalcodeline emf image)
# The dictionary of each target's input language.
declare -A dict=(
  [iniprofile]=ini [slipfile]=ini [formatfile]=format [printdata]=printdata
  [commatext]=commatext [cp932]=cp932 [companyblock]=companyblock
  [masters]=masters [postalcodeline]=postalcodeline [emf]=emf [image]=image
)

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DVENDARA_FUZZ=ON -DVENDARA_BENCHMARKS=OFF \
    -DCMAKE_BUILD_TYPE= "-DCMAKE_CXX_FLAGS=-O1 -gline-tables-only" || exit 1
fi
cmake --build "$build" --target vendara_fuzzers -j2 || exit 1

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/crashes" "$build/logs"

failed=()
for t in "${targets[@]}"; do
  corpus=$build/corpus/$t
  mkdir -p "$corpus"
  cp fuzz/corpus/"$t"/* "$corpus"/
  log=$build/logs/$t.log
  echo "fuzz: $t for ${seconds}s"
  if ! "$build/fuzz/fuzz_$t" "$corpus" -dict="fuzz/dict/${dict[$t]}.dict" \
      -max_total_time="$seconds" -seed="$seed" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/crashes/$t-" >"$log" 2>&1; then
    failed+=("$t")
    grep -E "ERROR|SUMMARY|==[0-9]+==|Test unit written" "$log" | head -n 8
  fi
  # The last status line: executions, coverage (cov) and features (ft).
  grep -E "^#[0-9]+" "$log" | tail -n 1
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: crashes in ${failed[*]}; inputs in $build/crashes/" >&2
  exit 1
fi
echo "fuzz: no crashes"
