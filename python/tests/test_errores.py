"""Errors as Python expects them: a bad text raises raices.ErrorExpresion (a
ValueError) with its position and hint; bad arguments ValueError or
TypeError; the user's exception unchanged; every text a proper str."""

import inspect

import numpy as np
import pytest

import raices

# (text, 1-based position of the fault or None, words of the hint)
TEXTOS_MALOS = [
    ("2(x+1)", 2, "falta el operador * entre '2' y '('"),
    ("x**2", 2, "la potencia se escribe con ^"),
    ("0,5*x", 2, "los decimales se escriben con punto"),
    ("x²-2", 2, "escriba ^2"),
    ("x−2", 2, "escriba -"),
    ("sin x", None, "sin"),
    ("raíz(x)", 1, "sqrt"),
    ("(x+1", None, "par"),
    ("", None, ""),
]


@pytest.mark.parametrize("texto,posicion,pista", TEXTOS_MALOS)
def test_bad_texts_raise_errorexpresion_with_position_and_hint(texto, posicion, pista):
    with pytest.raises(raices.ErrorExpresion) as info:
        raices.resuelve(texto, intervalo=(0, 1))
    e = info.value
    assert isinstance(e, ValueError)
    mensaje = str(e)
    assert mensaje.startswith("error en la expresión de f") and pista in mensaje
    assert "\ufffd" not in mensaje and "Ã" not in mensaje  # Latin-1 decoded, not mangled
    if posicion is not None:
        assert e.posicion == posicion and f"posición {posicion}" in mensaje
        assert e.senala.splitlines()[1].index("^") == len("f(x) = ") + posicion - 1
    assert e.texto == texto or e.posicion is None


def test_the_same_from_expresion_and_a_bad_derivative():
    with pytest.raises(raices.ErrorExpresion, match="falta el operador"):
        raices.Expresion("2x")
    with pytest.raises(raices.ErrorExpresion, match="f'"):
        raices.Expresion("x^2", derivada="2*")


@pytest.mark.parametrize("kwargs,tipo,palabras", [
    (dict(intervalo=(1, 0)), ValueError, "a > b"),
    (dict(intervalo=(0, float("inf"))), ValueError, "finitos"),
    (dict(intervalo=(0, 1), metodo="brentq"), ValueError, "'chandrupatla'"),
    (dict(x0=0.5), ValueError, "intervalo=(a, b)"),
    (dict(intervalo=(0, 1), metodo="newton"), ValueError, "x0"),
    (dict(), ValueError, "intervalo"),
    (dict(intervalo=(0, 1), tol=-1), ValueError, "tol"),
    (dict(intervalo=(0, 1), tol=float("nan")), ValueError, "tol"),
    (dict(intervalo=(0, 1), max_pasos=0), ValueError, "max_pasos"),
    (dict(intervalo=(0, 1), parametros=3), TypeError, "dict"),
    (dict(intervalo="ab"), TypeError, ""),
])
def test_bad_arguments(kwargs, tipo, palabras):
    with pytest.raises(tipo) as info:
        raices.resuelve("cos(x) - x", **kwargs)
    assert palabras in str(info.value)


@pytest.mark.parametrize("args,kwargs,palabras", [
    ((), dict(intervalo=(0, 1)), "necesita el argumento 'f'"),
    (("x",), dict(intervalo=(0, 1), tolerancia=1e-3), "no tiene el argumento 'tolerancia'"),
    (("x", (0, 1)), dict(intervalo=(0, 1)), "dos veces el argumento 'intervalo'"),
    (("x",) + (None,) * 12, {}, "12 argumentos como mucho"),
    (("x",), dict(intervalo=(0, 1), metodo=3), "metodo debe ser un texto"),
    (("x",), dict(intervalo=(0, 1), max_pasos=1.5), "max_pasos debe ser un entero"),
    (("x",), dict(intervalo=(0, 1), tol="1e-3"), "tol debe ser un número"),
])
def test_arguments_read_as_python_reads_them(args, kwargs, palabras):
    with pytest.raises(TypeError) as info:
        raices.resuelve(*args, **kwargs)
    assert palabras in str(info.value)


def test_arguments_by_position_and_of_other_types():
    por_posicion = raices.resuelve("x - 0.25", (0, 1), None, "brent", 1e-10, 50)
    assert por_posicion.raiz == 0.25 and por_posicion.metodo == "brent"
    assert raices.resuelve("x - 0.25", intervalo=[0, 1], max_pasos=np.int64(3),
                           historial=np.bool_(True)).historial is not None
    with pytest.raises(ValueError, match="max_pasos"):
        raices.resuelve("x", intervalo=(0, 1), max_pasos=-10**30)
    assert raices.resuelve("x - 0.25", intervalo=(0, 1), max_pasos=10**30).converged
    assert "intervalo=None" in str(inspect.signature(raices.resuelve))


def test_bad_f_and_newton_without_derivative():
    with pytest.raises(TypeError, match="f debe ser"):
        raices.resuelve(3.0, intervalo=(0, 1))
    with pytest.raises(ValueError, match="derivada"):
        raices.resuelve(lambda x: x, x0=1, metodo="newton")
    with pytest.raises(TypeError, match="bolas"):
        raices.todas_las_raices(lambda x: x, 0, 1, demuestra=True)
    with pytest.raises(ValueError, match="a > b"):
        raices.todas_las_raices("x", 1, 0)
    with pytest.raises(ValueError, match="a > b"):
        raices.compara("x", 1, 0)


class Propia(Exception):
    pass


@pytest.mark.parametrize("llama", [
    lambda f: raices.resuelve(f, intervalo=(0, 1)),
    lambda f: raices.resuelve(f, x0=0.5, metodo="steffensen"),
    lambda f: raices.todas_las_raices(f, 0, 1),
    lambda f: raices.compara(f, 0, 1),
])
def test_user_exception_reaches_the_caller_unchanged(llama):
    error = Propia("de la función")
    calls = []

    def f(x):
        calls.append(x)
        if len(calls) == 3:
            raise error
        return x - 0.3

    with pytest.raises(Propia) as info:
        llama(f)
    assert info.value is error and len(calls) == 3  # not called again after it


def test_callable_returning_no_number():
    with pytest.raises(TypeError):
        raices.resuelve(lambda x: "cero", intervalo=(0, 1))
    r = raices.resuelve(lambda x: float("nan"), intervalo=(0, 1))
    assert not r.converged and r.estado == 9


def test_texts_are_str():
    r = raices.resuelve("x^2 + 1", intervalo=(0, 1))
    assert isinstance(r.mensaje, str) and "í" in r.mensaje
    filas = raices.compara("exp(-x) - 2*x^2", 0, 1).tabla()
    assert "bisección" in filas.index
