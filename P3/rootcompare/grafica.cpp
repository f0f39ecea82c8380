// rootcompare's picture: one tall page with every panel of paneles.h.
#include "P3/rootcompare/grafica.h"

#include "P3/dibujo/dibujo_fichero.h"
#include "P3/rootcompare/paneles.h"

namespace raices {

std::string dibuja(const std::string &ruta, const std::string &descripcion, const Problema &p,
                   const std::vector<Resultado> &resultados) {
  // Page size in pixels (points in PDF).
  return dibuja_fichero(ruta, "rootcompare", {1000, 1200, define_colores, [&] {
                                                dibuja_paneles(descripcion, p, resultados);
                                              }});
}

} // namespace raices
