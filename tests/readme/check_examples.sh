#!/usr/bin/env bash
# Runs every example of the README, as a reader would after scripts/start.
#
# Usage: check_examples.sh README BIN WORK
#   README  the README, read now, so that an edited example is checked as it is
#   BIN     the folder that holds the built programs (bin/ of a build)
#   WORK    a scratch folder: the examples run there, where build/programs/bin
#           leads to BIN, so each command runs exactly as written
#
# An example is an indented line "    $ COMMAND"; the indented lines that
# follow it, up to the next example or unindented line, are its standard
# output. Each
# example must run (status below 64 with pipefail: no program missing, no
# signal, no sanitizer report) and, where output is shown, write exactly it.
set -uo pipefail
readme=$1 bin=$2 work=$3

rm -rf "${work}"
mkdir -p "${work}/build/programs" "${work}/cases"
ln -s "${bin}" "${work}/build/programs/bin"

# One file per example: cases/N.cmd (the command) and cases/N.out (its
# output). Blank lines belong to the output when indented lines follow them.
awk -v dir="${work}/cases" '
  /^    \$ / { n++; out = dir "/" n ".out"; printf "" > out; blanks = 0
               print substr($0, 7) > (dir "/" n ".cmd"); inside = 1; next }
  inside && /^$/ { blanks++; next }
  inside && /^    / { for (; blanks > 0; blanks--) print "" > out
                      print substr($0, 5) > out; next }
  { inside = 0 }
' "${readme}"

failures=0 total=0
for cmd in "${work}"/cases/*.cmd; do
  total=$((total + 1))
  expected=${cmd%.cmd}.out got=${cmd%.cmd}.got
  (cd "${work}" && LC_ALL=C.UTF-8 bash -o pipefail -c "$(cat "${cmd}")" >"${got}" 2>"${cmd%.cmd}.err")
  status=$?
  if [ "${status}" -ge 64 ]; then
    echo "FAILED (status ${status}): $(cat "${cmd}")"
    cat "${cmd%.cmd}.err"
    failures=$((failures + 1))
  elif [ -s "${expected}" ] && ! diff -u "${expected}" "${got}"; then
    echo "FAILED (output differs from the README): $(cat "${cmd}")"
    failures=$((failures + 1))
  fi
done
[ "${total}" -gt 0 ] || { echo "no example found in ${readme}"; exit 1; }
echo "${total} README examples, ${failures} failed"
[ "${failures}" -eq 0 ]
