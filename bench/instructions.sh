#!/bin/sh
# Instructions per operation, counted by callgrind, at each palette size of
# the scaling sweep: one iteration of each benchmark, with only its timed
# part collected. Unlike wall time, the counts do not depend on what else
# the machine is doing, so they give steady growth exponents.
#
#   bench/instructions.sh build/bin/scaling_bench [OPERATION...]
#
# OPERATION is a benchmark name without "BM_" (GroupSwitch, StartUp ...);
# without any, every operation of the sweep but the literal reference.
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
[ $# -gt 0 ] || set -- GroupSwitch PageChoice TickUnchanged TickAfterRewrite SortTick StartUp \
  DialogOpening SettingsOk Export
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
printf '%-18s %14s %14s %14s %14s %9s\n' operation 500 2000 5000 20000 exponent
for op in "$@"; do
  counts=
  for pages in 500 2000 5000 20000; do
    valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/cg" \
      "$bench" --benchmark_filter="^BM_$op/pages:$pages/" --benchmark_min_time=0 \
      --benchmark_repetitions=1 >"$out/stdout" 2>"$out/stderr"
    counts="$counts $(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$out/stderr")"
  done
  echo "$counts" | awk -v op="$op" '{
    printf "%-18s %14d %14d %14d %14d %9.2f\n", op, $1, $2, $3, $4, log($4 / $2) / log(10) }'
done
