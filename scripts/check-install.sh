#!/usr/bin/env bash
# Checks Glyphora as a user of a Linux desktop gets it, from an existing build folder:
#  1. `cmake --install` into a staging folder (DESTDIR): the tree, the desktop entry, the
#     AppStream entry, the file types, the thumbnailer's key file (also for a prefix outside
#     /usr), the manual pages, the icons, and the staged programs;
#  2. the Debian package from `cpack -G DEB`: its fields and contents; then (as root only)
#     `apt-get install` of it, the installed programs, the window under xvfb-run started as
#     its menu entry starts it, GNOME's own thumbnail factory running the thumbnailer in its
#     bubblewrap sandbox, and removal, which must leave the machine as it was.
# Usage: scripts/check-install.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
failures=0
fail() { echo "check-install: FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "check-install: ok: $*"; }
check() { # check DESCRIPTION COMMAND...: runs the command quietly, reports it
    local what=$1; shift
    local out
    if out=$("$@" 2>&1); then pass "$what"; else fail "$what"; printf '%s\n' "$out" >&2; fi
}

app_id=com.marrowfield.Glyphora
sizes=(16 22 24 32 48 64 128 256)
packs=(i18n/packs/*.lng)
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT

# --- 1. The staged tree ---------------------------------------------------------------------
stage=$build/stage
rm -rf "$stage"
DESTDIR=$stage cmake --install "$build" --prefix /usr >"$work/install.log"
usr=$stage/usr

expected=(
  bin/glyphora bin/glyphora-cli bin/glyphora-thumbnailer
  share/applications/$app_id.desktop
  share/thumbnailers/glyphora.thumbnailer
  share/metainfo/$app_id.metainfo.xml
  share/mime/packages/glyphora.xml
  share/icons/hicolor/scalable/apps/glyphora.svg
  share/man/man1/glyphora.1.gz share/man/man1/glyphora-cli.1.gz share/man/man1/glyphora-thumbnailer.1.gz
  share/bash-completion/completions/glyphora-cli
  share/glyphora/glyphora-sample.dll
  share/doc/glyphora/README.md
)
for size in "${sizes[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/glyphora.png"); done
for pack in "${packs[@]}"; do expected+=("share/glyphora/$(basename "$pack")"); done
for help in "$build"/*.chm; do [ -e "$help" ] && expected+=("share/glyphora/$(basename "$help")"); done
missing=0
for file in "${expected[@]}"; do [ -f "$usr/$file" ] || { fail "staged tree lacks /usr/$file"; missing=1; }; done
[ $missing -eq 0 ] && pass "staged tree holds all ${#expected[@]} expected files"
extra=$(cd "$usr" && find . -type f | sed 's|^\./||' | sort | comm -23 - <(printf '%s\n' "${expected[@]}" | sort))
[ -z "$extra" ] && pass "staged tree holds nothing else" || fail "unexpected files in the staged tree: $extra"
for exe in glyphora glyphora-cli glyphora-thumbnailer; do
  [ -x "$usr/bin/$exe" ] || fail "/usr/bin/$exe is not executable"
done

check "desktop-file-validate" desktop-file-validate "$usr/share/applications/$app_id.desktop"
check "appstreamcli validate --no-net" appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml"
for page in glyphora glyphora-cli glyphora-thumbnailer; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] && pass "man --warnings -l $page.1" || fail "man --warnings -l $page.1: $warnings"
done
check "bash completion parses" bash -n "$usr/share/bash-completion/completions/glyphora-cli"

# Each hicolor PNG has the size of its folder and an alpha channel.
check "icon PNGs have their folders' sizes" /usr/bin/python3 - "$usr/share/icons/hicolor" "${sizes[@]}" <<'EOF'
import sys
from PIL import Image
root, sizes = sys.argv[1], [int(s) for s in sys.argv[2:]]
for s in sizes:
    image = Image.open(f"{root}/{s}x{s}/apps/glyphora.png")
    assert image.size == (s, s), (s, image.size)
    assert image.mode == "RGBA", (s, image.mode)
    assert image.getpixel((0, 0))[3] == 0, f"{s}: corner not transparent"
EOF

# The file types: with the system's database and ours, every extension maps to a type the
# desktop entry names.
mime=$work/mime
mkdir -p "$mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$usr/share/mime/packages/glyphora.xml" "$mime/packages/"
# (It notes that the folder is not on the data path: that is meant.)
update-mime-database "$mime" >/dev/null 2>&1 || fail "update-mime-database with glyphora.xml"
types=$(sed -n 's/^MimeType=//p' "$usr/share/applications/$app_id.desktop")
for ext in exe dll ocx cpl scr icl ico; do
  type=$(awk -F: -v glob="*.$ext" '$3 == glob { print $2; exit }' "$mime/globs2")
  if [ -n "$type" ] && [[ ";$types" == *";$type;"* ]]; then
    pass ".$ext is $type, which the desktop entry opens"
  else
    fail ".$ext maps to '${type}', not one of the desktop entry's types ($types)"
  fi
done

# The thumbnailer's key file names the program where the installation put it, so that any
# prefix works whatever the file manager's PATH; in GNOME's sandbox (which shows only /usr)
# the program needs nothing outside /usr.
key=$usr/share/thumbnailers/glyphora.thumbnailer
check "the thumbnailer entry runs /usr/bin/glyphora-thumbnailer" grep -qx \
  'Exec=/usr/bin/glyphora-thumbnailer -s %s %i %o' "$key"
check "the thumbnailer entry's TryExec" grep -qx 'TryExec=/usr/bin/glyphora-thumbnailer' "$key"
check "the thumbnailer entry's group" grep -qx '\[Thumbnailer Entry\]' "$key"
thumbnailer_types=$(sed -n 's/^MimeType=//p' "$key")
for ext in exe dll ocx cpl scr icl; do
  type=$(awk -F: -v glob="*.$ext" '$3 == glob { print $2; exit }' "$mime/globs2")
  [[ ";$thumbnailer_types" == *";$type;"* ]] && pass "the thumbnailer takes .$ext ($type)" ||
    fail "the thumbnailer's types ($thumbnailer_types) lack .$ext's $type"
done
# (ldd says "not a dynamic executable", and fails, for the static build.)
outside=$( (ldd "$usr/bin/glyphora-thumbnailer" 2>/dev/null || true) | awk '$3 ~ /^\// && $3 !~ /^\/(usr\/)?lib/ { print $3 }')
[ -z "$outside" ] && pass "glyphora-thumbnailer needs only libraries below /usr" ||
  fail "glyphora-thumbnailer needs libraries outside /usr: $outside"
(ldd "$usr/bin/glyphora-thumbnailer" 2>/dev/null || true) | grep -qi "libqt" && fail "glyphora-thumbnailer links Qt" ||
  pass "glyphora-thumbnailer does not link Qt"
opt=$work/opt
DESTDIR=$opt cmake --install "$build" --prefix /opt/glyphora >"$work/install-opt.log"
check "installed under /opt, the entry names /opt/glyphora/bin/glyphora-thumbnailer" grep -qx \
  'Exec=/opt/glyphora/bin/glyphora-thumbnailer -s %s %i %o' "$opt/opt/glyphora/share/thumbnailers/glyphora.thumbnailer"
rm -rf "$opt"
rm -f "$work/thumb.png"
if "$usr/bin/glyphora-thumbnailer" -s 128 "$usr/share/glyphora/glyphora-sample.dll" "$work/thumb.png" &&
  /usr/bin/python3 -c 'import sys; from PIL import Image; im = Image.open(sys.argv[1]); assert im.size == (48, 48) and im.mode == "RGBA"' "$work/thumb.png"; then
  pass "staged glyphora-thumbnailer draws the sample's first icon"
else
  fail "staged glyphora-thumbnailer on the sample"
fi

# The staged programs find their packs in ../share/glyphora (the English text 604 is the
# pack's, not the built-in one).
check "staged glyphora-cli --version" "$usr/bin/glyphora-cli" --version
no_destination=$(sed -n 's/^604 = //p' "$usr/share/glyphora/english.lng")
out=$("$usr/bin/glyphora-cli" -e "$usr/share/glyphora/glyphora-sample.dll" 2>&1 || true)
[[ $out == *"$no_destination"* ]] && pass "staged glyphora-cli reads its pack from share/glyphora" ||
  fail "staged glyphora-cli did not show the pack's text 604: $out"

# --- 2. The Debian package ------------------------------------------------------------------
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
deb=$(ls "$build"/packages/glyphora_*.deb 2>/dev/null | head -n 1 || true)
if [ -z "$deb" ]; then
  fail "no glyphora_*.deb in $build/packages"
  echo "check-install: $failures failure(s)"; exit 1
fi
pass "built $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb -I "$deb" >"$work/info"
depends=$(sed -n 's/^ Depends: //p' "$work/info")
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libchm1 libpng16-16 libjpeg62-turbo libgif7 zlib1g libstdc++6 libc6; do
  [[ ", $depends," == *", $lib "* || ", $depends," == *", $lib,"* ]] || fail "Depends lacks $lib: $depends"
done
pass "Depends (from dpkg-shlibdeps): $depends"
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/contents"
for file in "${expected[@]}"; do
  grep -qx "/usr/$file" "$work/contents" || fail "the package lacks /usr/$file"
done
pass "the package holds the staged tree"

if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
  echo "check-install: not root: the package is built and checked but not installed"
else
  export DEBIAN_FRONTEND=noninteractive
  # What an installation may touch: the files where the package puts its own, and what the
  # desktop's caches say about Glyphora and its file types (the caches themselves are
  # rewritten by every package's triggers).
  snapshot() {
    {
      find /usr/bin /usr/share/applications /usr/share/metainfo /usr/share/glyphora /usr/share/icons/hicolor \
        /usr/share/mime/packages /usr/share/man/man1 /usr/share/bash-completion/completions /usr/share/doc \
        -maxdepth 3 -not -name '*.cache' 2>/dev/null || true
      grep -h -i "glyphora\|portable-executable" /usr/share/applications/mimeinfo.cache /usr/share/mime/globs2 \
        2>/dev/null || true
    } | sort >"$1"
  }
  if dpkg-query -W -f='${Status}' glyphora 2>/dev/null | grep -q "install ok installed"; then
    echo "check-install: removing a glyphora package left from before"
    apt-get purge -y -qq glyphora >/dev/null
  fi
  dpkg-query -W -f='${Package}:${Architecture}\n' | sort >"$work/packages.before"
  snapshot "$work/before"
  if (cd "$(dirname "$deb")" && apt-get install -y -qq "./$(basename "$deb")") >"$work/apt.log" 2>&1; then
    pass "apt-get install $(basename "$deb")"
    # The installed programs run as an ordinary user, as on a desktop.
    home=$work/home
    mkdir -p "$home"
    chown nobody "$home"
    as_user() { runuser -u nobody -- env HOME="$home" XDG_CONFIG_HOME="$home/.config" "$@"; }
    check "/usr/bin/glyphora-cli --version" as_user /usr/bin/glyphora-cli --version
    sample=/usr/share/glyphora/glyphora-sample.dll
    count=$(as_user /usr/bin/glyphora-cli "$sample" | sed -n 's/.*: \([0-9]*\) icon(s)$/\1/p')
    as_user /usr/bin/glyphora-cli -e "$sample" "$home/icons" -desttype=png -iconindex=0 >/dev/null ||
      fail "installed glyphora-cli could not export the sample"
    written=$(ls "$home/icons"/*.png 2>/dev/null | wc -l)
    [ -n "$count" ] && [ "$count" -gt 0 ] && [ "$written" -eq "$count" ] &&
      pass "installed glyphora-cli exported the sample's $count icons" ||
      fail "the sample holds '$count' icons, $written were exported"

    # The window's command line, under a virtual display.
    if as_user timeout 120 xvfb-run -a /usr/bin/glyphora -e "$sample" "$home/window.pdf" -closewhendone \
         >"$work/window.log" 2>&1 && [ -s "$home/window.pdf" ]; then
      pass "the window exported the sample to PDF under xvfb-run and closed"
    else
      fail "the window's command line under xvfb-run"; cat "$work/window.log" >&2
    fi
    # The menu entry's command line, as the desktop runs it to open a file.
    exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/$app_id.desktop)
    read -r -a command <<<"${exec_line//%f/$sample}"
    if as_user env GLYPHORA_SCREENSHOT="$home/window.png" timeout 120 xvfb-run -a "${command[@]}" \
         >"$work/menu.log" 2>&1 && [ -s "$home/window.png" ]; then
      pass "the menu entry's command ($exec_line) shows the window on the sample"
    else
      fail "the menu entry's command ($exec_line)"; cat "$work/menu.log" >&2
    fi

    # The desktop knows the package: "Open with Glyphora" for every file type, its file types.
    offered=0
    for type in ${types//;/ }; do
      grep -q "^$type=.*$app_id.desktop" /usr/share/applications/mimeinfo.cache 2>/dev/null ||
        { fail "mimeinfo.cache does not offer Glyphora for $type"; offered=1; }
    done
    [ $offered -eq 0 ] && pass "file managers offer Glyphora for ${types//;/ }"
    check "the installed MIME database knows .ocx" grep -q "vnd.microsoft.portable-executable:\*.ocx" /usr/share/mime/globs2

    # GNOME's own thumbnail factory, as Files asks it, runs the installed thumbnailer in its
    # bubblewrap sandbox: the sample modules (first icon: 16 to 48 pixels), a PE32 and a
    # PE32+ executable whose first icon has a 256 x 256 PNG image (drawn at 256 and scaled
    # down to 128), and a module without icons, which it must refuse.
    if command -v bwrap >/dev/null && /usr/bin/python3 -c 'import gi; gi.require_version("GnomeDesktop", "3.0")' 2>/dev/null; then
      modules=$home/modules
      mkdir -p "$modules"
      llvm_rc=$(sed -n 's/^GLYPHORA_LLVM_RC:FILEPATH=//p' "$build/CMakeCache.txt")
      lld_link=$(sed -n 's/^GLYPHORA_LLD_LINK:FILEPATH=//p' "$build/CMakeCache.txt")
      cp "$build/samples/art/mainicon.ico" "$build/samples/glyphora-sample32.dll" "$modules/"
      printf '1 ICON "mainicon.ico"\n' >"$modules/icon.rc"
      printf 'STRINGTABLE { 1, "no icons here" }\n' >"$modules/plain.rc"
      (cd "$modules" && "$llvm_rc" -FO icon.res -- icon.rc && "$llvm_rc" -FO plain.res -- plain.rc &&
        "$lld_link" -dll -noentry -machine:x86 -out:setup32.exe icon.res &&
        "$lld_link" -dll -noentry -machine:x64 -out:setup64.exe icon.res &&
        "$lld_link" -dll -noentry -machine:x64 -out:plain.dll plain.res) >"$work/modules.log" 2>&1 ||
        { fail "building the thumbnail factory's modules"; cat "$work/modules.log" >&2; }
      chown -R nobody "$modules"
      if as_user env G_MESSAGES_DEBUG=all /usr/bin/python3 scripts/thumbnail-factory-check.py \
           "$sample 256 48" "$modules/glyphora-sample32.dll 128 48" "$modules/setup32.exe 256 256" \
           "$modules/setup64.exe 128 128" "$modules/plain.dll 256 0" >"$work/factory.log" 2>&1; then
        pass "GNOME's thumbnail factory: $(grep -c '^ok' "$work/factory.log") files as expected"
        grep '^ok' "$work/factory.log" | sed 's/^/    /'
      else
        fail "GNOME's thumbnail factory"; grep -v "^(process\|^$" "$work/factory.log" | tail -n 40 >&2
      fi
      grep -q "About to launch script: bwrap .*glyphora-thumbnailer" "$work/factory.log" &&
        pass "the factory ran glyphora-thumbnailer inside bwrap" ||
        { fail "the factory did not run glyphora-thumbnailer inside bwrap"; tail -n 40 "$work/factory.log" >&2; }
    else
      fail "bubblewrap or GNOME's thumbnail factory (gir1.2-gnomedesktop-3.0) is missing: run scripts/install-deps.sh"
    fi
  else
    fail "apt-get install $(basename "$deb")"; cat "$work/apt.log" >&2
  fi

  # Removal: the package, and anything its installation brought in.
  apt-get purge -y -qq glyphora >"$work/purge.log" 2>&1 || { fail "apt-get purge glyphora"; cat "$work/purge.log" >&2; }
  dpkg-query -W -f='${Package}:${Architecture}\n' | sort >"$work/packages.after"
  brought=$(comm -13 "$work/packages.before" "$work/packages.after")
  if [ -n "$brought" ]; then
    echo "check-install: removing what the package's installation brought in: $brought"
    apt-get purge -y -qq $brought >/dev/null
    dpkg-query -W -f='${Package}:${Architecture}\n' | sort >"$work/packages.after"
  fi
  snapshot "$work/after"
  if cmp -s "$work/packages.before" "$work/packages.after" && cmp -s "$work/before" "$work/after"; then
    pass "removed: the packages, files, menu and file types are as they were"
  else
    fail "the machine differs after the removal"
    diff "$work/packages.before" "$work/packages.after" >&2 || true
    diff "$work/before" "$work/after" >&2 || true
  fi
fi

if [ "$failures" -eq 0 ]; then
  echo "check-install: all checks passed"
else
  echo "check-install: $failures failure(s)"
  exit 1
fi
