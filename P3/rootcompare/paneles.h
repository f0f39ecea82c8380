// The panels of rootcompare's picture, drawn on a PLplot stream already
// opened: see grafica.h for what each shows.
#ifndef P3_PANELES_H
#define P3_PANELES_H

#include <string>
#include <vector>

#include "P3/rootcompare/compara_metodos.h"

namespace raices {

// Sets the colours of the axes, guides and methods: before plinit().
void define_colores();

// Draws every panel and the legend on the current page.
void dibuja_paneles(const std::string &descripcion, const Problema &p,
                    const std::vector<Resultado> &resultados);

} // namespace raices

#endif
