#!/usr/bin/env bash
# Runs one fuzz target for a given time: fuzz/run.sh TARGET SECONDS [extra libFuzzer flags].
# Targets: png gif bmp jpeg jpeg_dc heif webp tiff location dump textblock http. Builds them with
# clang in build-fuzz first (FW_FUZZ_BUILD_DIR chooses another folder). The corpus grows in
# <build>/corpus/TARGET, seeded from fuzz/seeds/TARGET and, when present, from the public
# picture suites beside the checkout; crashing inputs land in <build>/crashes/TARGET. Exit
# status is libFuzzer's: non-zero when it found a crash, a leak or a sanitizer report.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
target=${1:?usage: fuzz/run.sh TARGET SECONDS}
seconds=${2:?usage: fuzz/run.sh TARGET SECONDS}
shift 2
build=${FW_FUZZ_BUILD_DIR:-$root/build-fuzz}

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DFW_FUZZ=ON -DFW_BUILD_APP=OFF \
    -DFW_BUILD_TESTS=OFF -DFW_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
# FW_FUZZ_NO_BUILD=1 runs the target as last built.
[ "${FW_FUZZ_NO_BUILD:-0}" = 1 ] || cmake --build "$build" --target "fuzz_$target" -j2 >/dev/null

corpus=$build/corpus/$target
crashes=$build/crashes/$target
mkdir -p "$corpus" "$crashes"
[ -d "$here/seeds/$target" ] && cp -n "$here/seeds/$target"/* "$corpus"/ 2>/dev/null || true
suite=$root/../shared/testdata
kind=$target
case $target in
  png | gif | bmp | jpeg) ;;
  location) kind=jpeg ;;  # the JPEG suite's Exif and XMP segments
  jpeg_dc) kind=jpeg ;;
  *) suite= ;;
esac
if [ -n "$suite" ] && [ -d "$suite/$kind" ]; then
  # Small files only: big ones slow every mutation down and add little.
  find "$suite/$kind" -type f \( -iname "*.$kind" -o -iname "*.jpeg" -o -iname "*.jpg" \) -size -64k \
    -exec cp -n {} "$corpus"/ \;
fi

cd "$crashes"
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/lsan-suppressions.txt}
exec "$build/fuzz/fuzz_$target" "$corpus" -max_total_time="$seconds" -max_len=65536 \
  -timeout=20 -rss_limit_mb=3072 -print_final_stats=1 -artifact_prefix="$crashes/" "$@"
