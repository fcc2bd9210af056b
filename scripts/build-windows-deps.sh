#!/usr/bin/env bash
# Builds the codec libraries of the Windows cross build (libpng, libjpeg-turbo, giflib,
# libxlsxwriter) as static mingw-w64 archives from Debian's own source packages, and prints
# their install folders, one a line, on stdout (everything else goes to stderr).
#
# zlib is Debian's libz-mingw-w64-dev and GoogleTest is compiled by the project build from
# /usr/src/googletest, so neither is built here. Nothing is fetched from anywhere but the
# Debian archive (apt-get source): when no deb-src entry exists, one is added for the suites
# the deb entries name.
#
# Each library is cached outside the clone, in
#   ${GLYPHORA_MINGW_CACHE:-/var/cache/glyphora-mingw}/<source>-<version>-gcc<version>-r<recipe>
# so that a second run on the same machine builds nothing. A build goes to a temporary folder
# that is renamed into place only once complete, so an interrupted run leaves no half library.
set -euo pipefail

triplet=x86_64-w64-mingw32
toolchain="$(cd "$(dirname "$0")/.." && pwd)/cmake/mingw-w64-x86_64.cmake"
cache=${GLYPHORA_MINGW_CACHE:-/var/cache/glyphora-mingw}
cc=$triplet-gcc-posix
ar=$triplet-gcc-ar-posix
gcc_version=$($cc -dumpversion)
cflags="-O2 -g0"
jobs=${GLYPHORA_JOBS:-2}

log() { echo "build-windows-deps: $*" >&2; }

# A deb-src entry for the suites of every deb entry, written once when the machine has none.
ensure_deb_src() {
  if apt-cache showsrc --only-source giflib 2>/dev/null | grep -q '^Version:'; then
    return
  fi
  local list=/etc/apt/sources.list.d/glyphora-deb-src.sources
  log "no deb-src entry: adding $list"
  cat >"$list" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt-get update -qq
}

# The versions of a source package the archive lists, newest first.
source_versions() {
  apt-cache showsrc --only-source "$1" | sed -n 's/^Version: //p' |
    sort -u | sort -r -V
}

# The folder name of a version: the epoch's colon is not welcome in a path.
cache_key() {
  echo "$1-${2//:/_}-gcc${gcc_version}-r$3"
}

# Recipes: each runs in the unpacked source folder and installs into $1.

build_libpng() {
  local prefix=$1
  cp scripts/pnglibconf.h.prebuilt pnglibconf.h
  local sources=(png.c pngerror.c pngget.c pngmem.c pngpread.c pngread.c pngrio.c pngrtran.c
    pngrutil.c pngset.c pngtrans.c pngwio.c pngwrite.c pngwtran.c pngwutil.c)
  compile_archive "$prefix/lib/libpng16.a" "-I." "${sources[@]}"
  mkdir -p "$prefix/include"
  cp png.h pngconf.h pnglibconf.h "$prefix/include/"
}

build_giflib() {
  local prefix=$1
  local sources=(dgif_lib.c egif_lib.c gifalloc.c gif_err.c gif_font.c gif_hash.c
    openbsd-reallocarray.c quantize.c)
  compile_archive "$prefix/lib/libgif.a" "-I." "${sources[@]}"
  mkdir -p "$prefix/include"
  cp gif_lib.h "$prefix/include/"
}

build_libjpeg_turbo() {
  local prefix=$1
  # The library alone: the command-line programs and the SIMD code (which needs nasm) are
  # not wanted here.
  cmake -S . -B mingw-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="$cflags" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF >&2
  cmake --build mingw-build --target jpeg-static -j"$jobs" >&2
  mkdir -p "$prefix/lib" "$prefix/include"
  cp mingw-build/libjpeg.a "$prefix/lib/"
  cp jpeglib.h jmorecfg.h jerror.h mingw-build/jconfig.h "$prefix/include/"
}

build_libxlsxwriter() {
  local prefix=$1
  # The zip writer and the MD5 code come with the source package (third_party/).
  cmake -S . -B mingw-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="$cflags" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib \
    -DBUILD_SHARED_LIBS=OFF -DUSE_SYSTEM_MINIZIP=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF >&2
  cmake --build mingw-build -j"$jobs" >&2
  cmake --install mingw-build >&2
  # The install folder moves into the cache after this: the .pc file names its folders
  # relative to itself.
  sed -i 's|^prefix=.*|prefix=${pcfiledir}/../..|' "$prefix/lib/pkgconfig/xlsxwriter.pc"
}

# Compiles the C files into one static archive, two at a time.
compile_archive() {
  local archive=$1 includes=$2
  shift 2
  mkdir -p mingw-objects "$(dirname "$archive")"
  printf '%s\n' "$@" | xargs -P "$jobs" -I{} sh -c \
    "$cc $cflags $includes -c '{}' -o 'mingw-objects/\$(basename '{}' .c).o'" >&2
  $ar rcs "$archive" mingw-objects/*.o
}

# Builds one source package (or finds it in the cache) and prints its install folder.
# The newest version the archive lists is taken; when its files are missing from the mirror
# (a security update can be listed before its files are there), the next older one.
build_package() {
  local source=$1 recipe=$2 revision=$3
  local version key
  for version in $(source_versions "$source"); do
    key=$(cache_key "$source" "$version" "$revision")
    if [[ -f $cache/$key/.complete ]]; then
      log "$source $version: cached in $cache/$key"
      echo "$cache/$key"
      return
    fi
    work=$(mktemp -d "$cache/.work-$source-XXXXXX")
    if ! (cd "$work" && apt-get source -qq "$source=$version" >&2 2>/dev/null); then
      log "$source $version: the archive does not have its files, trying an older version"
      rm -rf "$work"
      work=
      continue
    fi
    log "$source $version: building"
    local unpacked
    unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)
    local staging=$work/install
    (cd "$unpacked" && "$recipe" "$staging")
    touch "$staging/.complete"
    rm -rf "${cache:?}/$key"
    mv "$staging" "$cache/$key"
    rm -rf "$work"
    work=
    echo "$cache/$key"
    return
  done
  log "$source: no version of the source package could be fetched"
  exit 1
}

# The work folder of the package being built, removed however the run ends.
work=
trap '[[ -z $work ]] || rm -rf "$work"' EXIT

mkdir -p "$cache"
ensure_deb_src
# source package, recipe, recipe revision (raise it when the recipe changes)
build_package libpng1.6 build_libpng 1
build_package giflib build_giflib 1
build_package libjpeg-turbo build_libjpeg_turbo 1
build_package libxlsxwriter build_libxlsxwriter 1
