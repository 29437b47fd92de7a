#!/usr/bin/env bash
# The whole test suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer
# (without the window and the benchmarks). Any sanitizer report fails the test that caused it.
# FW_SKIP_SANITIZE=1 leaves this stage out.
set -euo pipefail
cd "$(dirname "$0")/../.."
if [ "${FW_SKIP_SANITIZE:-0}" = 1 ]; then
  echo "sanitizer suite skipped (FW_SKIP_SANITIZE=1)"
  exit 0
fi
dir=${FW_SANITIZE_BUILD_DIR:-build-sanitize}
start=$(date +%s)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFW_SANITIZE=ON -DFW_BUILD_APP=OFF \
  -DFW_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" >/dev/null
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
echo "sanitizer suite: $(($(date +%s) - start)) s"
