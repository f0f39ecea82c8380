"""The Python module raices beside SciPy, in one run (bench/RESULTS.md).

Run with the environment of scripts/start python:
    .venv/bin/python bench/python_bench.py
The cases take turns, batch after batch, so that a change of the machine's
load falls on all of them alike; each is given as the median and the best of
its batches (per solve: the batch's time divided by its solves), and beside
brentq as the median of the ratios of its batch to brentq's batch of the
same turn."""

import math
import statistics
import time

import numpy as np
from scipy.optimize import brentq, newton

import raices


def por_turnos(casos, rondas, n, cpu=None):
    """{name: [time per solve of each batch]}, the cases run in turns; the
    processor time of the whole process (every thread's) into cpu, if given."""
    tiempos = {k: [] for k in casos}
    for _ in range(rondas):
        for k, trabajo in casos.items():
            t, p = time.perf_counter(), time.process_time()
            for _ in range(n):
                trabajo()
            tiempos[k].append((time.perf_counter() - t) / n)
            if cpu is not None:
                cpu.setdefault(k, []).append((time.process_time() - p) / n)
    return tiempos


def carga():
    return " ".join(open("/proc/loadavg").read().split()[:3])


def una_funcion():
    f = lambda x: math.cos(x) - x  # noqa: E731
    e = raices.Expresion("cos(x) - x")
    casos = {
        "SciPy brentq (callable)": lambda: brentq(f, 0, 1, xtol=1e-12),
        "raices chandrupatla (callable)": lambda: raices.resuelve(f, intervalo=(0, 1), tol=1e-12),
        "raices brent (callable)": lambda: raices.resuelve(f, intervalo=(0, 1), tol=1e-12,
                                                           metodo="brent"),
        "raices Expresion, raiz read": lambda: raices.resuelve(e, intervalo=(0, 1),
                                                               tol=1e-12).raiz,
        "raices Expresion, converged read (proof)": lambda: raices.resuelve(
            e, intervalo=(0, 1), tol=1e-12).converged,
        "raices Expresion, prueba=False, converged": lambda: raices.resuelve(
            e, intervalo=(0, 1), tol=1e-12, prueba=False).converged,
        "raices str, converged read (proof)": lambda: raices.resuelve(
            "cos(x) - x", intervalo=(0, 1), tol=1e-12).converged,
        "raices str, prueba=False, converged": lambda: raices.resuelve(
            "cos(x) - x", intervalo=(0, 1), tol=1e-12, prueba=False).converged,
    }
    tiempos = por_turnos(casos, rondas=25, n=2000)
    _, info = brentq(f, 0, 1, xtol=1e-12, full_output=True)
    r = raices.resuelve(f, intervalo=(0, 1), tol=1e-12)
    print("cos(x) - x on [0, 1], xtol 1e-12, per solve (median and best of 25 batches of 2000; "
          "against brentq: the median of the ratios of batches run one after the other):")
    base = tiempos["SciPy brentq (callable)"]
    for k, ts in tiempos.items():
        razon = statistics.median(t / b for t, b in zip(ts, base))
        print(f"  {k:44s} {statistics.median(ts) * 1e6:6.2f} us  best {min(ts) * 1e6:6.2f} us"
              f"  x{razon:5.2f}")
    print(f"  calls: brentq {info.function_calls}; raices chandrupatla {r.llamadas_f} of the "
          f"callable in all ({r.evals_f} counted by the search, verdict included)")


def kepler():
    n = 1000000
    g = np.random.default_rng(1)
    ecc, M = g.uniform(0, 0.99, n), g.uniform(0, 2 * np.pi, n)
    par = {"ecc": ecc, "M": M}
    texto = "x - ecc*sin(x) - M"
    casos, soluciones = {}, {}
    for metodo, arranque in (("chandrupatla", dict(intervalo=(0, 2 * np.pi))),
                             ("newton", dict(x0=np.pi))):
        for hilos in (1, 2):
            def trabajo(metodo=metodo, arranque=arranque, hilos=hilos):
                return raices.resuelve(texto, metodo=metodo, parametros=par, hilos=hilos,
                                       **arranque)
            casos[f"raices {metodo:12s} {hilos} thread(s)"] = trabajo
            soluciones[metodo, hilos] = trabajo()
    casos["SciPy newton, vectorised with f'"] = lambda: newton(
        lambda x: x - ecc * np.sin(x) - M, np.full(n, np.pi),
        fprime=lambda x: 1 - ecc * np.cos(x), tol=1e-12)
    cpu = {}
    tiempos = por_turnos(casos, rondas=5, n=1, cpu=cpu)
    print(f"Kepler x - ecc sin(x) - M, {n} pairs (ecc in [0, 0.99), M in [0, 2 pi)), "
          "median and best of 5, and the processor time of all threads:")
    for k, ts in tiempos.items():
        print(f"  {k:34s} {statistics.median(ts):6.3f} s  best {min(ts):6.3f} s  "
              f"processor {statistics.median(cpu[k]):6.3f} s")
    for metodo in ("chandrupatla", "newton"):
        s1, s2 = soluciones[metodo, 1], soluciones[metodo, 2]
        iguales = all(np.array_equal(getattr(s1, c), getattr(s2, c))
                      for c in ("raiz", "f_raiz", "estado", "pasos", "llamadas"))
        print(f"  {metodo}: {int(s1.converged.sum())} roots, {s1.llamadas.mean():.1f} calls each, "
              f"1 and 2 threads bit-identical: {iguales}")


def main():
    print("load average before:", carga())
    una_funcion()
    print("load average between:", carga())
    kepler()
    print("load average after:", carga())


if __name__ == "__main__":
    main()
