#!/usr/bin/env bash
# Installs what is missing, checks the code style, builds with warnings as errors, runs the whole test suite, then
# cross-builds the core and glyphora-cli for Windows and runs their tests under Wine (scripts/build-windows.sh), checks
# the installed tree and the Debian package (installing and removing it when run as root),
# then builds the fuzz targets with clang and gives each a short fixed-time run under ASan+UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/check-format.sh
cmake -S . -B build -G Ninja -DGLYPHORA_WERROR=ON
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2
# The Windows half: the core, glyphora-cli.exe and their tests, cross-built and run under
# Wine; its tests read their fixtures from the Linux build above.
bash scripts/build-windows.sh
bash scripts/check-install.sh build
bash scripts/fuzz-smoke.sh
