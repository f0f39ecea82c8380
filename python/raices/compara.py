"""La carrera de los métodos: cada método de la tabla sobre el mismo
problema, como rootcompare, con su tabla y su figura."""

import math

import numpy as np

from . import _raices

_COLUMNAS = ["metodo", "pasos", "evals", "raiz", "abs_f", "orden", "n", "resultado", "prueba"]


class Carrera:
    """Las filas de rootcompare: una por método, con sus iterados."""

    def __init__(self, f, a, b, tol, filas):
        self.f, self.a, self.b, self.tol = f, a, b, tol
        self.filas = filas

    def tabla(self):
        """Un DataFrame con una fila por método: pasos, evaluaciones, raíz, |f|,
        orden observado (y cuántos errores lo dan), resultado y prueba."""
        import pandas as pd

        return pd.DataFrame([{c: fila[c] for c in _COLUMNAS} for fila in self.filas]).set_index(
            "metodo")

    def iterados(self, clave):
        """Los iterados de un método (su clave: 'brent', 'newton', ...): paso, x, f(x)."""
        import pandas as pd

        fila = next(f for f in self.filas if f["clave"] == clave)
        return pd.DataFrame({"paso": fila["it_paso"].astype(int), "x": fila["it_x"],
                             "f": fila["it_f"]}).set_index("paso")

    def _f(self, x):
        if isinstance(self.f, (str, _raices.Expresion)):
            e = self.f if isinstance(self.f, _raices.Expresion) else _raices.Expresion(self.f)
            return e(x)
        return np.array([self.f(float(t)) for t in x])

    def dibuja(self):
        """Una figura de Matplotlib como la de rootcompare: f con los iterados
        de cada método; el error frente al paso; y log10 e(k+1) frente a
        log10 e(k), cuya pendiente es el orden."""
        import matplotlib.pyplot as plt

        fig, (ax_f, ax_e, ax_o) = plt.subplots(1, 3, figsize=(13, 4), layout="constrained")
        x = np.linspace(self.a, self.b, 400)
        with np.errstate(all="ignore"):
            ax_f.plot(x, self._f(x), color="black", lw=1, label="f")
        ax_f.axhline(0, color="grey", lw=0.5)
        convergen = [f for f in self.filas if f["resultado"] == "converge"]
        ref = min(convergen, key=lambda f: f["abs_f"])["raiz"] if convergen else math.nan
        for fila in self.filas:
            xs, fs = fila["it_x"], fila["it_f"]
            (linea,) = ax_f.plot(xs, fs, "o", ms=3, label=fila["metodo"])
            if math.isnan(ref):
                continue
            err = np.abs(xs - ref)
            pos = err > 0
            ax_e.semilogy(fila["it_paso"][pos], err[pos], "-o", ms=3, color=linea.get_color())
            e = err[pos & (err < 0.1)]
            if len(e) > 1:
                ax_o.plot(np.log10(e[:-1]), np.log10(e[1:]), "-o", ms=3, color=linea.get_color())
        ax_f.set(title="f y los iterados", xlabel="x", ylabel="f(x)")
        ax_f.set_xlim(self.a, self.b)
        ax_f.legend(fontsize=7)
        ax_e.set(title="error |x_k - x*|", xlabel="paso k")
        ax_o.set(title="orden: pendiente", xlabel="log10 e(k)", ylabel="log10 e(k+1)")
        plt.close(fig)  # shown inline by a notebook when returned, never twice
        return fig

    def __repr__(self):
        return repr(self.tabla())


def compara(f, a, b, tol=1e-12, max_pasos=100, derivada=None):
    """Todos los métodos de la tabla sobre f en [a, b], cada uno parado por la
    prueba de su familia (tol·max(1, |x|)) y juzgado como en rootcompare: los
    acotados en [a, b]; Newton y Steffensen desde a; la secante desde a y b."""
    return Carrera(f, a, b, tol, _raices._compara(f, a, b, tol, max_pasos, derivada))
