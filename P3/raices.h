// Step library: bisection, regula falsi, Newton-Raphson, secant, Illinois,
// Brent and Steffensen, one step per call.
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

// Methods that carry the F values they already know from step to step: each
// start function makes the first evaluations and stores them; each step makes
// only the new evaluations its method needs. A step whose current estimate is
// already an exact root (its stored F value is 0) returns 0 without calling F.

// Secant. F(x0), then F(x1) unless F(x0) is not finite; each value is stored
// into f0 / f1 before it is tested. Returns 0 or 9.
int secanteIni(func F, double x0, double x1, double &f0, double &f1);
// x2 = x1 - f1 (x1 - x0) / (f1 - f0), then F(x2): one call. Returns 12 with
// nothing written when f0 == f1; otherwise (x0, f0) = (x1, f1) and
// (x1, f1) = (x2, F(x2)), and returns 0 (F(x2) == 0), -2 or 9 (F(x2) not finite).
int secanteIter(func F, double &x0, double &x1, double &f0, double &f1);

// Illinois. Same check as bisecIni, storing F(a) / F(b) into fa / fb before
// each is tested and 0 into lado. Returns 0, 9 or 27.
int illinoisIni(func F, double a, double b, double &fa, double &fb, int &lado);
// Regula falsi on the stored values, then F(raiz): one call. The new point
// replaces the end whose F value has its sign; when the same end has been
// kept twice running, its stored F value is halved; once kept three times
// running, the step takes the midpoint instead. lado counts the steps the
// same end has been kept (-k: a, +k: b, up to 3). Returns 0 (exact root,
// ends unchanged), -2, 9 (ends unchanged), 12 when fa == fb (nothing written).
int illinoisIter(func F, double &a, double &b, double &fa, double &fb, int &lado, double &raiz);

// Brent's state between steps. At the start of every step: F(b) and F(c)
// have no common strict sign (c is the contrapoint: a root lies between b and
// c), |F(b)| <= |F(c)| (b is the best estimate), a is the previous b, and d
// and e are the last two steps taken.
struct EstadoBrent {
  double b, fb; // best estimate and F(b)
  double c, fc; // contrapoint and F(c)
  double a, fa; // previous estimate and F(a)
  double d, e;  // last step and the one before
};
// F(a), then F(b) unless F(a) is not finite. Returns 0 (s written), 9 or 27
// (s not written).
int brentIni(func F, double a, double b, EstadoBrent &s);
// Inverse quadratic interpolation, secant or bisection, never a step shorter
// than two ulps of b, then F at the new point: one call. Returns 0 (F(b) ==
// 0), -2, or 9 (the new point and its value are in b / fb, its predecessor in
// a / fa, c / fc unchanged).
int brentIter(func F, EstadoBrent &s);

// Steffensen. F(raiz) stored into f_raiz. Returns 0 or 9; raiz is not written.
int steffensenIni(func F, double &f_raiz, double &raiz);
// raiz = raiz - f_raiz^2 / (F(raiz + f_raiz) - f_raiz), then f_raiz =
// F(raiz): two calls. Returns 9 (nothing written) when F(raiz + f_raiz) is not
// finite, 12 (nothing written) when the divisor is zero; otherwise 0 (new
// f_raiz == 0), -2 or 9 (new f_raiz not finite), with raiz and f_raiz written.
int steffensenIter(func F, double &f_raiz, double &raiz);

// The same functions on any callable.
#include "brent.h"
#include "illinois.h"
#include "raices_pasos.h"
#include "secante.h"
#include "steffensen.h"

#endif
