#!/usr/bin/env bash
# Short fuzz runs of every target (a few seconds each) over the seeds and the public suites,
# so a reader that starts crashing on damaged input fails the test run. Skips when clang or
# its libFuzzer runtime is missing.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${FW_FUZZ_SMOKE_SECONDS:-5}

probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
  >"$probe/t.cpp"
if ! command -v clang++ >/dev/null ||
  ! clang++ -fsanitize=fuzzer,address,undefined "$probe/t.cpp" -o "$probe/t" 2>/dev/null; then
  echo "fuzz smoke runs skipped: clang++ with libFuzzer not found"
  exit 0
fi

failed=0
for target in png gif bmp jpeg jpeg_dc heif webp tiff location dump textblock http; do
  log=$probe/$target.log
  if fuzz/run.sh "$target" "$seconds" >"$log" 2>&1; then
    echo "fuzz $target: $(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}') runs, no finding"
  else
    echo "fuzz $target: FAILED"
    grep -E 'ERROR|SUMMARY|Test unit written|error:' "$log" | head -20 || tail -n 20 "$log"
    failed=1
  fi
done
exit $failed
