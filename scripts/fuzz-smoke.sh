#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a few seconds from its seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DGLYPHORA_FUZZ=ON \
  -DGLYPHORA_TESTS=OFF -DGLYPHORA_BENCH=OFF -DGLYPHORA_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2
status=0
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=$(mktemp -d)
  seeds=fuzz/seeds/${name#fuzz_}
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/ 2>/dev/null || true
  echo "fuzzing $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 "$corpus" 2>"$corpus.log"; then
    tail -n 40 "$corpus.log"; status=1
  else
    grep -E '^(Done|#[0-9]+ *DONE)' "$corpus.log" | tail -n 1 || true
  fi
  rm -rf "$corpus" "$corpus.log"
done
if [ "$status" -eq 0 ]; then echo "fuzz smoke: all targets ran clean"; fi
exit $status
