// rootscan's picture, drawn with PLplot: f over [A, B] with the x axis, the
// roots and near misses marked on it and the singular points as dashed
// verticals, with a legend of what is shown.
#ifndef P3_GRAFICA_RAICES_H
#define P3_GRAFICA_RAICES_H

#include <functional>
#include <string>

#include "P3/todas_las_raices.h"

// PLplot's device for the picture's name: "svg", "pngcairo" or "pdfcairo"
// by its extension (.svg, .png, .pdf), or null for any other name.
const char *dispositivo(const std::string &ruta);

// Draws into a temporary file beside ruta and renames it to ruta, so ruta is
// written whole or not at all, with the permissions the umask gives a new
// file. descripcion is f(x) as the user sees it (Latin-1). Returns an empty
// string, or why the picture was not written (Latin-1). Should PLplot end
// the process on an error of its own, the temporary file is removed first
// and the status is raices::DIBUJO_FALLIDO.
std::string dibuja_raices(const std::string &ruta, const std::string &descripcion,
                          const std::function<double(double)> &f, double a, double b,
                          const raices::Exploracion &e);

#endif
