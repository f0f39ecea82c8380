"""One solve: agreement with SciPy's brentq on a set of problems, for texts,
Expresion and Python callables, every method of the table, SciPy's
RootResults attributes and the iterates."""

import math

import numpy as np
import pytest
from scipy.optimize import brentq, root_scalar

import raices

# (text, the same in Python, a, b)
PROBLEMAS = [
    ("cos(x) - x", lambda x: math.cos(x) - x, 0, 1),
    ("exp(-x) - 2*x^2", lambda x: math.exp(-x) - 2 * x * x, 0, 1),
    ("x^3 - 2*x - 5", lambda x: x**3 - 2 * x - 5, 2, 3),
    ("sin(x) - x/2", lambda x: math.sin(x) - x / 2, 1, 3),
    ("log(x) + x", lambda x: math.log(x) + x, 0.1, 1),
    ("x^20 - 1", lambda x: x**20 - 1, 0.5, 1.5),
    ("atan(x)", math.atan, -1, 4),
    ("exp(x) - 1e6", lambda x: math.exp(x) - 1e6, 0, 20),
]
ACOTADOS = ["biseccion", "regula_falsi", "illinois", "brent", "chandrupatla"]


@pytest.mark.parametrize("texto,f,a,b", PROBLEMAS)
def test_agrees_with_brentq_on_texts_expressions_and_callables(texto, f, a, b):
    x_scipy = brentq(f, a, b, xtol=1e-14, rtol=4 * np.finfo(float).eps)
    for g in (texto, raices.Expresion(texto), f):
        for metodo in ACOTADOS:
            r = raices.resuelve(g, intervalo=(a, b), metodo=metodo, tol=1e-12, max_pasos=200)
            if metodo == "regula_falsi" and r.desenlace == "limite":
                continue  # one end kept for ever: the bracket never narrows, as documented
            assert r.converged, (texto, metodo, r.desenlace)
            assert r.desenlace == "raiz" and r.estado == 0 and r.flag == "converged"
            assert abs(r.raiz - x_scipy) <= 2e-12 * max(1, abs(x_scipy)), (texto, metodo)
            assert r.root == r.raiz and r.iterations == r.pasos
            assert r.function_calls == r.llamadas_f + r.llamadas_df > 0


@pytest.mark.parametrize("texto,f,a,b", PROBLEMAS[:4])
def test_open_methods_agree_with_scipy_newton(texto, f, a, b):
    x_scipy = root_scalar(f, bracket=(a, b), method="brentq", xtol=1e-14).root
    x0 = (a + b) / 2
    for metodo in ("secante", "newton", "steffensen"):
        r = raices.resuelve(texto, x0=x0, metodo=metodo)
        assert r.converged and abs(r.raiz - x_scipy) <= 1e-11 * max(1, abs(x_scipy)), metodo


def test_texts_are_proven_and_callables_are_not():
    assert raices.resuelve("cos(x) - x", intervalo=(0, 1)).prueba == "demostrada"
    assert raices.resuelve("x - 0.5", intervalo=(0, 1)).prueba == "exacta"
    assert raices.resuelve(lambda x: math.cos(x) - x, intervalo=(0, 1)).prueba == "sin_demostrar"


def test_verdicts_a_callable_would_hide():
    pole = raices.resuelve("1/(x-1.1)", intervalo=(0, 2), metodo="biseccion")
    assert (pole.desenlace, pole.estado, pole.converged) == ("singularidad", 21, False)
    assert pole.mensaje == "Se ha detectado una singularidad" == pole.flag
    # exp(-x) at 1000 is 0 in double and 5.1e-435 in truth: refuted by the balls.
    far = raices.resuelve("exp(-x)", intervalo=(0, 1000), metodo="biseccion")
    assert (far.desenlace, far.estado, far.prueba) == ("no_alcanza", 14, "refutada")
    limit = raices.resuelve("cos(x) - x", intervalo=(0, 1), metodo="biseccion", max_pasos=5)
    assert (limit.desenlace, limit.estado) == ("limite", 11)
    assert limit.mensaje == "Se ha excedido el número máximo de iteraciones"
    unbracketed = raices.resuelve("x^2 + 1", intervalo=(0, 1))
    assert (unbracketed.desenlace, unbracketed.estado) == ("no_arranca", 27)
    assert unbracketed.mensaje == "Raíz no acotada en intervalo"


# (text, arguments) whose verdicts the check on balls decides: a proven root,
# an exact one, a refuted one, a step that fails on a proven root, a pole.
VEREDICTOS_CON_BOLAS = [
    ("cos(x) - x", dict(intervalo=(0, 1))),
    ("x - 0.5", dict(intervalo=(0, 1))),
    ("exp(-x)", dict(intervalo=(0, 1000), metodo="biseccion")),
    ("atan(x) - 0.5", dict(x0=0, metodo="steffensen")),
    ("1/(x-1.1)", dict(intervalo=(0, 2), metodo="brent")),
    ("x^3", dict(x0=0.5, metodo="newton")),
]


