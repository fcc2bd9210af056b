#!/usr/bin/env bash
# The thumbnailer as a file manager runs it, one whole process per file: glyphora-thumbnailer
# against the Python thumbnailer of Debian's icoextract package (python3-icoextract), in the
# same run, on the sample module and on a 100 MB module (the sample with 100 MB of data after
# it, as installers and self-extracting archives carry). Each peer runs RUNS times, the two
# alternating; the median wall time, the median peak resident set and the ratios are printed.
#   bench/thumbnailer-vs-icoextract.sh [build-folder]     (RUNS=21 SIZE=256 BENCH_DIR=... to change the defaults)
set -euo pipefail
build=${1:-build}
ours=$build/glyphora-thumbnailer
runs=${RUNS:-21}
size=${SIZE:-256}
[ -x "$ours" ] || { echo "no $ours: build glyphora-thumbnailer first" >&2; exit 2; }
sample=$build/samples/glyphora-sample.dll
[ -f "$sample" ] || { echo "no $sample: build the glyphora_sample target first" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "no /usr/bin/time (Debian package time)" >&2; exit 2; }
python=/usr/bin/python3
have_peer=0
"$python" -c 'import icoextract.scripts.thumbnailer' 2>/dev/null && have_peer=1

work=$(mktemp -d -p "${BENCH_DIR:-$build}" bench-thumb.XXXXXX)
trap 'rm -rf "$work"' EXIT
big=$work/big.exe
cp "$sample" "$big"
head -c $((100 * 1024 * 1024)) /dev/zero >>"$big"

# One run: the peak resident set in KiB, from GNU time; the run must write its thumbnail.
peak() {
  rm -f "$work/out.png"
  /usr/bin/time -o "$work/time" -f '%M' "$@" >/dev/null 2>"$work/err" || true
  [ -s "$work/out.png" ] || { echo "no thumbnail from: $*" >&2; cat "$work/err" >&2; exit 1; }
  tail -n 1 "$work/time"
}
# A finer wall clock than GNU time's hundredths: the shell's own.
wall() {
  rm -f "$work/out.png"
  local TIMEFORMAT='%3R' t
  t=$( { time "$@" >/dev/null 2>&1; } 2>&1 )
  awk -v t="$t" 'BEGIN { printf "%d\n", t * 1000000 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2 }'; }

peer() { "$python" -c 'from icoextract.scripts.thumbnailer import main; main()' "$@"; }

echo "thumbnail size $size, $runs runs each, alternating, output under ${BENCH_DIR:-$build}"
for input in "$sample" "$big"; do
  ours_wall=() ours_peak=() theirs_wall=() theirs_peak=()
  for ((i = 0; i < runs; i++)); do
    ours_wall+=("$(wall "$ours" -s "$size" "$input" "$work/out.png")")
    ours_peak+=("$(peak "$ours" -s "$size" "$input" "$work/out.png")")
    if ((have_peer)); then
      theirs_wall+=("$(wall peer -s "$size" "$input" "$work/out.png")")
      theirs_peak+=("$(peak "$python" -c 'from icoextract.scripts.thumbnailer import main; main()' -s "$size" "$input" "$work/out.png")")
    fi
  done
  bytes=$(stat -c %s "$input")
  a=$(printf '%s\n' "${ours_wall[@]}" | median | awk '{ printf "%.2f", $1 / 1000 }')
  am=$(printf '%s\n' "${ours_peak[@]}" | median)
  echo "$(basename "$input") ($((bytes / 1024)) KiB):"
  echo "  glyphora-thumbnailer:   median wall ${a} ms, peak resident set ${am} KiB"
  if ((have_peer)); then
    b=$(printf '%s\n' "${theirs_wall[@]}" | median | awk '{ printf "%.2f", $1 / 1000 }')
    bm=$(printf '%s\n' "${theirs_peak[@]}" | median)
    echo "  icoextract thumbnailer: median wall ${b} ms, peak resident set ${bm} KiB"
    awk -v a="$a" -v b="$b" -v am="$am" -v bm="$bm" 'BEGIN {
      printf "  glyphora-thumbnailer is %.1fx faster and uses %.1f%% of the memory\n", b / a, 100 * am / bm }'
  fi
done
((have_peer)) || echo "python3-icoextract is not installed: no comparison (apt-get install python3-icoextract)"
