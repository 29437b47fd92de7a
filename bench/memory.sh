#!/bin/bash
# Peak memory of framewright-cli on small files that declare huge pictures:
#   bash bench/memory.sh [CLI]      (default: builds Release in build-bench)
# probe, decode and scale each file, then one Thumbs run over three copies of all of them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FW_BENCH_BUILD:-$root/build-bench}
work=$(mktemp -d /tmp/fw-memory-XXXXXX)
trap 'rm -rf "$work"' EXIT
if [ $# -ge 1 ]; then
  cli=$1
else
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DFW_BUILD_APP=OFF >/dev/null
  cmake --build "$build" --target framewright-cli -j2 >/dev/null
  cli=$build/framewright-cli
fi
g++ -std=c++20 -O1 "$root/bench/hostile.cpp" -ljpeg -lz -o "$work/hostile"
"$work/hostile" "$work/files" >/dev/null

peak() {  # peak resident MiB and seconds of one command; its first message line
  /usr/bin/time -o "$work/time" -f "%M %e" timeout 300 "$cli" --store "$work/s.db" \
    --app-folder "$work/" "$@" >/dev/null 2>"$work/err" || true
  read -r kb secs < <(tail -n1 "$work/time")
  awk -v k="$kb" -v s="$secs" -v e="$(head -n1 "$work/err")" \
    'BEGIN { printf "%8.1f MiB %7.2f s  %s\n", k / 1024, s, e }'
}
for f in "$work"/files/*; do
  name=$(basename "$f")
  printf '%-30s %5s bytes\n' "$name" "$(stat -c %s "$f")"
  printf '  %-7s' probe; peak probe "$f"
  printf '  %-7s' decode; peak decode "$f" /dev/null
  printf '  %-7s' scale; peak scale "$f" "$work/out.jpg" 100
done
mkdir -p "$work/site/images"
for f in "$work"/files/*; do
  for i in 1 2 3; do cp "$f" "$work/site/images/$i-$(basename "$f")"; done
done
"$cli" --store "$work/s.db" --app-folder "$work/" set Hostile BaseDir "$work/site" >/dev/null
printf '%-30s %5s files\n' "Thumbs run" "$(ls "$work/site/images" | wc -l)"
printf '  %-7s' thumbs; peak thumbs Hostile
