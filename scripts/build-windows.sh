#!/usr/bin/env bash
# The Windows cross build: installs what is missing, builds the codecs for mingw-w64 from
# Debian's source packages (scripts/build-windows-deps.sh, cached outside the clone), then
# glyphora_core, glyphora-cli.exe and the Windows test executables in build-windows/, and runs
# the tests under Wine. The tests read their fixtures from the Linux build (build/ or
# GLYPHORA_HOST_BUILD), which must be built first; scripts/test-all.sh does both in order.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
host_build=$(realpath "${GLYPHORA_HOST_BUILD:-build}")
build=${GLYPHORA_WINDOWS_BUILD:-build-windows}

# The mingw compiler, its zlib and Wine are in the one package list of install-deps.sh.
bash scripts/install-deps.sh

if [[ ! -d $host_build/samples ]]; then
  echo "build-windows: the Linux build in $host_build has no samples/: build it first" >&2
  exit 1
fi

prefixes=$(bash scripts/build-windows-deps.sh | paste -sd ';')
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# The codecs are looked up anew at every configure (-U), so that a new Debian version in the
# cache replaces the one an existing build folder found before.
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -U 'PNG_*' -U 'JPEG_*' -U 'GIF_*' -U 'XLSXWRITER_*' -U 'pkgcfg_lib_XLSXWRITER_*' -U '__pkg_config_*' \
  -DGLYPHORA_MINGW_PREFIXES="$prefixes" -DGLYPHORA_HOST_BUILD_DIR="$host_build" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -g0 -DNDEBUG" \
  -DGLYPHORA_WERROR=ON "${launcher[@]}"
cmake --build "$build" -j"${GLYPHORA_JOBS:-2}"
ctest --test-dir "$build" --output-on-failure -j"${GLYPHORA_JOBS:-2}"
