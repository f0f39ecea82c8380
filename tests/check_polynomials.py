"""Checks rootscan on the polynomials of polynomials.txt against their exact
roots, computed here: rational roots as fractions, irrational ones with
mpmath at 60 digits on the exact polynomial (its numbers read as typed).

Usage: check_polynomials.py ROOTSCAN ROOTCOMPARE TABLE
Both modes, as CSV: exit status 0; one row per root, in order; each
multiplicity exact; a rational root `exacta` at the double nearest it, an
irrational one `unica` with the root inside [inf, sup], no wider than
TOL max(1, |x|), and x the double nearest the root. The table of --demuestra
ends with "Ninguna otra raiz". rootcompare: each method's answer `converge`
exactly when it lies within TOL max(1, |x|) of a true root, else `no alcanza`.
"""
import csv
import io
import re
import subprocess
import sys
from fractions import Fraction

import mpmath

mpmath.mp.dps = 60
TOL = 1e-12
ROOTCOMPARE = "rootcompare"


class Poly:
    """A polynomial with exact rational coefficients, lowest degree first."""

    def __init__(self, c):
        self.c = [Fraction(v) for v in c]

    @staticmethod
    def of(v):
        return v if isinstance(v, Poly) else Poly([v])

    def __add__(self, o):
        o = Poly.of(o)
        n = max(len(self.c), len(o.c))
        return Poly([(self.c[i] if i < len(self.c) else 0) + (o.c[i] if i < len(o.c) else 0)
                     for i in range(n)])

    __radd__ = __add__

    def __neg__(self):
        return Poly([-v for v in self.c])

    def __sub__(self, o):
        return self + (-Poly.of(o))

    def __rsub__(self, o):
        return Poly.of(o) - self

    def __mul__(self, o):
        o = Poly.of(o)
        r = [Fraction(0)] * (len(self.c) + len(o.c) - 1)
        for i, a in enumerate(self.c):
            for j, b in enumerate(o.c):
                r[i + j] += a * b
        return Poly(r)

    __rmul__ = __mul__

    def __truediv__(self, o):
        (k,) = Poly.of(o).c
        return Poly([v / k for v in self.c])

    def __pow__(self, n):
        (k,) = Poly.of(n).c
        r = Poly([1])
        for _ in range(int(k)):
            r = r * self
        return r

    def __call__(self, x):
        r = 0
        for v in reversed(self.c):
            r = r * x + v
        return r


def exact(text):
    """The typed polynomial, its numbers exactly as typed."""
    py = re.sub(r"(\d+\.?\d*(?:e[+-]?\d+)?)", r"Fraction('\1')", text).replace("^", "**")
    return Poly.of(eval(py, {"Fraction": Fraction, "x": Poly([0, 1])}))


def expected_roots(p, esperadas):
    """[(value, multiplicity, rational)]: value a Fraction or an mpf."""
    roots = []
    for item in esperadas.split():
        value, m = item.rsplit(":", 1)
        if value.startswith("~"):
            coef = [mpmath.mpf(v.numerator) / v.denominator for v in p.c]
            f = lambda x: mpmath.polyval(coef[::-1], x)
            # A multiple root: Newton on f / f' keeps its speed.
            g = lambda x: f(x) / mpmath.polyval(
                [c * i for i, c in enumerate(coef)][1:][::-1], x)
            roots.append((mpmath.findroot(g, mpmath.mpf(value[1:]), tol=1e-50), int(m), False))
        else:
            q = Fraction(value)
            assert p(q) == 0, f"{value} is not a root"
            roots.append((q, int(m), True))
    return roots


def nearest(v):
    """The double nearest v (a Fraction or an mpf)."""
    return float(v) if isinstance(v, Fraction) else float(mpmath.mpf(v))


def run(args):
    r = subprocess.run(args, capture_output=True, env={"LC_ALL": "C"})
    return r.returncode, r.stdout.decode("latin-1"), r.stderr.decode("latin-1")


