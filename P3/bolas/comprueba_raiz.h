// The check of a reported root x: what ball arithmetic proves of F within
// [x - delta, x + delta], delta being the tolerance of whoever reports x.
//
//   exacta         F(x) is exactly 0;
//   refutada       F is proven nonzero on all of [x - delta, x + delta];
//                  a delta below the spacing of the doubles at x is taken
//                  as that spacing;
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
// derivative, P3/bolas/chorro.h) lets the check bound F by the mean value theorem
// there instead, and one that takes a Taylor (P3/bolas/taylor.h) by Taylor's
// theorem to order ORDEN_TAYLOR, whose coefficients at x cancel what the
// interval's bounds cannot: points near, not at, a multiple root are
// refuted. A generic lambda is tried on Chorro and Taylor: one that calls
// what only Bola has (its queries, say) must take a const Bola & instead.
#ifndef RAICES_COMPRUEBA_RAIZ_H
#define RAICES_COMPRUEBA_RAIZ_H

#include <cfloat>
#include <cmath>
#include <type_traits>

#include "../busqueda/prueba.h"
#include "bola.h"
#include "chorro.h"
#include "taylor.h"

namespace raices {

namespace detalle_prueba {

// The order of the Taylor bound: a root of multiplicity up to it, within
// the tolerance, leaves its terms to cancel in the coefficients.
constexpr int ORDEN_TAYLOR = 8;

// -1, 0 or 1: the proven strict sign of v, 0 when not proven.
inline int signo(const Bola &v) { return v.positiva() ? 1 : v.negativa() ? -1 : 0; }

// F over every point of [x - delta, x + delta]: the value ball, and a bound
// by the mean value theorem when F also runs on Chorro (then the tighter of
// the two where both exclude 0 matters only through its sign).
template <class F> Bola en_entorno(F &f, double x, double delta, long p, const Bola &en_x) {
  const Bola entorno = Bola(x, p) + Bola::entre(-delta, delta, p);
  if constexpr (std::is_invocable_r_v<Chorro, F &, const Chorro &>) {
    const Chorro j = f(Chorro::variable(entorno));
    if (!j.valor.finita() || !j.valor.contiene_cero()) return j.valor;
    const Bola media = en_x + j.derivada * Bola::entre(-delta, delta, p);
    return media.finita() ? media : j.valor;
  } else {
    (void)en_x;
    return f(entorno);
  }
}

// F over [x - delta, x + delta] by Taylor's theorem (taylor.h), at
// precision p; undecided when F does not run on Taylor.
template <class F> Bola taylor_en_entorno(F &f, double x, double delta, long p) {
  if constexpr (std::is_invocable_r_v<Taylor, F &, const Taylor &>) {
    const Bola entorno = Bola(x, p) + Bola::entre(-delta, delta, p);
    return cota_taylor(f(Taylor::variable(Bola(x, p), ORDEN_TAYLOR)),
                       f(Taylor::variable(entorno, ORDEN_TAYLOR)), delta);
  } else {
    (void)f;
    (void)x;
    (void)delta;
    return Bola::indefinida(p);
  }
}

// F proven nonzero on all of [x - delta, x + delta] by Taylor's theorem:
// the coefficients at x, the remainder over the interval. Tried only where
// the cheaper bounds leave the check open: near a multiple root.
template <class F> bool refuta_taylor(F &f, double x, double delta, long p) {
  const Bola cota = taylor_en_entorno(f, x, delta, p);
  return cota.finita() && !cota.contiene_cero();
}

// Whether the ball v(p) excludes 0, up the ladder of precisions from
// `desde` while rounding, not the interval it is taken over, keeps 0 in
// it: 1 when it does, 0 once a precision no longer halves its radius (the
// interval's own), -1 when v is not finite.
template <class V> int sin_cero_subiendo(V v, long desde = Bola::precision_inicial) {
  double antes = HUGE_VAL;
  for (long p = desde; p != 0; p = Bola::siguiente_precision(p)) {
    const Bola b = v(p);
    if (!b.finita()) return -1;
    if (!b.contiene_cero()) return 1;
    const double radio = (b.sup() - b.inf()) / 2;
    if (!(radio < antes / 2)) return 0;
    antes = radio;
  }
  return 0;
}

// F' over m + [-d, d] by Taylor's theorem: with c_k F's coefficients at m,
// F'(m + t) = sum of k c_k t^(k-1) for k < K, plus K c_K(xi) t^(K-1), c_K
// taken over the whole interval.
template <class F> Bola derivada_taylor(F &f, double m, double d, long p) {
  if constexpr (std::is_invocable_r_v<Taylor, F &, const Taylor &>) {
    constexpr int K = detalle_prueba::ORDEN_TAYLOR;
    const Bola t = Bola::entre(-d, d, p);
    const Taylor en_m = f(Taylor::variable(Bola(m, p), K));
    const Taylor en_x = f(Taylor::variable(Bola(m, p) + t, K));
    Bola g = Bola(K, p) * en_x.coeficiente(K);
    for (int k = K - 1; k >= 1; --k) g = Bola(k, p) * en_m.coeficiente(k) + t * g;
    return g;
  } else {
    (void)f;
    (void)m;
    (void)d;
    return Bola::indefinida(p);
  }
}

} // namespace detalle_prueba

// F(x) on balls at the first precision of the ladder where its sign is
// decided (an exact 0 included), else at precision_maxima: the value to show
// of a root that the check refutes, which double arithmetic may round to 0.
template <class F> Bola valor_decidido(F &&f, double x) {
  long p = Bola::precision_inicial;
  for (long q = p; q != 0; q = Bola::siguiente_precision(q)) {
    p = q;
    Bola v = f(Bola(x, p));
    if (v.es_cero() || v.positiva() || v.negativa()) return v;
  }
  return f(Bola(x, p));
}

template <class F> Prueba comprueba_raiz(F &&f, double x, double delta) {
  if (!std::isfinite(x) || !(delta >= 0)) return Prueba::sin_demostrar;
  delta = std::fmin(delta, DBL_MAX); // a tolerance that overflowed: all the doubles
  // No double lies nearer a root that is not a double than the spacing of
  // the doubles there: a smaller delta (0 included) is taken as that.
  const double ulp = std::nextafter(std::fabs(x), HUGE_VAL) - std::fabs(x);
  if (std::isfinite(ulp)) delta = std::fmax(delta, ulp);
  bool taylor_probada = false;
  for (long p = Bola::precision_inicial; p != 0; p = Bola::siguiente_precision(p)) {
    const Bola en_x = f(Bola(x, p));
    if (en_x.es_cero()) return Prueba::exacta;
    // F is finite, so continuous, on all of the interval: it may refute, and
    // a sign change within it proves a root.
    const Bola entorno = detalle_prueba::en_entorno(f, x, delta, p, en_x);
    if (!entorno.contiene_cero()) return Prueba::refutada; // a proven sign, bounded or not
    if (!entorno.finita()) continue;
    const int s = detalle_prueba::signo(en_x);
    const int a = detalle_prueba::signo(f(Bola::suma_exacta(x, -delta, p)));
    const int b = detalle_prueba::signo(f(Bola::suma_exacta(x, delta, p)));
    if (s * a < 0 || s * b < 0 || a * b < 0) return Prueba::demostrada;
    // Once, at the first precision that tells F's sign at x: each rung
    // costs two series, and where a rung could not refute, a finer one
    // seldom does (sin of a huge x, say).
    if (s != 0 && !taylor_probada) {
      taylor_probada = true;
      if (detalle_prueba::refuta_taylor(f, x, delta, p)) return Prueba::refutada;
    }
  }
  return Prueba::sin_demostrar;
}

} // namespace raices

#endif