@pytest.mark.parametrize("texto,kwargs", VEREDICTOS_CON_BOLAS)
def test_the_check_of_a_text_made_when_read_is_the_search_s(texto, kwargs):
    """A text without parameters is checked when its verdict is first read; one
    with parameters in the search itself: the same verdicts, whichever
    attribute is read first."""
    campos = ["desenlace", "estado", "prueba", "converged", "flag", "mensaje", "raiz", "pasos",
              "evals_f"]
    en_la_busqueda = raices.resuelve(raices.Expresion(texto, parametros=["p"]),
                                     parametros={"p": 0}, **kwargs)
    esperados = [getattr(en_la_busqueda, c) for c in campos]
    for primero in campos:
        r = raices.resuelve(texto, **kwargs)
        getattr(r, primero)
        assert [getattr(r, c) for c in campos] == esperados, (texto, primero)


def test_iterates_as_arrays_and_table():
    r = raices.resuelve("cos(x) - x", intervalo=(0, 1), metodo="brent", historial=True)
    h = r.historial
    assert isinstance(h["x"], np.ndarray) and len(h["x"]) == r.pasos + 1
    np.testing.assert_allclose(h["f"], np.cos(h["x"]) - h["x"], rtol=0, atol=4e-16)
    t = r.tabla()
    assert list(t.columns) == ["x", "f"] and len(t) == r.pasos + 1
    assert raices.resuelve("cos(x) - x", intervalo=(0, 1)).historial is None


def test_newton_takes_the_derived_or_given_derivative():
    derived = raices.resuelve("x^2 - 2", x0=1, metodo="newton")
    given = raices.resuelve(lambda x: x * x - 2, x0=1, metodo="newton", derivada=lambda x: 2 * x)
    assert derived.raiz == given.raiz == pytest.approx(math.sqrt(2), abs=1e-15)
    assert derived.evals_df == given.evals_df > 0
    e = raices.Expresion("x^3 - x")
    assert e.derivada == "3*x^2 - 1" and e.derivada_calculada


def test_expression_evaluates_numbers_and_arrays():
    e = raices.Expresion("sin(x) + x^2")
    x = np.linspace(-2, 2, 12).reshape(3, 4)
    np.testing.assert_allclose(e(x), np.sin(x) + x**2, rtol=4e-15)
    assert e(x).shape == (3, 4) and e(0.5) == pytest.approx(math.sin(0.5) + 0.25, rel=1e-15)
    assert repr(e) == "Expresion('sin(x) + x^2')"


def test_calls_beside_brentq():
    """No more calls than brentq plus the verdict's few (at most 3), every one counted."""
    calls = []
    f = lambda x: (calls.append(x), math.cos(x) - x)[1]  # noqa: E731
    _, info = brentq(f, 0, 1, xtol=1e-12, full_output=True)
    r = raices.resuelve(lambda x: math.cos(x) - x, intervalo=(0, 1), tol=1e-12)
    assert r.evals_f <= info.function_calls + 3


def test_expression_with_parameters_evaluates_with_given_or_bound_values():
    e = raices.Expresion("x^2 + a*x", parametros=["a"])
    assert math.isnan(e(2.0))  # unbound
    np.testing.assert_array_equal(e(np.array([1.0, 2.0]), a=3), [4.0, 10.0])
    e.fija(a=1)
    assert e(2.0) == 6.0 and e(2.0, a=0.5) == 5.0
    with pytest.raises(ValueError, match="parámetro 'a'"):
        e(1.0, b=2)


def test_a_text_solved_in_a_loop_takes_each_call_s_values():
    """The module compiles a repeated text once; each call binds its own values,
    and an answer kept from an earlier call keeps its own."""
    kept = [raices.resuelve("x^2 - a", intervalo=(0, 2), parametros={"a": a}) for a in (1, 2, "3")]
    assert [r.raiz for r in kept] == pytest.approx([1, math.sqrt(2), math.sqrt(3)], abs=1e-12)
    assert [r.prueba for r in kept] == ["exacta", "demostrada", "demostrada"]
    unbound = raices.resuelve("cos(x) - x", intervalo=(0, 1))
    assert [r.prueba for r in (raices.resuelve("cos(x) - x", intervalo=(0, 1)), unbound)] == [
        "demostrada", "demostrada"]


def test_version_is_the_suite_s():
    import importlib.metadata
    import pathlib
    import re

    cmake = (pathlib.Path(__file__).resolve().parents[2] / "CMakeLists.txt").read_text()
    suite = re.search(r"project\(raices VERSION ([0-9.]+)", cmake).group(1)
    assert raices.__version__ == importlib.metadata.version("raices") == suite
