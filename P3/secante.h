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

#include "raices_pasos.h"

template <typename Fn> int secanteIni(Fn &&F, double x0, double x1, double &f0, double &f1) {
  return raices_detalle::evalua_dos(F, x0, x1, f0, f1);
}

template <typename Fn> int secanteIter(Fn &&F, double &x0, double &x1, double &f0, double &f1) {
  if (f1 == 0) return RAICES_EXITO;          // x1 is already an exact root
  if (f0 == f1) return RAICES_DIVISION_CERO; // exact: only then is the divisor zero
  double x2 = x1 - f1 * (x1 - x0) / (f1 - f0);
  double f2 = F(x2);
  x0 = x1;
  f0 = f1;
  x1 = x2;
  f1 = f2;
  if (!std::isfinite(f2)) return RAICES_NO_FINITO;
  return f2 == 0 ? RAICES_EXITO : RAICES_CONTINUA; // -0 counts too
}

#endif
