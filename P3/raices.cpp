// Bisection, regula falsi and Newton-Raphson, compiled forms: each function
// on a func pointer is the template of its header instantiated for func, so
// both forms share one implementation. No state, no allocation, no I/O.
#include "metodos/biseccion.h"
#include "metodos/newton.h"
#include "metodos/regula_falsi.h"

// The explicit template argument selects the template rather than these
// functions themselves.
int bisecIni(func F, double a, double b) { return bisecIni<func &>(F, a, b); }
int bisecIter(func F, double &a, double &b, double &raiz) {
  return bisecIter<func &>(F, a, b, raiz);
}
int rfalsiIni(func F, double a, double b) { return rfalsiIni<func &>(F, a, b); }
int rfalsiIter(func F, double &a, double &b, double &raiz) {
  return rfalsiIter<func &>(F, a, b, raiz);
}
int newtonIni(func F, func dF, double &f_raiz, double &df_raiz, double &raiz) {
  return newtonIni<func &, func &>(F, dF, f_raiz, df_raiz, raiz);
}
int newtonIter(func F, func dF, double &f_raiz, double &df_raiz, double &raiz) {
  return newtonIter<func &, func &>(F, dF, f_raiz, df_raiz, raiz);
}
