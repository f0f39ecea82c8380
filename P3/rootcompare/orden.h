// Observed order of convergence of a method, from its last iterates measured
// against the best root found by the methods that converged.
#ifndef P3_ORDEN_H
#define P3_ORDEN_H

#include <vector>

#include "P3/rootcompare/compara_metodos.h"

// The reference root x* for r: of the roots of the methods that converged
// within 1e-6 max(1, |x|) of r's last estimate x, the one with the smallest
// |f| (the first in the table on a tie). NaN when there is none: r did not
// end near any root that was found.
double raiz_referencia(const std::vector<Resultado> &todos, const Resultado &r);

// Order p of e_(k+1) ~ C e_k^p: the least-squares slope of log e_(k+1)
// against log e_k over the errors e_k = |x_k - x*| of the last iterates,
// those below 0.1 max(1, |x*|) (where the asymptotic regime starts) and above
// the rounding level 1000 eps max(1, |x*|), up to the first error at or
// below that level. An estimate equal to the one before is skipped: it
// carries no new error. NaN when fewer than three such errors exist.
double orden_observado(const Resultado &r, double x_estrella);

#endif
