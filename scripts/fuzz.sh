#!/usr/bin/env bash
# Builds the fuzz targets with clang-14 (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for a bounded time. Fails on any crash, leak, sanitizer report, hang or
# broken check; the input that did it is kept in build-fuzz/artifacts/, the log in build-fuzz/.
# Usage: scripts/fuzz.sh [seconds per target, default 60] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(lin_roundtrip deletions aif_import argdown_import)

CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVANE_FUZZ=ON -DKORVANE_GUI=OFF -DKORVANE_TESTS=OFF >/dev/null
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p build-fuzz/artifacts
for target in "${targets[@]}"; do
  # The working corpus grows in the build tree; the seeds in fuzz/corpus stay as they are.
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus"
  seeds=(fuzz/corpus/"$target")
  [ "$target" = lin_roundtrip ] && seeds+=(examples)
  echo "== fuzz_$target for $seconds s"
  log=build-fuzz/fuzz_$target.log
  status=0
  build-fuzz/fuzz/fuzz_"$target" "$corpus" "${seeds[@]}" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/"$target"- >"$log" 2>&1 || status=$?
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|stat::number_of_executed_units|stat::peak_rss_mb' "$log" || true
  if [ "$status" -ne 0 ]; then
    # The report, and the input that caused it.
    grep -E -A40 'ERROR|fuzz check failed|runtime error' "$log" | head -80 || tail -40 "$log"
    echo "fuzz_$target failed (status $status); full log: $log"
    exit 1
  fi
done
