#!/usr/bin/env bash
# Writes whole_site.fnv, the hash list the whole-site test compares Go's output with, from a
# build of the code whose output is to be kept: scripts/build.sh, then this script.
set -euo pipefail
cd "$(dirname "$0")/../.."
bin=${FW_BUILD_DIR:-build}/tests/test_cli
FW_WHOLE_SITE_GOLDEN="$PWD/tests/data/whole_site.fnv" "$bin" --gtest_filter='WholeSite.*'
echo "wrote tests/data/whole_site.fnv ($(wc -l < tests/data/whole_site.fnv) files and outputs)"
