"""Todas las raíces de f en [a, b], como rootscan: cada raíz con su clase,
su encierro y su prueba; polos, saltos, tramos y casi raíces aparte; o,
con demuestra=True, cada raíz demostrada con bolas y las piezas sin
demostrar con su razón."""

from dataclasses import dataclass

from . import _raices


@dataclass(frozen=True)
class Punto:
    """Un punto hallado: x, f(x), su clase ('simple', 'multiple_impar',
    'multiple_par', 'borde', 'polo', 'salto', 'desbordamiento', 'nula', ...),
    el encierro [inf, sup], la prueba de las bolas ('exacta', 'demostrada',
    'sin_demostrar') y la multiplicidad demostrada (0 si no lo está)."""

    punto: str
    x: float
    f: float
    clase: str
    inf: float
    sup: float
    prueba: str
    orden: int = 0

    @property
    def multiplicidad(self):
        """La multiplicidad demostrada de una raíz (la de un polinomio, exacta);
        si no, 'impar' o 'par', la paridad que el signo deja ver; None si no es raíz."""
        if self.punto != "raiz":
            return None
        if self.orden > 0:
            return self.orden
        return "par" if self.clase == "multiple_par" else "impar"


@dataclass
class Exploracion:
    """La respuesta de todas_las_raices sin demostrar."""

    raices: list
    singulares: list
    casi: list
    tramos: list
    evaluaciones: int
    resolucion: float
    explorado: float
    estado: int

    def puntos(self):
        return self.raices + self.singulares + self.tramos + self.casi

    def tabla(self):
        """Un DataFrame con una fila por punto, las columnas del CSV de rootscan."""
        import pandas as pd

        filas = [(p.punto, p.x, abs(p.f), p.clase, p.inf, p.sup, p.prueba) for p in self.puntos()]
        return pd.DataFrame(filas, columns=["punto", "x", "abs_f", "tipo", "inf", "sup", "prueba"])


@dataclass(frozen=True)
class RaizDemostrada:
    """Una raíz demostrada en [inf, sup]: 'unica' (una raíz simple), 'impar'
    (un número impar de raíces, por un cambio de signo) o 'exacta' (f es 0 en x)."""

    x: float
    inf: float
    sup: float
    certeza: str
    multiplicidad: int = 0


@dataclass(frozen=True)
class PiezaSinDemostrar:
    """Un trozo de [a, b] que las bolas no libraron de raíces, con la razón:
    'par_posible', 'polo', 'derivada_no_acotada', 'desbordamiento', 'indefinida' o
    'precision'."""

    inf: float
    sup: float
    razon: str


@dataclass
class Demostracion:
    """La respuesta de todas_las_raices(..., demuestra=True)."""

    raices: list
    piezas: list
    evaluaciones: int
    explorado: float
    estado: int

    @property
    def completa(self):
        """Todas las raíces demostradas y ninguna otra en [a, b]."""
        return self.estado == 0

    def tabla(self):
        """Un DataFrame: una fila por raíz demostrada y por pieza sin demostrar."""
        import pandas as pd

        filas = [("raiz", r.x, r.certeza, r.inf, r.sup) for r in self.raices]
        filas += [("pieza", (p.inf + p.sup) / 2, p.razon, p.inf, p.sup) for p in self.piezas]
        return pd.DataFrame(filas, columns=["punto", "x", "tipo", "inf", "sup"])


def todas_las_raices(f, a, b, demuestra=False, tol=1e-12, presupuesto=1000000, derivada=None):
    """Todas las raíces de f en [a, b] con su clase, y los polos, saltos,
    tramos y casi raíces aparte (Exploracion); con demuestra=True (f texto o
    Expresion), cada raíz demostrada en un encierro no más ancho que
    tol·max(1, |x|) y el resto de [a, b] demostrado libre de raíces, salvo
    las piezas que se listan con su razón (Demostracion). A lo sumo
    presupuesto llamadas de f; estado 11 si se agotan."""
    d = _raices._todas_las_raices(f, a, b, demuestra, tol, presupuesto, derivada)
    if d["demuestra"]:
        return Demostracion(
            [RaizDemostrada(*r) for r in d["raices"]], [PiezaSinDemostrar(*p) for p in d["piezas"]],
            d["evaluaciones"], d["explorado"], d["estado"])
    puntos = {k: [Punto(nombre, *t) for t in d[k]]
              for k, nombre in (("raices", "raiz"), ("singulares", "singular"), ("casi", "casi"),
                                ("tramos", "tramo"))}
    return Exploracion(puntos["raices"], puntos["singulares"], puntos["casi"], puntos["tramos"],
                       d["evaluaciones"], d["resolucion"], d["explorado"], d["estado"])
