#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a few seconds from its seeds.
# Every target has its own seed folders and input size cap (-max_len): the parsers and the
# export path need a few kilobytes to reach everything, and large inputs only slow the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DGLYPHORA_FUZZ=ON \
  -DGLYPHORA_TESTS=OFF -DGLYPHORA_BENCH=OFF -DGLYPHORA_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2

# target: seed folders under fuzz/seeds, max_len
settings() {
  case "$1" in
    fuzz_command_line) echo "command_line 1024" ;;
    fuzz_language_pack) echo "language_pack 8192" ;;
    fuzz_icon_image) echo "icon_image 16384" ;;
    fuzz_ico_file) echo "ico_file 16384" ;;
    fuzz_pe_resources) echo "pe_resources 16384" ;;
    fuzz_settings_ini) echo "settings_ini 4096" ;;
    fuzz_export_*) echo "pe_resources,ico_file 8192" ;;
    fuzz_thumbnail) echo "pe_resources,ico_file 16384" ;;
    *) echo "${1#fuzz_} 4096" ;;  # a new target: its own seed folder; give it a line above
  esac
}

status=0
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  read -r seedList maxLen <<<"$(settings "$name")"
  corpus=$(mktemp -d)
  IFS=, read -ra seedDirs <<<"$seedList"
  for seeds in "${seedDirs[@]}"; do
    [ -d "fuzz/seeds/$seeds" ] && cp -r "fuzz/seeds/$seeds"/. "$corpus"/ 2>/dev/null || true
  done
  echo "fuzzing $name for ${seconds}s (max_len $maxLen)"
  if ! "$target" -max_total_time="$seconds" -max_len="$maxLen" -rss_limit_mb=2048 -timeout=10 "$corpus" 2>"$corpus.log"; then
    tail -n 40 "$corpus.log"; status=1
  else
    grep -E '^(Done|#[0-9]+ *DONE)' "$corpus.log" | tail -n 1 || true
  fi
  rm -rf "$corpus" "$corpus.log"
done
if [ "$status" -eq 0 ]; then echo "fuzz smoke: all targets ran clean"; fi
exit $status
