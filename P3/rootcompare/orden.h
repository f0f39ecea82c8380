// Observed order of convergence of a method, from its iterates measured
// against the best root found by the methods that converged.
#ifndef P3_ORDEN_H
#define P3_ORDEN_H

#include <cstddef>
#include <vector>

#include "P3/rootcompare/compara_metodos.h"

namespace raices {

// The reference root x* for r: of the answers of the methods that converged
// within 1e-6 max(1, |x|) of r's answer x, the one with the smallest |f|
// (the first in the table on a tie). NaN when there is none: r did not end
// near any root that was found.
double raiz_referencia(const std::vector<Resultado> &todos, const Resultado &r);

// The errors e_k = |x_k - x*| that carry the order: from the start on, those
// of the asymptotic regime (below 0.1 max(1, |x*|)) and above the rounding
// level 1000 eps max(1, |x*|), up to the first at or below that level. An
// estimate equal to the one before is skipped: it carries no new error.
std::vector<double> errores_utiles(const Resultado &r, double x_estrella);

struct Orden {
  double p;           // NaN when the errors are too few or too scattered
  std::size_t usados; // how many errors the estimate used
};

// Order p of e_(k+1) ~ C e_k^p from errores_utiles: see orden.cpp.
Orden orden_observado(const Resultado &r, double x_estrella);

} // namespace raices

#endif
