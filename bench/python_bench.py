"""The Python module raices beside SciPy, in one run (bench/RESULTS.md).

Run with the environment of scripts/start python:
    .venv/bin/python bench/python_bench.py
Times are medians of 5 repetitions; per-solve times divide a batch."""

import math
import statistics
import time

import numpy as np
from scipy.optimize import brentq, newton

import raices


def mediana(trabajo, veces=5):
    tiempos = []
    for _ in range(veces):
        t = time.perf_counter()
        trabajo()
        tiempos.append(time.perf_counter() - t)
    return statistics.median(tiempos)


def por_solve(resuelve, n=20000):
    return mediana(lambda: [resuelve() for _ in range(n)]) / n


def main():
    print("load average before:", " ".join(open("/proc/loadavg").read().split()[:3]))
    f = lambda x: math.cos(x) - x  # noqa: E731
    t_brentq = por_solve(lambda: brentq(f, 0, 1, xtol=1e-12))
    t_llamable = por_solve(lambda: raices.resuelve(f, intervalo=(0, 1), tol=1e-12))
    t_brent = por_solve(lambda: raices.resuelve(f, intervalo=(0, 1), tol=1e-12, metodo="brent"))
    e = raices.Expresion("cos(x) - x")
    t_texto = por_solve(lambda: raices.resuelve(e, intervalo=(0, 1), tol=1e-12))
    t_sin = por_solve(lambda: raices.resuelve(e, intervalo=(0, 1), tol=1e-12, prueba=False))
    _, info = brentq(f, 0, 1, xtol=1e-12, full_output=True)
    r = raices.resuelve(f, intervalo=(0, 1), tol=1e-12)
    print("cos(x) - x on [0, 1], xtol 1e-12, per solve:")
    print(f"  SciPy brentq (callable)               {t_brentq * 1e6:6.2f} us  {info.function_calls} calls")
    print(f"  raices chandrupatla (callable)        {t_llamable * 1e6:6.2f} us  "
          f"{r.evals_f} calls in the steps, {r.llamadas_f} of f in all, verdict included")
    print(f"  raices brent (callable)               {t_brent * 1e6:6.2f} us")
    print(f"  raices chandrupatla (Expresion, proof) {t_texto * 1e6:6.2f} us")
    print(f"  raices chandrupatla (Expresion)       {t_sin * 1e6:6.2f} us  prueba=False")
    print(f"  ratio callable / brentq               {t_llamable / t_brentq:6.2f}")

    n = 1000000
    g = np.random.default_rng(1)
    ecc, M = g.uniform(0, 0.99, n), g.uniform(0, 2 * np.pi, n)
    kepler = "x - ecc*sin(x) - M"
    par = {"ecc": ecc, "M": M}
    print(f"Kepler x - ecc sin(x) - M, {n} pairs (ecc in [0, 0.99), M in [0, 2 pi)):")
    for metodo, arranque in (("chandrupatla", dict(intervalo=(0, 2 * np.pi))),
                             ("newton", dict(x0=np.pi))):
        for hilos in (1, 2):
            s = raices.resuelve(kepler, metodo=metodo, parametros=par, hilos=hilos, **arranque)
            t = mediana(lambda: raices.resuelve(kepler, metodo=metodo, parametros=par,
                                                hilos=hilos, **arranque), 3)
            print(f"  raices {metodo:12s} {hilos} thread(s)  {t:6.3f} s  "
                  f"{int(s.converged.sum())} roots, {s.llamadas.mean():.1f} calls each")
    t_np = mediana(lambda: newton(lambda x: x - ecc * np.sin(x) - M, np.full(n, np.pi),
                                  fprime=lambda x: 1 - ecc * np.cos(x), tol=1e-12), 3)
    print(f"  SciPy newton, vectorised with f'      {t_np:6.3f} s  (no verdict per element)")


if __name__ == "__main__":
    main()
