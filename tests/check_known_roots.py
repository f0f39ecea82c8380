"""Checks every claim the programs make about typed functions whose roots
are known, against those roots and against f itself evaluated with mpmath
at 60 digits, its decimals read as typed.

Usage: check_known_roots.py ROOTSCAN ROOTCOMPARE ROOTBENCH TABLE

A row of TABLE is EXPR|A|B|ROOTS[|OPTIONS]. ROOTS lists VALUE:M, VALUE an
mpmath expression (no blanks) and M the multiplicity, or `borde` for a root
at the edge of f's domain; `*` when f = 0 on all of [A, B]; empty when f has
no root there; ROOTS ending in `!`: --demuestra must prove them all and the
rest of [A, B] free of roots (status 0). OPTIONS are given to rootscan and
rootcompare.

rootscan, in both modes (--csv):
- a root row lies within its tolerance of a true root (a multiple one on
  doubles, within 1e-7 |x|), its kind fits the root's multiplicity, `exacta`
  only where f is exactly 0 at the double x;
- with --demuestra, [inf, sup] holds a true root and is no wider than
  TOL max(1, |x|); `unica` holds exactly one, simple; `impar` roots of odd
  total multiplicity; a multiplicity given is the root's;
- a piece of `par_posible` round an even root is no wider than
  TOL max(1, |x|);
- every true root is reported, or lies in a piece left unproven, a near
  miss, or a part the budget left unexplored (then the status is not 0);
- f = 0 on [A, B] is said (`nula`), or the status is not 0.
rootcompare: a method `converge`s only within TOL max(1, |x|) of a root.
rootbench (bisection and Newton): status 0 only at a root, to its 8 digits.
"""
import csv
import io
import re
import shlex
import subprocess
import sys

import mpmath

mpmath.mp.dps = 60
TOL = 1e-12

FUNCIONES = {n: getattr(mpmath, n) for n in
             ("sin", "cos", "tan", "asin", "acos", "atan", "sinh", "cosh", "tanh", "exp",
              "log", "sqrt")}
FUNCIONES.update(abs=mpmath.fabs, log10=lambda v: mpmath.log(v, 10), pi=mpmath.pi,
                 e=mpmath.e)


def exacto(texto):
    """The text for Python, its numbers as mpmath's at 60 digits."""
    return re.sub(r"(?<![\w.'])(\d+\.?\d*(?:e[+-]?\d+)?)", r"mpf('\1')", texto).replace("^", "**")


def tecleada(texto):
    """f as typed: every number exactly the decimal written."""
    py = exacto(texto)

    def f(x):
        try:
            v = eval(py, {"mpf": mpmath.mpf, "x": mpmath.mpf(x), **FUNCIONES})
        except (ZeroDivisionError, ValueError):
            return None
        return v if isinstance(v, mpmath.mpf) and mpmath.isfinite(v) else None
    return f


def raices(texto):
    if texto.strip() == "*":
        return "*"
    r = []
    for item in texto.split():
        valor, m = item.rsplit(":", 1)
        r.append((mpmath.mpf(eval(exacto(valor), {"mpf": mpmath.mpf, "acosh": mpmath.acosh,
                                                  **FUNCIONES})),
                  0 if m == "borde" else int(m)))
    return r


def corre(args, entrada=None):
    r = subprocess.run(args, capture_output=True, input=entrada, env={"LC_ALL": "C"})
    return r.returncode, r.stdout.decode("latin-1"), r.stderr.decode("latin-1")


def cabe(m, tipo):
    """Whether a root of multiplicity m (0: at the domain's edge) may be
    reported with this kind."""
    return {"simple": m == 1, "multiple_par": m % 2 == 0 and m > 0,
            "multiple_impar": m % 2 == 1 and m > 1, "borde": m == 0}.get(tipo, True)


