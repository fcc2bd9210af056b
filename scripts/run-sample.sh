#!/usr/bin/env bash
# Installs what is missing, builds, and runs Glyphora on the bundled sample module: the first
# icon of the sample is exported as out/sample-icon1.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j2
./build/glyphora-cli -e build/samples/glyphora-sample.dll out/sample-icon1.png -desttype=png -iconindex=1
ls -l out/sample-icon1.png
