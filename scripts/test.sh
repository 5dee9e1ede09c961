#!/usr/bin/env bash
# Builds Korvane and runs every test: the normal build, then the same suite built with
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer, then each fuzz target for
# a bounded time (KORVANE_FUZZ_SECONDS, default 30; scripts/fuzz.sh runs them longer).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# Argdown's own parser for the interop tests, into tests/interop/node_modules, as locked.
npm ci --prefix tests/interop --no-audit --no-fund >/dev/null

# Runs ctest in a build tree and keeps its output, so the counts can be added up at the end.
run_ctest() {
  (cd "$1" && ctest --output-on-failure -j "$jobs") | tee "$1/ctest-summary.log"
}
passed_in() {
  sed -n 's/.*tests passed, 0 tests failed out of \([0-9][0-9]*\).*/\1/p' "$1/ctest-summary.log"
}

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_GUI=ON -DKORVANE_TESTS=ON \
  -DKORVANE_SANITIZE=OFF >/dev/null
cmake --build build
run_ctest build

echo "== Debian package"
deb=$(scripts/package.sh build | tail -n 1)
scripts/check_package.sh "$deb"

echo "== sanitizer build"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_GUI=ON -DKORVANE_TESTS=ON \
  -DKORVANE_SANITIZE=ON >/dev/null
cmake --build build-sanitize
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_ctest build-sanitize

echo "== fuzz build"
scripts/fuzz.sh "${KORVANE_FUZZ_SECONDS:-30}"

# Every stage above stops the run on a failure, so reaching here means none failed.
echo "tests: $(( $(passed_in build) + $(passed_in build-sanitize) )) passed, 0 failed"
