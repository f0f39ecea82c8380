// The steps of bisection, regula falsi and Newton-Raphson on any callable F
// (and dF): the one implementation behind both forms declared in raices.h.
#ifndef RAICES_PASOS_H
#define RAICES_PASOS_H

#include <cmath>

namespace raices_detalle {

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

// Newton's evaluations: each value is stored before it is tested.
template <typename Fn, typename DFn>
int evalua(Fn &&F, DFn &&dF, double &f_raiz, double &df_raiz, double raiz) {
  f_raiz = F(raiz);
  if (!std::isfinite(f_raiz)) return RAICES_NO_FINITO;
  df_raiz = dF(raiz);
  if (!std::isfinite(df_raiz)) return RAICES_NO_FINITO;
  return RAICES_EXITO;
}

} // namespace raices_detalle

template <typename Fn> int bisecIni(Fn &&F, double a, double b) {
  return raices_detalle::acotada(F, a, b);
}

// raiz = (a + b) / 2
template <typename Fn> int bisecIter(Fn &&F, double &a, double &b, double &raiz) {
  double fa = F(a);
  (void)F(b); // evaluated as part of the step's fixed cost; only F(a) is used
  raiz = (a + b) / 2.0;
  return raices_detalle::estrecha(F, fa, a, b, raiz);
}

template <typename Fn> int rfalsiIni(Fn &&F, double a, double b) {
  return raices_detalle::acotada(F, a, b);
}

// raiz = (F(a) b - F(b) a) / (F(a) - F(b)), the zero of the secant through
// both ends. F(a) and F(b) are not tested: a NaN there gives a NaN point,
// which the test of F(raiz) reports.
template <typename Fn> int rfalsiIter(Fn &&F, double &a, double &b, double &raiz) {
  double fa = F(a);
  double fb = F(b);
  if (fa == fb) return RAICES_DIVISION_CERO; // exact: only then is the divisor zero
  raiz = (fa * b - fb * a) / (fa - fb);
  return raices_detalle::estrecha(F, fa, a, b, raiz);
}

template <typename Fn, typename DFn>
int newtonIni(Fn &&F, DFn &&dF, double &f_raiz, double &df_raiz, double &raiz) {
  return raices_detalle::evalua(F, dF, f_raiz, df_raiz, raiz);
}

// raiz = raiz - F(raiz) / dF(raiz). No exact-root test: at a root the
// correction is zero and the caller's tolerance test ends the search.
template <typename Fn, typename DFn>
int newtonIter(Fn &&F, DFn &&dF, double &f_raiz, double &df_raiz, double &raiz) {
  int status = raices_detalle::evalua(F, dF, f_raiz, df_raiz, raiz);
  if (status != RAICES_EXITO) return status;
  if (df_raiz == 0) return RAICES_DIVISION_CERO;
  raiz = raiz - f_raiz / df_raiz;
  return RAICES_CONTINUA;
}

#endif
