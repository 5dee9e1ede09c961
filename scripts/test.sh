#!/usr/bin/env bash
# Builds Korvane and runs every test: the normal build, then the same suite built with
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer, then each fuzz target for
# a bounded time (KORVANE_FUZZ_SECONDS, default 60; scripts/fuzz.sh runs them longer).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
(cd build && ctest --output-on-failure -j "$jobs")

echo "== sanitizer build"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON >/dev/null
cmake --build build-sanitize
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-sanitize && ctest --output-on-failure -j "$jobs")

echo "== fuzz build"
scripts/fuzz.sh "${KORVANE_FUZZ_SECONDS:-60}"
