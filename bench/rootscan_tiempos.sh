#!/usr/bin/env bash
# Whole-process time of two rootscan binaries, side by side, on the cases of
# tests/dialogue/rootscan that end with status 0 and on sin(1000*x) over
# [0, 3.15]; and of the second with --demuestra on sin(1000*x).
#
# Usage: bench/rootscan_tiempos.sh ANTES DESPUES [RUNS]
#   ANTES, DESPUES  two rootscan executables (e.g. one built from an earlier
#                   commit with `git archive`, and build/release's)
#   RUNS            runs of each, taken in turns (default 200)
#
# Each run is timed from the shell with $EPOCHREALTIME, standard input
# /dev/null, standard output to /dev/null. Prints the median per run in
# milliseconds for each binary and their ratio.
set -euo pipefail

antes=$1
despues=$2
runs=${3:-200}
dir=$(dirname "$0")/../tests/dialogue/rootscan

mediana() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# One case: its arguments, one per line, in the file $1 (or the words after $1).
mide() {
  local nombre=$1
  shift
  local -a args=("$@")
  : >/tmp/rootscan_antes.t
  : >/tmp/rootscan_despues.t
  for ((i = 0; i < runs; i++)); do
    t0=${EPOCHREALTIME/[.,]/}
    "$antes" "${args[@]}" </dev/null >/dev/null 2>&1 || true
    t1=${EPOCHREALTIME/[.,]/}
    "$despues" "${args[@]}" </dev/null >/dev/null 2>&1 || true
    t2=${EPOCHREALTIME/[.,]/}
    echo $((t1 - t0)) >>/tmp/rootscan_antes.t
    echo $((t2 - t1)) >>/tmp/rootscan_despues.t
  done
  local a d
  a=$(mediana </tmp/rootscan_antes.t)
  d=$(mediana </tmp/rootscan_despues.t)
  awk -v n="$nombre" -v a="$a" -v d="$d" \
    'BEGIN {printf "%-32s %9.2f %9.2f %6.2f\n", n, a / 1000, d / 1000, d / a}'
}

printf '%-32s %9s %9s %6s\n' caso antes despues razon
for args in "$dir"/*.args; do
  caso=$(basename "$args" .args)
  [[ -e $dir/$caso.status ]] && continue
  [[ $caso == proof_* ]] && continue
  mapfile -t a <"$args"
  mide "$caso" "${a[@]}"
done
mide built_in_function
mide "sin(1000*x) [0, 3.15]" -f 'sin(1000*x)' -a 0 -b 3.15
runs=$((runs / 4 + 1))
antes=$despues
mide "--demuestra sin(1000*x)" -f 'sin(1000*x)' -a 0 -b 3.15 --demuestra
