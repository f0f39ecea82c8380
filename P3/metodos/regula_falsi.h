// Regula falsi (false position) on any callable F:
//
//   x[i+1] = (F(a) b - F(b) a) / (F(a) - F(b)),
//
// the zero of the secant through both ends, then [a, b] := the part where F
// changes sign. Invariant at the start of every step: F(a) and F(b) have no
// common strict sign. On a convex F one end stays for ever and convergence
// is only linear (Illinois mends that).
#ifndef RAICES_REGULA_FALSI_H
#define RAICES_REGULA_FALSI_H

#include "metodo.h"
#include "raices_pasos.h"

// The same check as bisecIni. Returns 0, 9 or 27; nothing is written.
template <typename Fn> int rfalsiIni(Fn &&F, double a, double b) {
  return raices::detalle::acotada(F, a, b);
}
int rfalsiIni(func F, double a, double b);

// F(a), F(b), then F at the secant point, stored into raiz. Returns 12 with
// nothing written when F(a) == F(b); otherwise as bisecIter: 0 (exact root,
// ends unchanged), -2, or 9 (ends unchanged). F(a) and F(b) are not tested:
// a NaN there gives a NaN point, which the test of F(raiz) reports.
template <typename Fn> int rfalsiIter(Fn &&F, double &a, double &b, double &raiz) {
  double fa = F(a);
  double fb = F(b);
  if (fa == fb) return RAICES_DIVISION_CERO; // exact: only then is the divisor zero
  raiz = (fa * b - fb * a) / (fa - fb);
  return raices::detalle::estrecha(F, fa, a, b, raiz);
}
int rfalsiIter(func F, double &a, double &b, double &raiz);

namespace raices {

// Regula falsi as a row of the table.
struct RegulaFalsi : ConTramo<RegulaFalsi> {
  static constexpr Descriptor descriptor{
      "regula_falsi", "regula falsi", Familia::acotado, Arranque::intervalo, 3, 0};
  using Estado = EstadoTramo;
  template <typename Fn> static int arranca(Fn &F, Estado &e) { return rfalsiIni(F, e.a, e.b); }
  template <typename Fn> static int paso(Fn &F, Estado &e) {
    return rfalsiIter(F, e.a, e.b, e.raiz);
  }
};

} // namespace raices

#endif
