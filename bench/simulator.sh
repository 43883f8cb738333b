#!/bin/sh
# Instructions of the whole simulator, counted by callgrind from process
# start to exit (following the launcher into the host's program), for the
# actions a user waits for, at each palette size of the scaling sweep:
#
#   bench/simulator.sh build/bin/tabulon-ide
#
# SIZES (default "500/60 5000/500") chooses the pages and groups, as the
# scaling sweep pairs them, twenty pages a group (bench/ide-shape.py writes
# the hive file and the palette file). Each action is the difference of two runs that
# differ by it alone, so that what every run does (starting the program,
# reading the palette and the hive, tearing down) drops out:
#
#   IDE rebuild      show, install of a one-page package   less  show
#   start-up         show, load                            less  show
#   dialog + Cancel  show, load, settings dialog, Cancel   less  show, load
#   OK over Cancel   the same with OK (hive file written)  less  the Cancel run
#   show+load+dump   the whole run
#
# and the first three actions are also given in IDE rebuilds.
set -eu
if [ $# -ne 1 ]; then
  echo "usage: $0 TABULON-IDE" >&2
  exit 2
fi
for tool in valgrind awk python3; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "simulator.sh: $tool is not installed (scripts/install-deps bench installs it)" >&2
    exit 2
  fi
done
ide=$1
if [ ! -x "$ide" ]; then
  echo "simulator.sh: $ide is not a program: build it first (see the README)" >&2
  exit 2
fi
here=$(dirname "$0")
sizes=${SIZES:-"500/60 5000/500"}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# run NAME PAGES COMMAND...: the instructions of one run, on a fresh copy of
# the hive file.
run() {
  name=$1 pages=$2
  shift 2
  cp "$out/p$pages.reg" "$out/hive.reg"
  set -- --hive "$out/hive.reg" --palette "$out/p$pages.pal" "$@"
  rm -f "$out"/cg.*
  if ! valgrind --tool=callgrind --trace-children=yes --callgrind-out-file="$out/cg.%p" \
    "$ide" "$@" >"$out/stdout" 2>"$out/stderr"; then
    echo "simulator.sh: the $name run at $pages pages failed:" >&2
    grep -v '^==' "$out/stderr" >&2
    exit 1
  fi
  total=0
  for f in "$out"/cg.*; do
    n=$(sed -n 's/^summary: *//p' "$f")
    total=$((total + ${n:-0}))
  done
  echo "$name $pages $total" >>"$out/counts"
}

: >"$out/counts"
for size in $sizes; do
  pages=${size%/*}
  python3 "$here/ide-shape.py" "$pages" "${size#*/}" "$out/p$pages"
  run show "$pages" -e show
  run install "$pages" -e show -e "install BenchPackage"
  run load "$pages" -e show -e load
  run cancel "$pages" -e show -e load -e dialog -e cancel -e end -e "menu palette"
  run ok "$pages" -e show -e load -e dialog -e ok -e end -e "menu palette"
  run dump "$pages" -e show -e load -e dump
done
awk -v sizes="$(echo "$sizes" | sed 's|/[0-9]*||g')" '
  { n[$1, $2] = $3 }
  END {
    nsizes = split(sizes, size, " ")
    printf "%-18s", "action"
    for (k = 1; k <= nsizes; ++k) printf " %14s %9s", size[k] " pages", "rebuilds"
    printf "\n"
    row("IDE rebuild", "install", "show")
    row("start-up", "load", "show")
    row("dialog + Cancel", "cancel", "load")
    row("OK over Cancel", "ok", "cancel")
    row("show+load+dump", "dump", "")
  }
  function row(title, a, b,   k, s, v, r) {
    printf "%-18s", title
    for (k = 1; k <= nsizes; ++k) {
      s = size[k]
      v = n[a, s] - (b == "" ? 0 : n[b, s])
      r = n["install", s] - n["show", s]
      if (b == "")
        printf " %14.0f %9s", v, ""
      else
        printf " %14.0f %9.2f", v, (r > 0 ? v / r : 0)
    }
    printf "\n"
  }' "$out/counts"
