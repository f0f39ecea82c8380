"""rootcompare --csv read as a program reads it: through a pipe, by Python's
csv module with no encoding or dialect given, under the C and UTF-8 locales.
Every row has the six fields, an ASCII method key, numbers that parse, and
one outcome code per method, repeated on each of its rows.

Usage: check_csv.py ROOTCOMPARE
"""
import csv
import io
import os
import re
import subprocess
import sys

PROG = sys.argv[1]
OUTCOMES = {0, 9, 11, 12, 21, 23, 27}
PROBLEMS = [[], ["-f", "tan(x)", "-a", "1", "-b", "2"], ["-f", "x*x + 1", "-n", "5"]]
errors = []
for locale in ("C", "C.UTF-8"):
    for args in PROBLEMS:
        env = dict(os.environ, LC_ALL=locale)
        with subprocess.Popen([PROG, "--csv"] + args, stdout=subprocess.PIPE, env=env) as proc:
            rows = list(csv.reader(io.TextIOWrapper(proc.stdout)))
        name = f"{locale} {' '.join(args)}"
        if proc.returncode != 0 or rows[0] != ["metodo", "paso", "x", "fx", "cambio", "estado"]:
            errors.append(f"{name}: status {proc.returncode}, header {rows[:1]}")
            continue
        codes = {}
        for row in rows[1:]:
            if len(row) != 6 or not re.fullmatch(r"[a-z0-9_]+", row[0]):
                errors.append(f"{name}: row {row}")
                continue
            [float(v) for v in row[2:5]]  # nan and inf parse too
            codes.setdefault(row[0], set()).add(int(row[5]))
        for key, seen in codes.items():
            if len(seen) != 1 or not seen <= OUTCOMES:
                errors.append(f"{name}: {key} has outcome codes {seen}")
        if len(codes) < 7:
            errors.append(f"{name}: rows for only {sorted(codes)}")
print("\n".join(errors))
sys.exit(1 if errors else 0)
