// rootscan's reports: the table of the points found, and the same as CSV.
#ifndef P3_INFORME_RAICES_H
#define P3_INFORME_RAICES_H

#include <functional>
#include <ostream>
#include <string>

#include "P3/todas/demuestra_raices.h"
#include "P3/todas/todas_las_raices.h"

// The shortest text that reads back as x (%.17g at most).
std::string numero(double x);

// The table, every line within 80 columns (Latin-1): f(x) (shortened when
// long), [A, B] and TOL; a row per root (x to 17 significant digits, |f(x)|
// and kind), then the singular points and the near misses under headings
// of their own, the stretches where f is 0 or not defined (from, to,
// kind); "Ninguna raíz" when there is no root and no stretch where f is 0;
// and one line with the number of roots, the F calls and the resolution.
void escribe_informe(std::ostream &out, const std::string &descripcion, double a, double b,
                     double tol, const raices::Exploracion &e);

// "punto,x,abs_f,tipo,inf,sup,prueba", then one row per point found, by x
// within roots, singular points, stretches and near misses: [inf, sup] is
// a root's last bracket or a stretch, and prueba what balls say of it.
// ASCII only.
void escribe_csv(std::ostream &out, const raices::Exploracion &e);

// The proof (--demuestra), every line within 80 columns: f(x), [A, B] and
// TOL; a row per root (its enclosure and proof), a row per piece not
// proven (its ends and reason); the number of roots and calls of f; and a
// last line: no other root in [A, B], or how many pieces are not proven
// and the widest of them.
void escribe_demostracion(std::ostream &out, const std::string &descripcion, double a, double b,
                          double tol, const raices::Demostracion &d);

// The same as CSV, with the header of escribe_csv: a row per root (x the
// exact zero or the middle of its enclosure, tipo simple for `unica`,
// impar or exacta) and per piece (punto "pieza", tipo its reason's key).
void escribe_csv_demostracion(std::ostream &out, const raices::Demostracion &d,
                              const std::function<double(double)> &f);

// The proof as the points the picture draws: proven roots (demostrada or
// exacta), possible even roots (sin_demostrar), poles, stretches where f is
// not defined.
raices::Exploracion como_exploracion(const raices::Demostracion &d);

#endif
