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

#include "P3/estados.h"
#include "P3/rootcompare/compara_metodos.h"

namespace raices {

// The PLplot device for the picture's file name, from its extension: "svg",
// "pngcairo" or "pdfcairo"; nullptr for any other.
const char *formato_dibujo(const std::string &ruta);

// Draws into a temporary file beside ruta and renames it to ruta, so ruta is
// written whole or not at all, with the permissions the umask gives a new
// file. descripcion is f(x) as the user sees it (Latin-1). Returns an empty
// string, or why the picture was not written (Latin-1). Should PLplot end
// the process on an error of its own, the temporary file is removed first
// and the status is raices::DIBUJO_FALLIDO.
std::string dibuja(const std::string &ruta, const std::string &descripcion, const Problema &p,
                   const std::vector<Resultado> &resultados);

} // namespace raices

#endif
