#!/usr/bin/env bash
# Runs the Linux glyphora-cli and the Windows glyphora-cli.exe (under Wine) on the same input
# and fails unless they agree:
#  - the exports of the bundled sample (every icon as .ico, and as PNG, HTML, dBase, PDF and
#    spreadsheet) are byte for byte the same files;
#  - every case of the failure table ends with the same exit status, the same stderr and
#    stdout lines and the same files left in the folder.
# Both programs run in a folder of their own on the same relative names, so that the names
# they print and write are the same. Two things are allowed to differ, and only they: a
# Windows console program ends its lines with CR LF, and the creation time a PDF
# (/CreationDate) and a spreadsheet (docProps/core.xml) carry, which the program takes from
# the clock; both are masked before the comparison, the rest of those files is compared
# byte for byte (a spreadsheet member by member, with its zip directory).
#
# Usage: compare-with-linux.sh LINUX_CLI WINDOWS_CLI SAMPLE_DLL WORK_FOLDER
# (WINEPREFIX and WINEDEBUG come from the environment.)
set -uo pipefail
linux_cli=$1
windows_cli=$2
sample=$3
work=$4

rm -rf "$work"
mkdir -p "$work"
failures=0
fail() {
  echo "DIFFERENT: $*"
  failures=$((failures + 1))
}

# A case folder as the failure table needs it.
prepare() {
  local dir=$1
  mkdir -p "$dir/adir.png"
  cp "$sample" "$dir/app.dll"
  printf 'no icons in here\n' >"$dir/notes.txt"
  : >"$dir/empty.ico"
  printf 'mine' >"$dir/taken_files"
}

# run SIDE NAME ARGS...: runs one program in work/SIDE/NAME, keeping status, stdout, stderr.
run() {
  local side=$1 name=$2
  shift 2
  local dir=$work/$side/$name
  prepare "$dir"
  local status
  if [[ $side == linux ]]; then
    (cd "$dir" && "$linux_cli" "$@" >../"$name".out 2>../"$name".err </dev/null)
    status=$?
  else
    (cd "$dir" && wine "$windows_cli" "$@" >../"$name".out 2>../"$name".err </dev/null)
    status=$?
    sed -i 's/\r$//' "$work/$side/$name".out "$work/$side/$name".err
  fi
  echo "$status" >"$work/$side/$name.status"
}

# The creation time of a PDF, masked in place (the same length, so offsets stay true).
mask_pdf_dates() {
  sed -i -E 's|/CreationDate \(D:[0-9]{14}\)|/CreationDate (D:00000000000000)|g' "$1"
}

# A spreadsheet as its zip directory (names, sizes, order) and its members, extracted,
# with the creation and change times of docProps/core.xml masked.
unpack_xlsx() {
  local file=$1 into=$2
  mkdir -p "$into"
  (cd "$into" && unzip -qo "$file") || return 1
  zipinfo "$file" | sed 1d >"$into.listing"
  sed -i -E 's|(<dcterms:(created\|modified)[^>]*>)[^<]*|\1MASKED|g' "$into/docProps/core.xml"
}

compare_case() {
  local name=$1
  for what in status out err; do
    cmp -s "$work/linux/$name.$what" "$work/windows/$name.$what" ||
      fail "$name: $what: Linux '$(cat "$work/linux/$name.$what")', Windows '$(cat "$work/windows/$name.$what")'"
  done
  diff -r "$work/linux/$name" "$work/windows/$name" >/dev/null || fail "$name: the folders differ: $(diff -rq "$work/linux/$name" "$work/windows/$name")"
}

# The exports of the sample: name, then the arguments after -e app.dll.
exports=(
  "ico|icons -iconindex=0"
  "png|pictures -iconindex=0 -desttype=png"
  "html|page.htm -iconindex=0 -desttype=html"
  "dbf|table.dbf -iconindex=0 -desttype=dbf"
  "pdf|doc.pdf -iconindex=0 -desttype=pdf"
  "xlsx|sheet.xlsx -iconindex=0 -desttype=xlsx"
)
for entry in "${exports[@]}"; do
  name=${entry%%|*}
  read -r -a args <<<"${entry#*|}"
  for side in linux windows; do run "$side" "export-$name" -e app.dll "${args[@]}"; done
  for side in linux windows; do
    dir=$work/$side/export-$name
    [[ -f $dir/doc.pdf ]] && mask_pdf_dates "$dir/doc.pdf"
    if [[ -f $dir/sheet.xlsx ]]; then
      unpack_xlsx "$dir/sheet.xlsx" "$work/$side/xlsx-unpacked" || fail "$side: the spreadsheet does not unzip"
      rm "$dir/sheet.xlsx"
    fi
  done
  [[ $(cat "$work/linux/export-$name.status") == 0 ]] || fail "export-$name: the Linux program failed"
  compare_case "export-$name"
done
if [[ -d $work/linux/xlsx-unpacked ]]; then
  diff -r "$work/linux/xlsx-unpacked" "$work/windows/xlsx-unpacked" >/dev/null || fail "xlsx: the members differ"
  cmp -s "$work/linux/xlsx-unpacked.listing" "$work/windows/xlsx-unpacked.listing" || fail "xlsx: the zip directories differ"
else
  fail "xlsx: no spreadsheet was written"
fi

# The failure table (less what only POSIX can set up: an unreadable file, a file-size limit).
failures_table=(
  "sound|-e app.dll out.png -iconindex=2"
  "empty-ico|-e empty.ico copy.ico"
  "empty-ico-folder|-e empty.ico dir -iconindex=0"
  "no-icons-pictures|-e notes.txt dir -iconindex=0 -desttype=png"
  "no-icons-html|-e notes.txt out.htm"
  "no-icons-dbase|-e notes.txt out.dbf"
  "no-icons-pdf|-e notes.txt out.pdf"
  "no-icons-ico|-e notes.txt g.ico"
  "icon-missing|-e app.dll x.png -iconindex=99"
  "icon-missing-ico|-e app.dll x.ico -iconindex=7"
  "folder-missing|-e app.dll none/x.png"
  "target-is-a-folder|-e app.dll adir.png"
  "picture-folder-taken|-e app.dll taken.htm"
  "source-missing|-e gone.dll x.png"
  "source-is-a-folder|-e adir.png x.png"
  "unknown-index|-e app.dll w.png -iconindex=abc"
  "unknown-type|-e app.dll w -desttype=xyz"
  "count|app.dll"
  "no-destination|-e app.dll"
)
for entry in "${failures_table[@]}"; do
  name=${entry%%|*}
  read -r -a args <<<"${entry#*|}"
  for side in linux windows; do run "$side" "case-$name" "${args[@]}"; done
  compare_case "case-$name"
done

if ((failures)); then
  echo "$failures difference(s) between the Linux and the Windows program"
  exit 1
fi
echo "The Windows program wrote the same files and the same lines as the Linux one (${#exports[@]} exports, ${#failures_table[@]} failure cases)."
