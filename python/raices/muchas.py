"""Las respuestas de muchas búsquedas: resuelve(texto, ..., parametros={...})
con arrays de NumPy."""

from dataclasses import dataclass

import numpy as np


@dataclass
class Soluciones:
    """Una búsqueda por elemento de los parámetros difundidos: la raíz, f
    allí, el estado del veredicto (0 raíz; 21 singularidad, 23 estancada,
    11 límite, 14, 9, 12, 27 como en el catálogo), los pasos y las llamadas
    de f y f' de cada una, arrays de la forma difundida."""

    raiz: np.ndarray
    f_raiz: np.ndarray
    estado: np.ndarray
    pasos: np.ndarray
    llamadas: np.ndarray
    metodo: str
    hilos: int

    @property
    def converged(self):
        """True donde el veredicto es una raíz."""
        return self.estado == 0

    @property
    def root(self):
        return self.raiz

    def __len__(self):
        return self.raiz.size

    def tabla(self):
        """Un DataFrame con una fila por elemento."""
        import pandas as pd

        return pd.DataFrame({k: getattr(self, k).ravel()
                             for k in ("raiz", "f_raiz", "estado", "pasos", "llamadas")})
