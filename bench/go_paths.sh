#!/usr/bin/env bash
# Go on the paths users run, at growing sizes, in one run:
#   bash bench/go_paths.sh [PICTURES...]          (default 1000 2500 4000 10000)
# Each gallery is store-backed (imported as a settings dump), has the default layout with
# image pages, text blocks and a banner bank in its .dat file, and small 64 x 48 JPEG pictures
# whose thumbnails a first Go has made. Timed: the second `framewright-cli go`, and in the
# window (offscreen, bench_window_go) "Reload images", then Go, then switching "Sorted" on.
# Growth is the time of 4x the pictures over the time of the smaller gallery.
# Uses the build in $FW_BUILD_DIR (default build/); FW_GO_TIMEOUT caps each run (600 s).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FW_BUILD_DIR:-$root/build}
cli=$build/framewright-cli
window=$build/bench/bench_window_go
limit=${FW_GO_TIMEOUT:-600}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 2500 4000 10000)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One 64 x 48 picture: a BMP written here, made a JPEG by the CLI's own scaler.
{
  printf 'BM\x36\x24\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00'
  printf '\x40\x00\x00\x00\x30\x00\x00\x00\x01\x00\x18\x00\x00\x00\x00\x00'
  printf '\x00\x24\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  head -c 9216 /dev/urandom
} > "$work/p.bmp"
"$cli" scale "$work/p.bmp" "$work/p.jpg" 64 >/dev/null

printf '<H1>{Ads}</H1>\n<P>Header text</P>\n' > "$work/head.txt"
printf '<P>Footer text</P>\n' > "$work/foot.txt"
printf 'Ads\n' > "$work/banks.txt"
printf '<B>one</B>\n\n<B>two</B>\n' > "$work/ads.txt"

# seconds COMMAND...: wall time of one run, "timeout" when it passes the limit
seconds() {
  local s e
  s=$(date +%s%N)
  if timeout "$limit" "$@" >/dev/null 2>"$work/err"; then
    e=$(date +%s%N)
    printf '%d.%03d' $(((e - s) / 1000000000)) $(((e - s) / 1000000 % 1000))
  else
    printf 'timeout'
  fi
}

declare -A cliTime windowTime reloadTime sortTime
for n in "${sizes[@]}"; do
  g=$work/g$n
  mkdir -p "$g/site/images" "$g/app"
  for i in $(seq -w 1 "$n"); do ln "$work/p.jpg" "$g/site/images/p$i.jpg"; done
  printf '[\\Software\\Ombrix Software\\Framewright\\Galleries\\G]\r\nBaseDirstr=%s\r\n\r\n' \
    "$g/site" > "$g/g.cfg"
  c=("$cli" --store "$g/s.db" --app-folder "$g/app")
  "${c[@]}" import "$g/g.cfg" >/dev/null
  for s in "Gallery Header:head" "Image Header:head" "Index Header:head" "Gallery Footer:foot" \
           "Image Footer:foot" "Banner Banks:banks" "Ads:ads"; do
    "${c[@]}" text G "${s%%:*}" --set "$work/${s##*:}.txt" >/dev/null
  done
  if ! timeout "$limit" "${c[@]}" go G >/dev/null 2>&1; then  # makes the thumbnails
    printf '%6d pictures: the first Go, which makes the thumbnails, took over %s s\n' "$n" "$limit"
    rm -rf "$g"
    continue
  fi
  cliTime[$n]=$(seconds "${c[@]}" go G)
  if [ -x "$window" ]; then
    out=$(timeout "$limit" "$window" "$g/s.db" "$g/app" 2>/dev/null || true)
    reloadTime[$n]=$(sed -n 's/^reload //p' <<<"$out")
    windowTime[$n]=$(sed -n 's/^go //p' <<<"$out")
    sortTime[$n]=$(sed -n 's/^sort //p' <<<"$out")
    [ -n "${windowTime[$n]}" ] || windowTime[$n]=timeout
  fi
  printf '%6d pictures: framewright-cli go %8s s   window: Go %8s s, reload %6s s, sort %6s s\n' \
    "$n" "${cliTime[$n]}" "${windowTime[$n]:--}" "${reloadTime[$n]:--}" "${sortTime[$n]:--}"
  rm -rf "$g"
done

growth() {  # growth SMALL BIG TIME-ARRAY-NAME
  local -n t=$3
  local a=${t[$1]:-} b=${t[$2]:-}
  if [[ $a =~ ^[0-9.]+$ && $b =~ ^[0-9.]+$ ]]; then
    awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", b / a }'
  else
    printf -- '-'
  fi
}
for pair in "1000 4000" "2500 10000"; do
  set -- $pair
  [[ -n ${cliTime[$1]:-} && -n ${cliTime[$2]:-} ]] || continue
  printf 'growth %5d -> %5d pictures: framewright-cli %sx   window %sx\n' "$1" "$2" \
    "$(growth "$1" "$2" cliTime)" "$(growth "$1" "$2" windowTime)"
done
