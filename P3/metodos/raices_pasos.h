// Pieces shared by the steps of several methods, on any callable F (and dF).
#ifndef RAICES_PASOS_H
#define RAICES_PASOS_H

#include <cmath>

#include "estados.h"

// A real function of one real variable, as handed to the step library: the
// type Util/matutil.h declares too (a typedef may be repeated), so that the
// library's headers need nothing from Util/.
typedef double (*func)(double);

namespace raices::detalle {

// x * y > 0 and x * y < 0, decided from the signs alone. The products of
// two tiny values underflow to a signed zero and would pass or fail these
// tests wrongly; comparing signs gives the answer of the exact product.
// A zero or NaN factor makes both false, as it does for the product.
inline bool mismo_signo(double x, double y) { return (x > 0 && y > 0) || (x < 0 && y < 0); }
inline bool signo_opuesto(double x, double y) { return (x > 0 && y < 0) || (x < 0 && y > 0); }

// F(a) into fa, then F(b) into fb unless F(a) is not finite: the first
// evaluations of every method that starts from two points.
template <typename Fn> int evalua_dos(Fn &&F, double a, double b, double &fa, double &fb) {
  fa = F(a);
  if (!std::isfinite(fa)) return RAICES_NO_FINITO;
  fb = F(b);
  return std::isfinite(fb) ? RAICES_EXITO : RAICES_NO_FINITO;
}

// Start check shared by the bracketing methods, which keep fa and fb or not.
template <typename Fn> int acotada(Fn &&F, double a, double b, double &fa, double &fb) {
  const int status = evalua_dos(F, a, b, fa, fb);
  if (status != RAICES_EXITO) return status;
  return mismo_signo(fa, fb) ? RAICES_NO_ACOTADA : RAICES_EXITO;
}
template <typename Fn> int acotada(Fn &&F, double a, double b) {
  double fa = 0, fb = 0;
  return acotada(F, a, b, fa, fb);
}

// Second half of a bracketing step, once raiz holds the new point: keep the
// end at which F has the sign opposite to F(a), so the bracket still holds a
// sign change (a zero or NaN test moves a, as the plain product would).
template <typename Fn> int estrecha(Fn &&F, double fa, double &a, double &b, double raiz) {
  double f_raiz = F(raiz);
  if (!std::isfinite(f_raiz)) return RAICES_NO_FINITO;
  if (f_raiz == 0) return RAICES_EXITO; // exact root; -0 counts too
  if (signo_opuesto(fa, f_raiz)) {
    b = raiz;
  } else {
    a = raiz;
  }
  return RAICES_CONTINUA;
}

// The caller's absolute width as a step keeps it: a finite number above 0,
// else 0 (close the bracket to the last doubles). A negative or NaN width
// would let a step leave its bracket or never find it closed.
inline double anchura_valida(double tolerancia) {
  return std::isfinite(tolerancia) && tolerancia > 0 ? tolerancia : 0;
}

} // namespace raices::detalle

#endif
