"""rootcompare --csv read through a pipe by Python's csv module with no
encoding or dialect given, under C and C.UTF-8: six fields a row, an ASCII
method key, numbers that parse, one outcome code per method on all its rows.

Usage: check_csv.py ROOTCOMPARE
"""
import csv, io, os, re, subprocess, sys

errors = []
for locale in ("C", "C.UTF-8"):
    for args in ([], ["-f", "tan(x)", "-a", "1", "-b", "2"], ["-f", "x*x + 1", "-n", "5"]):
        env = dict(os.environ, LC_ALL=locale)
        with subprocess.Popen([sys.argv[1], "--csv"] + args, stdout=subprocess.PIPE, env=env) as p:
            rows = list(csv.reader(io.TextIOWrapper(p.stdout)))
        codes = {}
        for row in rows[1:]:
            [float(v) for v in row[2:5]]  # nan and inf parse too
            if len(row) == 6 and re.fullmatch(r"[a-z0-9_]+", row[0]):
                codes.setdefault(row[0], set()).add(int(row[5]))
            else:
                errors.append(f"{locale} {args}: row {row}")
        if rows[0] != "metodo paso x fx cambio estado".split() or len(codes) < 7 or any(
            len(c) != 1 or not c <= {0, 9, 11, 12, 21, 23, 27} for c in codes.values()
        ):
            errors.append(f"{locale} {args}: header {rows[0]}, codes {codes}")
print("\n".join(errors))
sys.exit(1 if errors else 0)
