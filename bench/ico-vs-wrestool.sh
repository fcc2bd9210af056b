#!/usr/bin/env bash
# Every icon group of a module with about 200 groups written as .ico files: glyphora-cli
# against wrestool -x -t14 (icoutils) on the same module, side by side in one run. Each tool
# runs RUNS times, the two alternating, into a fresh folder; the medians of the wall time and
# of the processor time (user + system, which a busy machine disturbs less) and their ratios
# are printed. Then the peak memory of the same export from a 1 GB module (the same module
# padded with a sparse tail), which must stay at a few MB. The output goes to a fresh folder
# inside BENCH_DIR (default: the build folder); on a busy shared /tmp, creating files can cost
# several times what it costs elsewhere on the same disk, for both tools alike.
#   bench/ico-vs-wrestool.sh [build-folder]      (RUNS=15 MODULE=... BENCH_DIR=... to change the defaults)
set -euo pipefail
build=${1:-build}
cli=$build/glyphora-cli
module=${MODULE:-$build/samples/glyphora-many.dll}
runs=${RUNS:-15}
[ -x "$cli" ] || { echo "no $cli: build glyphora-cli first" >&2; exit 2; }
[ -f "$module" ] || { echo "no $module: build the glyphora_bench_module target first" >&2; exit 2; }

work=$(mktemp -d -p "${BENCH_DIR:-$build}" bench-ico.XXXXXX)
trap 'rm -rf "$work"' EXIT
have_wrestool=0
command -v wrestool >/dev/null && have_wrestool=1

# One run of the command with its output going to a fresh folder $work/out: prints the wall
# time and the processor time (user + system) in microseconds, measured by the shell itself
# so that no helper process adds its own start-up to the figures.
measure() {
  rm -rf "$work/out"
  mkdir -p "$work/out"
  local TIMEFORMAT='%3R %3U %3S' times
  times=$( { time "$@" >/dev/null 2>&1; } 2>&1 )
  awk -v t="$times" 'BEGIN { split(t, f, " "); printf "%d %d\n", f[1] * 1000000, (f[2] + f[3]) * 1000000 }'
}
# Median of one column (1 wall, 2 processor) of measure's lines, in milliseconds.
median() { awk -v c="$1" '{ print $c }' | sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2 / 1000 }'; }

ours=() theirs=()
for ((i = 0; i < runs; i++)); do
  ours+=("$(measure "$cli" -e "$module" "$work/out" -iconindex=0 -desttype=ico)")
  if ((have_wrestool)); then theirs+=("$(measure wrestool -x -t14 -o "$work/out" "$module")"); fi
done
groups=$("$cli" "$module" | awk '{ print $2 }')
echo "module: $module ($groups icon groups), $runs runs each, output under ${BENCH_DIR:-$build}"
ours_wall=$(printf '%s\n' "${ours[@]}" | median 1)
ours_cpu=$(printf '%s\n' "${ours[@]}" | median 2)
echo "glyphora-cli -iconindex=0 -desttype=ico: median wall ${ours_wall} ms, processor ${ours_cpu} ms"
if ((have_wrestool)); then
  theirs_wall=$(printf '%s\n' "${theirs[@]}" | median 1)
  theirs_cpu=$(printf '%s\n' "${theirs[@]}" | median 2)
  echo "wrestool -x -t14:                        median wall ${theirs_wall} ms, processor ${theirs_cpu} ms"
  awk -v a="$ours_wall" -v b="$theirs_wall" -v c="$ours_cpu" -v d="$theirs_cpu" 'BEGIN {
    printf "glyphora-cli / wrestool: wall %.2f (%.1fx faster), processor %.2f\n", a / b, b / a, (d > 0 ? c / d : 0) }'
else
  echo "wrestool is not installed (icoutils): no comparison"
fi

# The memory ceiling: a 1 GB file costs no more than the parts that are read.
big=$work/big.dll
cp "$module" "$big"
truncate -s 1G "$big"
rm -rf "$work/out"
peak=$( { /usr/bin/time -f '%M' "$cli" -e "$big" "$work/out" -iconindex=0 -desttype=ico >/dev/null; } 2>&1 | tail -n 1)
echo "1 GB module, every group as .ico: peak resident set ${peak} KiB"
