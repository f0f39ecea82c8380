// Bisection on any callable F:
//
//   x[i+1] = (a + b) / 2, then [a, b] := the half where F changes sign.
//
// Invariant at the start of every step: F(a) and F(b) have no common strict
// sign, so [a, b] holds a root or a sign change; the bracket halves each step.
#ifndef RAICES_BISECCION_H
#define RAICES_BISECCION_H

#include "metodo.h"
#include "raices_pasos.h"

// F(a), then F(b) unless F(a) is not finite. Returns 0, 9 (not finite) or
// 27 (same strict sign at both ends). Nothing is written.
template <typename Fn> int bisecIni(Fn &&F, double a, double b) {
  return raices::detalle::acotada(F, a, b);
}
int bisecIni(func F, double a, double b);

// F(a), F(b), then F at the midpoint, which is stored into raiz; the end at
// which F has the sign of F(midpoint) moves onto it. Returns 0 when the
// midpoint is an exact root (ends unchanged), -2, or 9 when F there is not
// finite (ends unchanged). When F(a) == 0 the root is a itself: raiz = a,
// the step returns 0 with both ends unchanged and F is not called a third
// time (moving a off it would lose that root).
template <typename Fn> int bisecIter(Fn &&F, double &a, double &b, double &raiz) {
  double fa = F(a);
  (void)F(b);    // evaluated as part of the step's fixed cost; only F(a) is used
  if (fa == 0) { // exact on purpose: a is a root of the computed F; -0 too
    raiz = a;
    return RAICES_EXITO;
  }
  raiz = (a + b) / 2.0;
  return raices::detalle::estrecha(F, fa, a, b, raiz);
}
int bisecIter(func F, double &a, double &b, double &raiz);

namespace raices {

// Bisection as a row of the table.
struct Biseccion : ConTramo<Biseccion> {
  static constexpr Descriptor descriptor{
      "biseccion", "bisecci\xF3n", Familia::acotado, Arranque::intervalo, 3, 0};
  using Estado = EstadoTramo;
  template <typename Fn> static int arranca(Fn &F, Estado &e) { return bisecIni(F, e.a, e.b); }
  template <typename Fn> static int paso(Fn &F, Estado &e) {
    return bisecIter(F, e.a, e.b, e.raiz);
  }
};

} // namespace raices

#endif
