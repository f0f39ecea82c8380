"""All the roots and their proofs, checked against mpmath at high precision
(outside the code under test); the race of the methods as rootcompare runs it."""

import math

import mpmath
import pytest

import raices

mpmath.mp.prec = 200


def test_roots_kinds_and_pole_as_rootscan_lists_them():
    e = raices.todas_las_raices("(x-1)^2*(x-3)*(x-3.5)/(x-2)", 0, 4)
    assert [(p.x, p.clase, p.multiplicidad, p.prueba) for p in e.raices] == [
        (1, "multiple_par", "par", "exacta"), (3, "simple", "impar", "exacta"),
        (3.5, "simple", "impar", "exacta")]
    assert [(p.x, p.clase) for p in e.singulares] == [(2, "polo")]
    t = e.tabla()
    assert list(t.columns) == ["punto", "x", "abs_f", "tipo", "inf", "sup", "prueba"]
    assert list(t["punto"]) == ["raiz", "raiz", "raiz", "singular"] and e.estado == 0


def test_stretch_where_f_is_not_defined_and_callables():
    e = raices.todas_las_raices("log(x)", -1, 2)
    assert [p.x for p in e.raices] == [1] and [p.clase for p in e.tramos] == ["indefinida"]
    c = raices.todas_las_raices(lambda x: math.sin(5 * x), 0, 5)
    assert [round(p.x, 12) for p in c.raices] == [round(k * math.pi / 5, 12) for k in range(8)]


# (text, the same for mpmath, a, b, number of roots)
DEMOSTRABLES = [
    ("sin(5*x)", lambda x: mpmath.sin(5 * x), 0, 5, 8),
    ("x^3 - 2*x - 5", lambda x: x**3 - 2 * x - 5, -3, 3, 1),
    ("exp(-x) - 2*x^2", lambda x: mpmath.exp(-x) - 2 * x * x, -1, 1, 1),
    ("cos(x) - 0.1*x", lambda x: mpmath.cos(x) - mpmath.mpf(1) / 10 * x, -10, 10, 7),
]


@pytest.mark.parametrize("texto,f,a,b,cuantas", DEMOSTRABLES)
def test_every_proof_holds_in_mpmath(texto, f, a, b, cuantas):
    d = raices.todas_las_raices(texto, a, b, demuestra=True, tol=1e-10)
    assert d.completa and not d.piezas and len(d.raices) == cuantas
    for r in d.raices:
        assert r.sup - r.inf <= 1e-10 * max(1, abs(r.x))
        if r.certeza == "exacta":
            assert f(mpmath.mpf(r.x)) == 0
        else:  # a sign change between the ends, in 200-bit arithmetic
            assert f(mpmath.mpf(r.inf)) * f(mpmath.mpf(r.sup)) < 0, r
    # No other root: between the enclosures f keeps one sign (sampled).
    bordes = [a] + [v for r in d.raices for v in (r.inf, r.sup)] + [b]
    for l, r in zip(bordes[::2], bordes[1::2]):
        if l == r:
            continue
        muestras = [f(mpmath.mpf(l) + (r - l) * mpmath.mpf(k) / 64) for k in range(1, 64)]
        assert all(s > 0 for s in muestras) or all(s < 0 for s in muestras)


def test_unproven_pieces_with_their_reason():
    d = raices.todas_las_raices("(x-1/3)^2*exp(x)", 0, 2, demuestra=True)
    assert not d.completa and d.estado == 14 and not d.raices
    assert [p.razon for p in d.piezas] == ["par_posible"]
    assert d.piezas[0].inf <= 1 / 3 <= d.piezas[0].sup
    # At a double the balls find the exact zero: a root, proven.
    assert [r.certeza for r in raices.todas_las_raices("(x-1)^2*exp(x)", 0, 2, demuestra=True).raices] == [
        "exacta"]
    assert list(d.tabla()["punto"]) == ["pieza"]


def test_race_of_the_methods_as_rootcompare():
    c = raices.compara("exp(-x) - 2*x^2", 0, 1)
    t = c.tabla()
    assert list(t.index) == ["bisección", "regula falsi", "Illinois", "Brent", "Chandrupatla",
                             "secante", "Newton", "Steffensen"]
    # rootcompare's table for this problem (README).
    assert list(t["pasos"]) == [40, 26, 9, 7, 6, 7, 6, 6]
    assert list(t["evals"]) == [123, 80, 11, 9, 9, 9, 15, 13]
    assert set(t["resultado"]) == {"converge"} and set(t["prueba"]) == {"demostrada"}
    assert [round(o, 2) for o in t["orden"]] == [1.00, 1.00, 1.45, 1.49, 2.02, 1.62, 1.99, 1.99]
    assert list(c.iterados("newton").columns) == ["x", "f"]
    fig = c.dibuja()
    assert len(fig.axes) == 3 and len(fig.axes[0].lines) >= 9


def test_race_with_a_pole_says_singularidad():
    t = raices.compara("1/(x-1.1)", 0, 2).tabla()
    assert t.loc["bisección", "resultado"] == "singularidad"
    assert t.loc["Illinois", "resultado"] == "singularidad"


def test_polynomials_and_f_zero_answered_exactly_as_rootscan():
    e = raices.todas_las_raices("x^3 - 3*x + 2", -3, 3)
    assert [(p.x, p.multiplicidad, p.prueba) for p in e.raices] == [(-2, 1, "exacta"), (1, 2, "exacta")]
    d = raices.todas_las_raices("x^2 - 0.2*x + 0.01", 0, 1, demuestra=True)
    assert [(r.x, r.certeza, r.multiplicidad) for r in d.raices] == [(0.1, "unica", 2)] and d.completa
    z = raices.todas_las_raices("sin(x) - sin(x)", 0, 1, demuestra=True)
    assert [(t.clase, t.inf, t.sup) for t in z.tramos] == [("nula", 0, 1)] and z.evaluaciones == 0
