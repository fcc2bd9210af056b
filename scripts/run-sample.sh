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
./build/glyphora-cli -e build/samples/glyphora-sample.dll out/sample-icons -desttype=png -iconindex=0
ls out/sample-icons
