#!/usr/bin/env bash
# Whole-process time of rootbench on empty standard input against same_bytes,
# a minimal C++ program that writes the same bytes in one go, and against
# true(1), the cost of starting any process at all.
#
# Usage: bench/process_time.sh [BUILD_DIR] [RUNS]
#   BUILD_DIR  the build tree holding bin/rootbench and bench/same_bytes (build)
#   RUNS       runs of each program, taken in turns (default 2000)
#
# Each run is timed from the shell with $EPOCHREALTIME (no extra process per
# measurement): fork, exec, the program's run and the wait. Standard input is
# /dev/null and standard output goes to /dev/null. Prints the median, mean
# and minimum per run in microseconds, and the ratio of the medians.
set -euo pipefail

build=${1:-build}
runs=${2:-2000}
rootbench=$build/bin/rootbench
same_bytes=$build/bench/same_bytes
floor=$(type -P true) # the program, not the shell builtin

for exe in "$rootbench" "$same_bytes"; do
  [[ -x $exe ]] || { echo "not found: $exe (build it first)" >&2; exit 2; }
done

# rootbench and same_bytes must write the same bytes and exit 0.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$rootbench" </dev/null >"$tmp/rootbench.out"
"$same_bytes" </dev/null >"$tmp/same_bytes.out"
if ! cmp -s "$tmp/rootbench.out" "$tmp/same_bytes.out"; then
  echo "same_bytes does not write what rootbench writes; rebuild it" >&2
  exit 2
fi
bytes=$(wc -c <"$tmp/rootbench.out")

# Warm-up, then the three programs in turns so drift hits all alike.
for ((i = 0; i < 50; i++)); do
  "$rootbench" </dev/null >/dev/null
  "$same_bytes" </dev/null >/dev/null
  "$floor" </dev/null >/dev/null
done
: >"$tmp/rootbench.t"
: >"$tmp/same_bytes.t"
: >"$tmp/true.t"
for ((i = 0; i < runs; i++)); do
  t0=${EPOCHREALTIME/[.,]/}
  "$rootbench" </dev/null >/dev/null
  t1=${EPOCHREALTIME/[.,]/}
  "$same_bytes" </dev/null >/dev/null
  t2=${EPOCHREALTIME/[.,]/}
  "$floor" </dev/null >/dev/null
  t3=${EPOCHREALTIME/[.,]/}
  echo $((t1 - t0)) >>"$tmp/rootbench.t"
  echo $((t2 - t1)) >>"$tmp/same_bytes.t"
  echo $((t3 - t2)) >>"$tmp/true.t"
done

# Prints "median mean min" of a file of integers.
stats() {
  sort -n "$1" | awk '{ v[NR] = $1; s += $1 }
    END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2;
          printf "%.0f %.1f %d\n", m, s / NR, v[1] }'
}
read -r rb_med rb_mean rb_min < <(stats "$tmp/rootbench.t")
read -r sb_med sb_mean sb_min < <(stats "$tmp/same_bytes.t")
read -r tr_med tr_mean tr_min < <(stats "$tmp/true.t")

echo "runs: $runs each, in turns; stdin /dev/null; $bytes bytes of output to /dev/null"
printf '%-12s %12s %12s %12s\n' program 'median (us)' 'mean (us)' 'min (us)'
printf '%-12s %12s %12s %12s\n' rootbench "$rb_med" "$rb_mean" "$rb_min"
printf '%-12s %12s %12s %12s\n' same_bytes "$sb_med" "$sb_mean" "$sb_min"
printf '%-12s %12s %12s %12s\n' true "$tr_med" "$tr_mean" "$tr_min"
awk -v a="$rb_med" -v b="$sb_med" \
  'BEGIN { printf "ratio of medians rootbench / same_bytes: %.3f (difference %d us)\n", a / b, a - b }'
