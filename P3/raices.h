// Step library: bisection, regula falsi and Newton-Raphson, one step per call.
//
// Stateless: the search state lives in the caller's variables, passed by
// reference; every function returns one of the status codes below. The
// caller owns the loop, the stopping tests and all reporting.
//
// Each function comes in two forms with one implementation: a compiled one
// that takes the function as a func pointer (in libraices.a), and a template
// that takes any callable (a lambda with captures, a functor, a
// std::function). A call with a plain function or a func pointer resolves to
// the compiled form: the template would bind the same argument with no
// better conversion, and a non-template wins such a tie.
#ifndef RAICES_H
#define RAICES_H

#include "Util/matutil.h"

// Status codes.
constexpr int RAICES_EXITO = 0;          // start check passed, or exact root
constexpr int RAICES_CONTINUA = -2;      // step done, the search goes on
constexpr int RAICES_NO_FINITO = 9;      // F or dF gave an infinite or NaN value
constexpr int RAICES_DIVISION_CERO = 12; // the step would divide by zero
constexpr int RAICES_NO_ACOTADA = 27;    // same strict sign at both ends

// F(a), then F(b) unless F(a) is not finite. Returns 0, 9 or 27.
int bisecIni(func F, double a, double b);
// F(a), F(b), F(midpoint). Stores the midpoint in raiz and moves one end
// onto it. Returns 0 (exact root; ends unchanged), -2 or 9 (ends unchanged).
int bisecIter(func F, double &a, double &b, double &raiz);

// Same check as bisecIni. Returns 0, 9 or 27.
int rfalsiIni(func F, double a, double b);
// F(a), F(b), F(new point). Returns 12 with nothing written when
// F(a) == F(b); otherwise as bisecIter, with the secant point.
int rfalsiIter(func F, double &a, double &b, double &raiz);

// F(raiz), then dF(raiz) unless F(raiz) is not finite; each is stored into
// f_raiz / df_raiz before it is tested. Returns 0 or 9; raiz is not written.
int newtonIni(func F, func dF, double &f_raiz, double &df_raiz, double &raiz);
// As newtonIni, then raiz -= f_raiz / df_raiz. Returns -2, 9, or 12 when the
// derivative is zero (raiz unchanged). Never returns 0.
int newtonIter(func F, func dF, double &f_raiz, double &df_raiz, double &raiz);

// The same six functions on any callable.
#include "raices_pasos.h"

#endif
