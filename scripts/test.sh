#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
dir=${FW_BUILD_DIR:-build}
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
# Further test stages (browser, fuzz smoke runs, sanitizer suite) add themselves here.
for stage in scripts/test.d/*.sh; do
  [ -f "$stage" ] || continue
  echo "== $stage"
  bash "$stage"
done
