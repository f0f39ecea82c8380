// The check of a reported root x: what ball arithmetic proves of F within
// [x - delta, x + delta], delta being the tolerance of whoever reports x.
//
//   exacta         F(x) is exactly 0;
//   refutada       F is proven nonzero on all of [x - delta, x + delta];
//   demostrada     F is continuous on the interval and takes both strict
//                  signs at x - delta, x, x + delta: a root lies within;
//   sin_demostrar  none of these, up to Bola::precision_maxima bits (an even
//                  root, a tangency, a value too close to 0 to decide, F not
//                  defined on all of the interval).
//
// F is any callable that takes a raices::Bola and returns one (a generic
// lambda over the grammar's functions, a typed expression). The check starts
// at 53 bits and climbs the precision ladder of Bola while undecided. The
// interval is bounded once in plain ball arithmetic, which overestimates
// near a multiple root; a callable that also takes a Chorro (value and
// derivative, P3/chorro.h) lets the check bound F by the mean value theorem
// there instead, which refutes points near, not at, a multiple root.
#ifndef RAICES_COMPRUEBA_RAIZ_H
#define RAICES_COMPRUEBA_RAIZ_H

#include <cmath>

#include "bola.h"
#include "prueba.h"

namespace raices {

namespace detalle {

// -1, 0 or 1: the proven strict sign of v, 0 when not proven.
inline int signo(const Bola &v) { return v.positiva() ? 1 : v.negativa() ? -1 : 0; }

} // namespace detalle

template <class F> Prueba comprueba_raiz(F &&f, double x, double delta) {
  if (!std::isfinite(x) || !std::isfinite(delta) || !(delta >= 0)) return Prueba::sin_demostrar;
  for (long p = Bola::precision_inicial; p != 0; p = Bola::siguiente_precision(p)) {
    const Bola en_x = f(Bola(x, p));
    if (en_x.es_cero()) return Prueba::exacta;
    // Every point of [x - delta, x + delta], and its two ends exactly.
    const Bola entorno = f(Bola(x, p) + Bola::entre(-delta, delta, p));
    if (entorno.finita() && !entorno.contiene_cero()) return Prueba::refutada;
    if (!entorno.finita()) continue; // not shown continuous: no sign change counts
    const int s = detalle::signo(en_x);
    const int a = detalle::signo(f(Bola::suma_exacta(x, -delta, p)));
    const int b = detalle::signo(f(Bola::suma_exacta(x, delta, p)));
    if (s * a < 0 || s * b < 0 || a * b < 0) return Prueba::demostrada;
  }
  return Prueba::sin_demostrar;
}

} // namespace raices

#endif
