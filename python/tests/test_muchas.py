"""Many solves over arrays of parameters: the same answers as one solve at a
time, bit for bit whatever the number of threads, the GIL released, Ctrl-C
honoured."""

import math
import os
import signal
import threading
import time

import numpy as np
import pytest

import raices

KEPLER = "x - ecc*sin(x) - M"


def kepler(n, semilla=1):
    g = np.random.default_rng(semilla)
    return g.uniform(0, 0.99, n), g.uniform(0, 2 * np.pi, n)


def test_each_element_is_the_single_solve():
    ecc, M = kepler(200)
    s = raices.resuelve(KEPLER, intervalo=(0, 2 * np.pi), parametros={"ecc": ecc, "M": M})
    assert s.raiz.shape == (200,) and s.converged.all()
    for k in range(0, 200, 37):
        r = raices.resuelve(KEPLER, intervalo=(0, 2 * np.pi),
                            parametros={"ecc": ecc[k], "M": M[k]})
        assert (r.raiz, r.estado, r.pasos) == (s.raiz[k], s.estado[k], s.pasos[k])
        assert r.prueba in ("demostrada", "exacta")  # one solve is proven on balls
    np.testing.assert_allclose(s.raiz - ecc * np.sin(s.raiz), M, rtol=0, atol=1e-11)


def test_broadcast_shapes_and_methods():
    ecc = np.linspace(0, 0.9, 4)[:, None]
    M = np.linspace(0.1, 6, 5)[None, :]
    s = raices.resuelve(KEPLER, x0=np.pi, metodo="newton", parametros={"ecc": ecc, "M": M})
    assert s.raiz.shape == s.estado.shape == (4, 5) and s.converged.all()
    np.testing.assert_allclose(s.raiz - ecc * np.sin(s.raiz), M + 0 * ecc, atol=1e-11)
    e = raices.Expresion("a*x^2 - 2", parametros=["a"])
    assert e.parametros == ("a",)
    s = raices.resuelve(e, intervalo=(0, 10), parametros={"a": [1, 2, 0.5]})
    np.testing.assert_allclose(s.raiz, np.sqrt(2 / np.array([1, 2, 0.5])), rtol=1e-12)
    assert s.tabla().shape == (3, 5)


def test_verdicts_per_element():
    s = raices.resuelve("1/(x-c)", intervalo=(0, 2), metodo="biseccion",
                        parametros={"c": [1.1, 3.0]})
    assert list(s.estado) == [21, 27]


def test_bit_identical_for_one_and_two_threads():
    ecc, M = kepler(20000, semilla=7)
    uno = raices.resuelve(KEPLER, intervalo=(0, 2 * np.pi), parametros={"ecc": ecc, "M": M},
                          hilos=1)
    dos = raices.resuelve(KEPLER, intervalo=(0, 2 * np.pi), parametros={"ecc": ecc, "M": M},
                          hilos=2)
    assert (uno.hilos, dos.hilos) == (1, 2)
    for campo in ("raiz", "f_raiz", "estado", "pasos", "llamadas"):
        assert getattr(uno, campo).tobytes() == getattr(dos, campo).tobytes(), campo


def test_gil_released_while_solving():
    ecc, M = kepler(400000)
    cuenta = 0
    hecho = threading.Event()

    def resuelve():
        raices.resuelve(KEPLER, intervalo=(0, 2 * np.pi), parametros={"ecc": ecc, "M": M},
                        hilos=1)
        hecho.set()

    hilo = threading.Thread(target=resuelve)
    hilo.start()
    while not hecho.is_set():
        cuenta += 1
    hilo.join()
    assert cuenta > 10000  # Python ran beside the solves


def test_ctrl_c_stops_the_solves():
    ecc, M = kepler(4000000)
    threading.Timer(0.2, os.kill, (os.getpid(), signal.SIGINT)).start()
    inicio = time.monotonic()
    with pytest.raises(KeyboardInterrupt):
        raices.resuelve(KEPLER, intervalo=(0, 2 * np.pi), parametros={"ecc": ecc, "M": M},
                        hilos=1)
    assert time.monotonic() - inicio < 1.5


@pytest.mark.parametrize("kwargs,tipo,palabras", [
    (dict(parametros={"ecc": [0.5]}), raices.ErrorExpresion, "nombre desconocido 'M'"),
    (dict(parametros={"ecc": [0.5, 0.2], "M": [1, 2, 3]}), ValueError, "broadcast"),
    (dict(parametros={"ecc": ["a"], "M": [1]}), ValueError, ""),
    (dict(parametros={"ecc": 0.5, "M": 1}, hilos=0), None, ""),
])
def test_bad_parameters(kwargs, tipo, palabras):
    if tipo is None:  # scalars: one proven solve, hilos unused
        assert raices.resuelve(KEPLER, intervalo=(0, 7), **kwargs).converged
        return
    with pytest.raises(tipo) as info:
        raices.resuelve(KEPLER, intervalo=(0, 7), **kwargs)
    assert palabras in str(info.value)


def test_an_expresion_s_parameters_are_all_bound():
    e = raices.Expresion(KEPLER, parametros=["ecc", "M"])
    with pytest.raises(ValueError, match="falta el valor del parámetro 'M'"):
        raices.resuelve(e, intervalo=(0, 7), parametros={"ecc": [0.5]})
    with pytest.raises(ValueError, match="'z' no es un parámetro"):
        raices.resuelve(e, intervalo=(0, 7), parametros={"ecc": 0.5, "M": 1, "z": 2})
    e.fija(ecc=0.5, M="0.1")
    assert raices.resuelve(e, intervalo=(0, 7)).prueba == "demostrada"


def test_parameters_need_a_text():
    with pytest.raises(TypeError, match="functools.partial"):
        raices.resuelve(lambda x: x, intervalo=(0, 1), parametros={"a": [1]})
    with pytest.raises(raices.ErrorExpresion):
        raices.resuelve(KEPLER, intervalo=(0, 7))  # ecc unbound: the grammar's error


def test_a_text_is_its_own_on_every_thread():
    """The same text solved with arrays on one thread and with bound values on
    another: the module's compiled copy of a text is never shared while in use."""
    ecc, M = kepler(400000)
    muchas = []
    hilo = threading.Thread(target=lambda: muchas.append(
        raices.resuelve(KEPLER, intervalo=(0, 2 * np.pi), parametros={"ecc": ecc, "M": M},
                        hilos=1)))
    hilo.start()
    time.sleep(0.05)
    una = raices.resuelve(KEPLER, intervalo=(0, 2 * np.pi), parametros={"ecc": 0.5, "M": 1})
    hilo.join()
    assert una.converged and una.raiz - 0.5 * math.sin(una.raiz) == pytest.approx(1, abs=1e-12)
    assert muchas[0].converged.all()


def test_binding_waits_for_the_threads():
    e = raices.Expresion(KEPLER, parametros=["ecc", "M"])
    ecc, M = kepler(400000)
    errores = []

    def fija():
        time.sleep(0.05)
        try:
            e.fija(ecc=0.1, M=1)
        except ValueError as x:
            errores.append(x)

    hilo = threading.Thread(target=fija)
    hilo.start()
    s = raices.resuelve(e, intervalo=(0, 2 * np.pi), parametros={"ecc": ecc, "M": M}, hilos=1)
    hilo.join()
    assert s.converged.all() and errores and "otro hilo" in str(errores[0])
    e.fija(ecc=0.1, M=1)  # free again
    with pytest.raises(TypeError, match="hilos"):
        raices.resuelve(e, intervalo=(0, 7), parametros={"ecc": ecc[:2], "M": M[:2]}, hilos="2")
