"""rootcompare --csv read through a pipe by Python's csv module with no
encoding or dialect given, under C and C.UTF-8: seven fields a row, an ASCII
method key, numbers that parse, one outcome code and one proof per method on
all its rows, and a refuted root never an outcome 0.

Usage: check_csv.py ROOTCOMPARE
"""
import csv, io, os, re, subprocess, sys

PRUEBAS = {"exacta", "demostrada", "refutada", "sin_demostrar"}
errors = []
for locale in ("C", "C.UTF-8"):
    for args in (
        [],
        ["-f", "tan(x)", "-a", "1", "-b", "2"],
        ["-f", "x*x + 1", "-n", "5"],
        ["-f", "exp(-x)", "-a", "0", "-b", "1000"],
        ["-f", "x^3 - 3*x^2 + 3*x - 1", "-a", "0", "-b", "2.5"],
    ):
        env = dict(os.environ, LC_ALL=locale)
        with subprocess.Popen([sys.argv[1], "--csv"] + args, stdout=subprocess.PIPE, env=env) as p:
            rows = list(csv.reader(io.TextIOWrapper(p.stdout)))
        codes = {}
        for row in rows[1:]:
            [float(v) for v in row[2:5]]  # nan and inf parse too
            if len(row) == 7 and re.fullmatch(r"[a-z0-9_]+", row[0]) and row[6] in PRUEBAS:
                codes.setdefault(row[0], set()).add((int(row[5]), row[6]))
            else:
                errors.append(f"{locale} {args}: row {row}")
        if rows[0] != "metodo paso x fx cambio estado prueba".split() or len(codes) < 7 or any(
            len(c) != 1
            or not {e for e, _ in c} <= {0, 9, 11, 12, 14, 21, 23, 27}
            or any(p == "refutada" and e != 14 for e, p in c)
            or (not args and any(p != "sin_demostrar" for _, p in c))
            for c in codes.values()
        ):
            errors.append(f"{locale} {args}: header {rows[0]}, codes {codes}")
print("\n".join(errors))
sys.exit(1 if errors else 0)
