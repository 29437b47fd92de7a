# Shared by the benchmark scripts (sourced): timing and printing of one figure, and the quality
# of thumbnails against references.
median() {  # median wall time in ms (one decimal) of 5 runs of the command
  local t=()
  for _ in 1 2 3 4 5; do
    local s=$(date +%s%N); "$@" >/dev/null 2>&1; local e=$(date +%s%N)
    t+=($(( (e - s) / 100000 )))
  done
  local m=$(printf '%s\n' "${t[@]}" | sort -n | sed -n 3p)
  printf '%d.%d' $((m / 10)) $((m % 10))
}
row() { printf '%-58s %8s%s\n' "$1" "$2" "$([[ $2 == *dB ]] || echo ' ms')"; }
ratio() { printf '%-58s %8s\n' "$1" "$(awk -v a="$2" -v b="$3" 'BEGIN { printf "%.2fx", a / b }')"; }
is_real() { command -v "$1" >/dev/null && "$1" -version 2>&1 | grep -q "$2"; }
# A wrapper script called convert may stand in front of ImageMagick's own program.
im=convert; for c in convert-im6.q16 magick convert; do is_real "$c" ImageMagick && { im=$c; break; }; done
lanczos_refs() {  # references in $corpus/ref100: the full decode, Lanczos-filtered by ImageMagick to 100
  mkdir -p "$corpus/ref100"
  for f in "$corpus"/p*.jpg; do
    r="$corpus/ref100/$(basename "$f" .jpg).png"
    [ -f "$r" ] || $im "$f" -filter Lanczos -resize 100x100 "$r"
  done
}
psnr() {  # mean PSNR in dB of the thumbnails named by $1 (%s: the picture's name) over refs $2
  for r in ${2:-"$corpus"/ref100/p*.png}; do
    n=$(basename "$r" .png)
    compare -metric PSNR "$r" "$(printf "$1" "$n")" null: 2>&1; echo
  done | awk '{ s += $1; n++ } END { printf "%.2f dB", s / n }'
}
