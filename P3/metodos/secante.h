// Secant method on any callable F:
//
//   x[i+1] = x[i] - f(x[i]) (x[i] - x[i-1]) / (f(x[i]) - f(x[i-1]))
//
// the zero of the line through the last two points. Invariant at the start of
// every step: f0 == F(x0) and f1 == F(x1), both finite, so each step needs
// only F at its new point. Nothing keeps the root bracketed: the caller's
// iteration limit ends a search that wanders off.
#ifndef RAICES_SECANTE_H
#define RAICES_SECANTE_H

#include <cmath>

#include "metodo.h"
#include "raices_pasos.h"

// F(x0), then F(x1) unless F(x0) is not finite; each value is stored into
// f0 / f1 before it is tested. Returns 0 or 9.
template <typename Fn> int secanteIni(Fn &&F, double x0, double x1, double &f0, double &f1) {
  return raices::detalle::evalua_dos(F, x0, x1, f0, f1);
}
int secanteIni(func F, double x0, double x1, double &f0, double &f1);

// x2 = x1 - f1 (x1 - x0) / (f1 - f0), then F(x2): one call. Returns 0 at
// once when f1 == 0 (x1 is a root); 12 with nothing written when f0 == f1;
// 23 with nothing written and no call of F when x2 equals x1 bit for bit
// (the correction is below an ulp of x1, which is not a root: the method can
// go no further). Otherwise (x0, f0) = (x1, f1) and (x1, f1) = (x2, F(x2)),
// and returns 0 (F(x2) == 0), -2 or 9 (F(x2) not finite).
template <typename Fn> int secanteIter(Fn &&F, double &x0, double &x1, double &f0, double &f1) {
  if (f1 == 0) return RAICES_EXITO;          // x1 is already an exact root
  if (f0 == f1) return RAICES_DIVISION_CERO; // exact: only then is the divisor zero
  double x2 = x1 - f1 * (x1 - x0) / (f1 - f0);
  if (x2 == x1) return RAICES_ESTANCADA; // exact: the step did not move
  double f2 = F(x2);
  x0 = x1;
  f0 = f1;
  x1 = x2;
  f1 = f2;
  if (!std::isfinite(f2)) return RAICES_NO_FINITO;
  return f2 == 0 ? RAICES_EXITO : RAICES_CONTINUA; // -0 counts too
}
int secanteIter(func F, double &x0, double &x1, double &f0, double &f1);

namespace raices {

// The secant as a row of the table: its two points, a the previous and b
// the current, and F at each.
struct Secante {
  static constexpr Descriptor descriptor{
      "secante", "secante", Familia::abierto, Arranque::desde_a_y_b, 1, 0};
  struct Estado {
    double a = 0, b = 0, fa = 0, fb = 0;
  };
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn & /*dF*/, double a, double b, double /*tolerancia*/, Estado &e) {
    e.a = a;
    e.b = b;
    return secanteIni(F, a, b, e.fa, e.fb);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn & /*dF*/, Estado &e) {
    return secanteIter(F, e.a, e.b, e.fa, e.fb);
  }
  static double estimacion(const Estado &e) { return e.b; }
  static double otro(const Estado &e) { return e.a; }
};

} // namespace raices

#endif
