// rootscan's picture, drawn with PLplot: f over [A, B] with the x axis, the
// roots and near misses marked on it and the singular points as dashed
// verticals, with a legend of what is shown; of a proof, the pieces not
// proven marked at their middles.
#ifndef P3_GRAFICA_RAICES_H
#define P3_GRAFICA_RAICES_H

#include <functional>
#include <string>

#include "P3/todas/respuesta.h"

// Draws the picture into ruta as raices::dibuja_fichero of
// P3/dibujo/dibujo_fichero.h does. descripcion is f(x) as the user sees it
// (Latin-1). Returns an empty string, or why the picture was not written
// (Latin-1).
std::string dibuja_raices(const std::string &ruta, const std::string &descripcion,
                          const std::function<double(double)> &f, double a, double b,
                          const raices::Respuesta &e);

#endif
