#!/usr/bin/env bash
# Installs what building, running and testing Glyphora needs on Debian 12 (run as root).
# Packages already present are left alone, so a second run costs only the check.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  zlib1g-dev libpng-dev libjpeg-dev libgif-dev libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format lld llvm libclang-rt-14-dev
  icoutils python3 python3-pil python3-dbfread python3-openpyxl qpdf poppler-utils
  qt6-base-dev qt6-translations-l10n xvfb xauth fonts-dejavu-core adwaita-icon-theme
  librsvg2-bin dpkg-dev file desktop-file-utils appstream man-db shared-mime-info
  fp-utils libchm-dev
  bubblewrap python3-gi gir1.2-gnomedesktop-3.0
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 unzip
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
