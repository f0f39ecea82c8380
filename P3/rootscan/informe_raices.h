// rootscan's reports of either search for every root: the table, and the
// same as CSV.
#ifndef P3_INFORME_RAICES_H
#define P3_INFORME_RAICES_H

#include <functional>
#include <ostream>
#include <string>

#include "P3/todas/respuesta.h"

// The shortest text that reads back as x (%.17g at most).
std::string numero(double x);

// The table, every line within 80 columns (Latin-1): f(x) (shortened when
// long), [A, B] and TOL, then what the search found.
// On doubles: a row per root (x to 17 significant digits, |f(x)| and
// kind), then the singular points and the near misses under headings of
// their own, the stretches where f is 0, not defined or overflows (from,
// to, kind); "Ninguna raíz" when there is no root and no stretch where f
// is 0; and one line with the number of roots, the F calls and the
// resolution.
// Proven: a row per root (its enclosure and proof), a row per piece not
// proven (its ends and reason); the number of roots and calls of f; and a
// last line: no other root in [A, B], or how many pieces are not proven
// and the widest of them.
// With the budget spent, what was not explored is said.
void escribe_informe(std::ostream &out, const std::string &descripcion, double a, double b,
                     double tol, const raices::Respuesta &r);

// "punto,x,abs_f,tipo,inf,sup,prueba,multiplicidad", then one row per point
// found, by x within roots, singular points, stretches, near misses and
// pieces not proven. [inf, sup] is a root's last bracket or enclosure, a
// stretch or a piece; tipo a kind (a piece's reason); prueba what balls say
// of a root found on doubles, or how the proven search proves it. |f(x)| of
// a proven root and of a piece's middle is f's double there. ASCII only.
void escribe_csv(std::ostream &out, const raices::Respuesta &r,
                 const std::function<double(double)> &f);

#endif
