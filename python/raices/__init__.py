"""raices: raíces de una función real de una variable real.

Los métodos de la biblioteca raices de la suite (bisección, regula falsi,
Illinois, Brent, Chandrupatla, secante, Newton y Steffensen) con el veredicto
de la biblioteca sobre cada búsqueda; todas las raíces de un intervalo con su
clase, los polos aparte; su demostración con aritmética de bolas; y la carrera
de los métodos con su figura.

f es un texto de la gramática de la suite ('cos(x) - x'), una
raices.Expresion compilada de uno (se evalúa en C++ y se puede demostrar) o
una función de Python.
"""

from ._raices import ErrorExpresion, Expresion, Resultado, __version__, resuelve
from .compara import Carrera, compara
from .muchas import Soluciones
from .todas import Demostracion, Exploracion, todas_las_raices
from . import resultado as _resultado  # noqa: F401  (adds Resultado.tabla)

__all__ = [
    "ErrorExpresion", "Expresion", "Resultado", "resuelve", "todas_las_raices", "Exploracion",
    "Demostracion", "compara", "Carrera", "Soluciones", "__version__",
]