def escanea(rootscan, fila, faltas, modo):
    texto, a, b, esperadas, opciones, completa = fila
    f, verdad = tecleada(texto), raices(esperadas)
    estado, out, err = corre([rootscan, "-f", texto, "-a", a, "-b", b, "--csv"] + opciones + modo)
    donde = f"rootscan {texto[:40]} [{a}, {b}] {' '.join(opciones + modo)}"
    filas = list(csv.DictReader(io.StringIO(out)))
    if completa and modo and estado != 0:
        faltas.append(f"{donde}: proof not complete, status {estado}")
    if verdad == "*":
        if estado == 0 and not any(r["tipo"] == "nula" for r in filas):
            faltas.append(f"{donde}: f = 0 on [A, B] not said, status 0")
        return
    cubiertas = set()
    for r in filas:
        x, inf, sup = float(r["x"]), float(r["inf"]), float(r["sup"])
        ancho = max(1, abs(x))
        if r["punto"] in ("pieza", "casi") or r["tipo"] in ("indefinida",):
            cubiertas |= {i for i, (v, _) in enumerate(verdad)
                          if inf - TOL * ancho <= v <= sup + TOL * ancho}
        pares = [v for v, m in verdad if m > 0 and m % 2 == 0 and inf <= v <= sup]
        if r["punto"] == "pieza" and r["tipo"] == "par_posible" and pares and \
                sup - inf > TOL * ancho:
            faltas.append(f"{donde}: piece [{inf!r}, {sup!r}] round an even root wider than TOL")
        if r["punto"] != "raiz":
            continue
        if r["prueba"] == "exacta" and f(x) != 0:
            faltas.append(f"{donde}: exacta at {x!r}, where f = {mpmath.nstr(f(x), 5)}")
        if modo:
            dentro = [i for i, (v, _) in enumerate(verdad) if inf <= v <= sup]
            if sup - inf > TOL * ancho:
                faltas.append(f"{donde}: [{inf!r}, {sup!r}] wider than TOL")
            if r["prueba"] == "unica" and [verdad[i][1] for i in dentro] != [1]:
                faltas.append(f"{donde}: unica [{inf!r}, {sup!r}] holds {dentro}")
            if r["prueba"] == "impar" and sum(verdad[i][1] for i in dentro) % 2 != 1:
                faltas.append(f"{donde}: impar [{inf!r}, {sup!r}] holds {dentro}")
            if r["multiplicidad"] and [verdad[i][1] for i in dentro] != [int(r["multiplicidad"])]:
                faltas.append(f"{donde}: multiplicity {r['multiplicidad']} at {x!r}")
        else:
            lejos = lambda v, m: TOL * ancho if m == 1 else 1e-7 * ancho
            dentro = [i for i, (v, m) in enumerate(verdad)
                      if inf - lejos(v, m) <= v <= sup + lejos(v, m)]
            if not all(cabe(verdad[i][1], r["tipo"]) for i in dentro):
                faltas.append(f"{donde}: {r['tipo']} at {x!r}")
        if not dentro:
            faltas.append(f"{donde}: no root at {x!r} [{inf!r}, {sup!r}]")
        cubiertas |= set(dentro)
    faltan = [mpmath.nstr(verdad[i][0], 17) for i in range(len(verdad)) if i not in cubiertas]
    if faltan and estado == 0:
        faltas.append(f"{donde}: roots {faltan} not reported, status 0")


FILA = re.compile(r"^(\S+(?: \S+)?)\s+(\d+)\s+(\d+)\s+(\S+)\s+\S+\s+\S+\s+\S+\s+(.*)$")


def cerca(verdad, x):
    return verdad == "*" or any(abs(v - x) <= TOL * max(1, abs(x)) for v, _ in verdad)


def compara(rootcompare, fila, faltas):
    texto, a, b, esperadas, opciones, _ = fila
    verdad = raices(esperadas)
    _, out, _ = corre([rootcompare, "-f", texto, "-a", a, "-b", b] + opciones)
    for linea in out.splitlines():
        m = FILA.match(linea)
        if m and m.group(5) == "converge" and not cerca(verdad, float(m.group(4))):
            faltas.append(f"rootcompare {texto[:40]}: {m.group(1)} converge at {m.group(4)}")


def banco(rootbench, fila, faltas):
    texto, a, b, esperadas, _, _ = fila
    verdad = raices(esperadas)
    for metodo in ("1", "3"):
        estado, out, _ = corre([rootbench, "-f", texto],
                               f"{a}\n{b}\n1e-12\n200\n{metodo}\n".encode())
        m = re.search(r"La ra.z es\s+(\S+)", out)
        if estado == 0 and m and verdad != "*":
            x = float(m.group(1))
            if not any(abs(v - x) <= 5e-8 * max(1, abs(x)) for v, _ in verdad):
                faltas.append(f"rootbench {texto[:40]} method {metodo}: status 0 at {x!r}")


def main():
    rootscan, rootcompare, rootbench, tabla = sys.argv[1:5]
    faltas, n = [], 0
    with open(tabla, encoding="ascii") as t:
        for linea in t:
            linea = linea.rstrip("\n")
            if not linea or linea.startswith("#"):
                continue
            partes = linea.split("|") + [""]
            raices_texto = partes[3].rstrip()
            completa = raices_texto.endswith("!")
            fila = (partes[0], partes[1], partes[2], raices_texto.rstrip("!"),
                    shlex.split(partes[4]), completa)
            for modo in ([], ["--demuestra"]):
                escanea(rootscan, fila, faltas, modo)
            compara(rootcompare, fila, faltas)
            banco(rootbench, fila, faltas)
            n += 1
    for falta in faltas:
        print(falta)
    print(f"{n} functions, {len(faltas)} faults")
    sys.exit(1 if faltas else 0)


if __name__ == "__main__":
    main()
