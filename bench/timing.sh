# Shared by the benchmark scripts (sourced): timing and printing of one figure.
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
