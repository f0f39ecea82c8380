// Steffensen's method on any callable F:
//
//   x[i+1] = x[i] - f(x[i])^2 / (f(x[i] + f(x[i])) - f(x[i]))
//
// Newton's iteration with the derivative replaced by the difference quotient
// over the step f(x[i]) itself: quadratic near a simple root, with no dF.
// Invariant at the start of every step: f_raiz == F(raiz), finite, so a step
// calls F twice, at raiz + f_raiz and at the new point.
#ifndef RAICES_STEFFENSEN_H
#define RAICES_STEFFENSEN_H

#include <cmath>

#include "metodo.h"
#include "raices_pasos.h"

// F(raiz) stored into f_raiz. Returns 0 or 9; raiz is not written.
template <typename Fn> int steffensenIni(Fn &&F, double &f_raiz, double &raiz) {
  f_raiz = F(raiz);
  return std::isfinite(f_raiz) ? RAICES_EXITO : RAICES_NO_FINITO;
}
int steffensenIni(func F, double &f_raiz, double &raiz);

// raiz = raiz - f_raiz^2 / (F(raiz + f_raiz) - f_raiz), then f_raiz =
// F(raiz): two calls. Returns 0 at once when f_raiz == 0 (raiz is a root);
// 23 at once (nothing written, F not called) when raiz + f_raiz == raiz:
// f_raiz is below half an ulp of a point that is not a root, so the
// difference quotient has no step to work on; 9 (nothing written) when
// F(raiz + f_raiz) is not finite; 12 (nothing written) when the divisor is
// zero; 23 (nothing written, no second call) when the new point equals raiz
// bit for bit, the correction being below an ulp of a point that is not a
// root. Otherwise 0 (new f_raiz == 0), -2 or 9
// (new f_raiz not finite), with raiz and f_raiz written.
// f^2 / divisor is computed as f * (f / divisor): the quotient is about
// 1 / F', so neither factor overflows or underflows where f^2 would.
template <typename Fn> int steffensenIter(Fn &&F, double &f_raiz, double &raiz) {
  if (f_raiz == 0) return RAICES_EXITO; // raiz is already an exact root
  const double avance = raiz + f_raiz;
  if (avance == raiz) return RAICES_ESTANCADA; // exact: f_raiz vanishes beside raiz
  double f_avance = F(avance);
  if (!std::isfinite(f_avance)) return RAICES_NO_FINITO;
  double divisor = f_avance - f_raiz;
  if (divisor == 0) return RAICES_DIVISION_CERO; // exact: only when both values are equal
  const double nueva = raiz - f_raiz * (f_raiz / divisor);
  if (nueva == raiz) return RAICES_ESTANCADA; // exact: the step did not move
  raiz = nueva;
  f_raiz = F(raiz);
  if (!std::isfinite(f_raiz)) return RAICES_NO_FINITO;
  return f_raiz == 0 ? RAICES_EXITO : RAICES_CONTINUA;
}
int steffensenIter(func F, double &f_raiz, double &raiz);

namespace raices {

// Steffensen as a row of the table: the estimate, the one before, and F at
// the estimate.
struct Steffensen : ConIterado {
  static constexpr Descriptor descriptor{
      "steffensen", "Steffensen", Familia::abierto, Arranque::desde_a, 2, 0};
  struct Estado : EstadoIterado {
    double f = 0;
  };
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn & /*dF*/, double a, double /*b*/, double /*tolerancia*/, Estado &e) {
    empieza(e, a);
    return steffensenIni(F, e.f, e.raiz);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn & /*dF*/, Estado &e) {
    recuerda(e);
    return steffensenIter(F, e.f, e.raiz);
  }
};

} // namespace raices

#endif
