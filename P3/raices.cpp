// Step library: start checks and single steps of bisection, regula falsi and
// Newton-Raphson. No state, no allocation, no I/O: everything goes back
// through the status code and the caller's variables.
#include "raices.h"

#include <cmath>

#include "Util/matutil.h"
#include "Util/specfunc.h"

const int CONTINUA = -2;      // step done, the search goes on
const int NO_FINITO = 9;      // F or dF gave an infinite or NaN value
const int DIVISION_CERO = 12; // the step would divide by zero
const int NO_ACOTADA = 27;    // same strict sign at both ends

// x * y > 0 and x * y < 0, decided from the signs alone. The products of
// two tiny values underflow to a signed zero and would pass or fail these
// tests wrongly; comparing signs gives the answer of the exact product.
// A zero or NaN factor makes both false, as it does for the product.
static inline bool mismo_signo(double x, double y) { return (x > 0 && y > 0) || (x < 0 && y < 0); }
static inline bool signo_opuesto(double x, double y) {
  return (x > 0 && y < 0) || (x < 0 && y > 0);
}

// Start check shared by both bracketing methods.
static int acotada(func F, double a, double b) {
  double fa = F(a);
  if (!std::isfinite(fa)) return NO_FINITO;
  double fb = F(b);
  if (!std::isfinite(fb)) return NO_FINITO;
  return mismo_signo(fa, fb) ? NO_ACOTADA : 0;
}

// Second half of a bracketing step, once raiz holds the new point: keep the
// end at which F has the sign opposite to F(a), so the bracket still holds a
// sign change (a zero or NaN test moves a, as the plain product would).
static int estrecha(func F, double fa, double &a, double &b, double raiz) {
  double f_raiz = F(raiz);
  if (!std::isfinite(f_raiz)) return NO_FINITO;
  if (f_raiz == 0) return 0; // exact root; -0 counts too
  if (signo_opuesto(fa, f_raiz)) {
    b = raiz;
  } else {
    a = raiz;
  }
  return CONTINUA;
}

// Newton's evaluations: each value is stored before it is tested.
static int evalua(func F, func dF, double &f_raiz, double &df_raiz, double raiz) {
  f_raiz = F(raiz);
  if (!std::isfinite(f_raiz)) return NO_FINITO;
  df_raiz = dF(raiz);
  if (!std::isfinite(df_raiz)) return NO_FINITO;
  return 0;
}

int bisecIni(func F, double a, double b) { return acotada(F, a, b); }

// raiz = (a + b) / 2
int bisecIter(func F, double &a, double &b, double &raiz) {
  double fa = F(a);
  (void)F(b); // evaluated as part of the step's fixed cost; only F(a) is used
  raiz = (a + b) / 2.0;
  return estrecha(F, fa, a, b, raiz);
}

int rfalsiIni(func F, double a, double b) { return acotada(F, a, b); }

// raiz = (F(a) b - F(b) a) / (F(a) - F(b)), the zero of the secant through
// both ends. F(a) and F(b) are not tested: a NaN there gives a NaN point,
// which the test of F(raiz) reports.
int rfalsiIter(func F, double &a, double &b, double &raiz) {
  double fa = F(a);
  double fb = F(b);
  if (fa == fb) return DIVISION_CERO; // exact: only then is the divisor zero
  raiz = (fa * b - fb * a) / (fa - fb);
  return estrecha(F, fa, a, b, raiz);
}

int newtonIni(func F, func dF, double &f_raiz, double &df_raiz, double &raiz) {
  return evalua(F, dF, f_raiz, df_raiz, raiz);
}

// raiz = raiz - F(raiz) / dF(raiz). No exact-root test: at a root the
// correction is zero and the caller's tolerance test ends the search.
int newtonIter(func F, func dF, double &f_raiz, double &df_raiz, double &raiz) {
  int status = evalua(F, dF, f_raiz, df_raiz, raiz);
  if (status != 0) return status;
  if (df_raiz == 0) return DIVISION_CERO;
  raiz = raiz - f_raiz / df_raiz;
  return CONTINUA;
}
