#!/usr/bin/env bash
# Installs what is missing, builds, and starts Glyphora on the bundled sample module: the
# window when a display is available, otherwise the console front end, which exports every
# icon of the sample as PNG into out/sample-icons.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j2
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/glyphora ]; then
  exec ./build/glyphora build/samples/glyphora-sample.dll
fi
echo "No display: running the console front end instead."
# The export creates only the last folder of its destination, so out/ is made here.
mkdir -p out
./build/glyphora-cli -e build/samples/glyphora-sample.dll out/sample-icons -desttype=png -iconindex=0
ls out/sample-icons
count=$(find out/sample-icons -maxdepth 1 -name 'ico_glyphora-sample_dll*.png' | wc -l)
if [ "$count" -lt 6 ]; then
  echo "run-sample: expected the sample's 6 icons in out/sample-icons, found $count" >&2
  exit 1
fi
echo "The sample's $count icons are in out/sample-icons."
