"""La tabla de iterados de una búsqueda, como DataFrame de pandas."""

from ._raices import Resultado


def _tabla(self):
    """Los iterados (resuelve(..., historial=True)): paso, x y f(x), un DataFrame."""
    import pandas as pd

    if self.historial is None:
        raise ValueError("la búsqueda no guardó sus iterados: use resuelve(..., historial=True)")
    h = self.historial
    return pd.DataFrame({"paso": range(len(h["x"])), "x": h["x"], "f": h["f"]}).set_index("paso")


def _repr(self):
    campos = ["raiz", "f_raiz", "desenlace", "estado", "mensaje", "prueba", "metodo", "pasos",
              "evals_f", "evals_df", "converged", "flag", "function_calls"]
    ancho = max(map(len, campos))
    return "\n".join(f"{c:>{ancho}}: {getattr(self, c)!r}" for c in campos)


Resultado.tabla = _tabla
Resultado.__repr__ = _repr
