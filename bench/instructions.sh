#!/bin/sh
# Instructions per operation, counted by callgrind, at each palette size of
# the scaling sweep: one iteration of each benchmark, with only its timed
# part collected. Unlike wall time, the counts do not depend on what else
# the machine is doing or on its caches, so they hold on any machine and
# give steady growth exponents.
#
#   bench/instructions.sh build/bin/scaling_bench [OPERATION...]
#
# OPERATION is a benchmark name without "BM_" (GroupSwitch, StartUp ...);
# without any, every operation of the sweep and the bare IDE's three. SIZES
# (default "500 2000 5000 20000") chooses the page counts. The literal
# nested search, LiteralStartUp, is quadratic: name it to have it counted
# (at 20,000 pages it takes callgrind many minutes).
#
# After the table: the growth exponent (between 2,000 and 20,000 pages, or
# the smallest and largest size counted), and where both sides were counted
# the start-up against the literal search and the expert against the bare
# IDE's own work on the same pages.
set -eu
if [ $# -lt 1 ]; then
  echo "usage: $0 BENCHMARK-PROGRAM [OPERATION...]" >&2
  exit 2
fi
# A missing tool is told, not left to a silent status 127 inside a pipe.
for tool in valgrind awk sed; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "instructions.sh: $tool is not installed (scripts/install-deps bench installs it)" >&2
    exit 2
  fi
done
bench=$1
shift
if [ ! -x "$bench" ]; then
  echo "instructions.sh: $bench is not a program: build it first (see the README)" >&2
  exit 2
fi
sizes=${SIZES:-"500 2000 5000 20000"}
[ $# -gt 0 ] || set -- GroupSwitch GroupClickInView GroupBarScroll PageChoice TickUnchanged TickAfterRewrite SortTick StartUp \
  DialogOpening SettingsOk Export IdePaletteBuild IdeRebuild IdePaletteClick
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
: >"$out/counts"
for op in "$@"; do
  for pages in $sizes; do
    valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/cg" \
      "$bench" --benchmark_filter="^BM_$op/pages:$pages/" --benchmark_min_time=0 \
      --benchmark_repetitions=1 >"$out/stdout" 2>"$out/stderr"
    count=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$out/stderr")
    if grep -q 'ERROR OCCURRED' "$out/stdout"; then
      echo "$op at $pages pages failed:" >&2
      cat "$out/stdout" >&2
      exit 1
    fi
    echo "$op $pages ${count:-0}" >>"$out/counts"
  done
done
awk -v sizes="$sizes" '
  { n[$1, $2] = $3; if (!($1 in seen)) { seen[$1] = 1; ops[++nops] = $1 } }
  function ratio(title, a, b,   k, s, line) {
    line = ""
    for (k = 1; k <= nsizes; ++k) {
      s = size[k]
      if ((a, s) in n && (b, s) in n && n[b, s] > 0)
        line = line sprintf("  %6d pages %8.2fx\n", s, n[a, s] / n[b, s])
    }
    if (line != "")
      printf "\n%s:\n%s", title, line
  }
  END {
    nsizes = split(sizes, size, " ")
    lo = size[1]; hi = size[nsizes]
    for (k = 1; k <= nsizes; ++k) { if (size[k] == 2000) lo = 2000; if (size[k] == 20000) hi = 20000 }
    printf "%-18s", "operation"
    for (k = 1; k <= nsizes; ++k) printf " %14s", size[k]
    printf " %9s\n", "exponent"
    for (i = 1; i <= nops; ++i) {
      op = ops[i]
      printf "%-18s", op
      for (k = 1; k <= nsizes; ++k) printf " %14.0f", n[op, size[k]]
      if (hi != lo && n[op, lo] > 0 && n[op, hi] > 0)
        printf " %9.2f", log(n[op, hi] / n[op, lo]) / log(hi / lo)
      printf "\n"
    }
    ratio("Literal nested search against the start-up", "LiteralStartUp", "StartUp")
    ratio("Start-up against the IDE building its palette", "StartUp", "IdePaletteBuild")
    ratio("Rewrite tick against the IDE'"'"'s own rebuild", "TickAfterRewrite", "IdeRebuild")
    ratio("Group switch against a click on the full palette", "GroupSwitch", "IdePaletteClick")
  }' "$out/counts"