def check(rootscan, line, faults):
    text, a, b, esperadas = line.split("|")
    p = exact(text)
    roots = expected_roots(p, esperadas)
    base = [rootscan, "-f", text, "-a", a, "-b", b]
    for mode in ([], ["--demuestra"]):
        status, out, err = run(base + mode + ["--csv"])
        where = f"{text[:40]} [{a}, {b}] {' '.join(mode)}"
        if status != 0 or err:
            faults.append(f"{where}: status {status}, {err.strip()}")
            continue
        rows = [r for r in csv.DictReader(io.StringIO(out)) if r["punto"] == "raiz"]
        if len(rows) != len(roots):
            faults.append(f"{where}: {len(rows)} roots, expected {len(roots)}")
            continue
        for row, (value, m, rational) in zip(rows, roots):
            x, inf, sup = float(row["x"]), float(row["inf"]), float(row["sup"])
            proof = row["prueba"]
            bad = []
            if row["multiplicidad"] != str(m):
                bad.append(f"multiplicity {row['multiplicidad']}, expected {m}")
            if x != nearest(value):
                bad.append(f"x {x!r}, nearest double {nearest(value)!r}")
            lo = Fraction(inf) if rational else mpmath.mpf(inf)
            hi = Fraction(sup) if rational else mpmath.mpf(sup)
            if not lo <= value <= hi:
                bad.append(f"[{inf!r}, {sup!r}] misses the root")
            if sup - inf > TOL * max(1, abs(x)):
                bad.append(f"[{inf!r}, {sup!r}] wider than TOL")
            # exacta only where f is 0 at the double x: a root that is a double
            doble = rational and Fraction(x) == value
            want = "exacta" if doble else ("unica" if mode else "demostrada")
            if proof != want:
                bad.append(f"proof {proof}, expected {want}")
            if bad:
                faults.append(f"{where}: root {nearest(value)!r}: " + "; ".join(bad))
    status, out, _ = run(base + ["--demuestra"])
    if status != 0 or "Ninguna otra ra" not in out:
        faults.append(f"{text[:40]} [{a}, {b}]: --demuestra leaves something unproven")
    check_rootcompare(ROOTCOMPARE, text, a, b, roots, faults)


ROW = re.compile(r"^(\S+(?: \S+)?)\s+(\d+)\s+(\d+)\s+(\S+)\s+\S+\s+\S+\s+\S+\s+(.*)$")


def check_rootcompare(rootcompare, text, a, b, roots, faults):
    """Every method's answer inside [A, B] (not at its ends): `converge`
    within TOL max(1, |x|) of a true root, `no alcanza` farther than that
    from every root."""
    status, out, err = run([rootcompare, "-f", text, "-a", a, "-b", b])
    where = f"rootcompare {text[:40]} [{a}, {b}]"
    if status != 0:
        faults.append(f"{where}: status {status}, {err.strip()}")
        return
    for line in out.splitlines():
        m = ROW.match(line)
        if not m or m.group(5) not in ("converge", "no alcanza"):
            continue
        x = float(m.group(4))
        # Far enough inside [A, B] that a root within TOL is one of the list.
        if not float(a) + 2 * TOL * max(1, abs(x)) < x < float(b) - 2 * TOL * max(1, abs(x)):
            continue
        near = any(abs(v - Fraction(x)) <= Fraction(TOL * max(1, abs(x)))
                   if rational else abs(v - x) <= TOL * max(1, abs(x))
                   for v, _, rational in roots)
        if near != (m.group(5) == "converge"):
            faults.append(f"{where}: {m.group(1)} {m.group(5)} at {x!r}")


def main():
    global ROOTCOMPARE
    rootscan, ROOTCOMPARE, table = sys.argv[1:4]
    faults = []
    count = 0
    with open(table, encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                check(rootscan, line, faults)
                count += 1
    for fault in faults:
        print(fault)
    print(f"{count} polynomials, {len(faults)} faults")
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
