// rootcompare's picture, drawn with PLplot. Top: f with the x axis, A and B,
// and each method's iterates on the curve. Middle left: log10 |x_k - x*|
// against k, whose slope is the rate. Middle right: log10 e_(k+1) against
// log10 e_k, whose slope is the order, with the errors the table's estimate
// used. Bottom: the legend, one entry per method with its outcome, and what
// the special marks mean.
#ifndef P3_GRAFICA_H
#define P3_GRAFICA_H

#include <string>
#include <vector>

#include "P3/rootcompare/compara_metodos.h"

namespace raices {

// Draws the picture into ruta as dibuja_fichero of P3/dibujo/dibujo_fichero.h
// does. descripcion is f(x) as the user sees it (Latin-1). Returns an empty
// string, or why the picture was not written (Latin-1).
std::string dibuja(const std::string &ruta, const std::string &descripcion, const Problema &p,
                   const std::vector<Resultado> &resultados);

} // namespace raices

#endif
