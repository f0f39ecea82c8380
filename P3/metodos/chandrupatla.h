// Chandrupatla's method (1997) on any callable F, with the halving taken in
// magnitude on brackets that span several binades. a is the newest point,
// b the other end of the bracket, c the point dropped last. With
//
//   xi = (a - b) / (c - b),   phi = (F(a) - F(b)) / (F(c) - F(b)),
//
// the inverse quadratic through (F(a), a), (F(b), b), (F(c), c) is monotone
// on the bracket when phi^2 < xi and (1 - phi)^2 < 1 - xi, and then the next
// point is x = a + t (b - a) with
//
//   t = F(a) / (F(b) - F(a)) * F(c) / (F(b) - F(c))
//     + (c - a) / (b - a) * F(a) / (F(c) - F(a)) * F(b) / (F(c) - F(b)).
//
// Otherwise x halves the bracket: x = (a + b) / 2, or, when one end is more
// than ESCALA_CHANDRUPATLA times the other in magnitude, the middle in
// magnitude, sqrt(|a| |b|) with the sign of the larger end; a bracket across
// many binades then reaches the scale of its root in a few steps, where
// plain halving needs one step per halving of the whole width. x is kept at
// least tol = 2 eps |x*| + tolerancia / 2 (+ the least normal double) from
// both ends (x* the end with the smaller |F|, tolerancia the caller's
// absolute width), so once the
// interpolation has found the root, one more step closes the bracket below
// tolerancia + 4 eps |x*|.
//
// Invariant at the start of every step (EstadoChandrupatla below): F(a) and
// F(b) are finite with no common strict sign, so the bracket between a and b
// holds a root; F(c) has the strict sign of F(a) (c == a at the start). The
// bracket only shrinks, and the new point lies strictly inside it.
#ifndef RAICES_CHANDRUPATLA_H
#define RAICES_CHANDRUPATLA_H

#include <cfloat>
#include <cmath>

#include "metodo.h"
#include "raices_pasos.h"

// Chandrupatla's state between steps: the bracket's ends a (the newest point)
// and b, the point c dropped last, their F values, and the caller's absolute
// tolerance on the width of the bracket (0: close it to the last doubles).
struct EstadoChandrupatla {
  double a, fa;
  double b, fb;
  double c, fc;
  double tolerancia;
};

namespace raices::detalle {

// Ratio of the ends' magnitudes beyond which the bracket is halved in magnitude.
constexpr double ESCALA_CHANDRUPATLA = 16;

// std::fmin and std::fmax as the C library gives them (a NaN operand yields
// the other one; of two equal operands, y), written out so that they are
// inlined: without -ffast-math the compilers call the library, and those
// calls took a fifth of the step's own instructions.
inline double menor(double x, double y) {
  if (std::isnan(x)) return y;
  if (std::isnan(y)) return x;
  return x < y ? x : y;
}
inline double mayor(double x, double y) {
  if (std::isnan(x)) return y;
  if (std::isnan(y)) return x;
  return x > y ? x : y;
}

// The middle of [a, b], in magnitude when the ends are far apart in scale
// (never 0 then); never overflows.
inline double medio_chandrupatla(double a, double b) {
  const double chico = menor(std::fabs(a), std::fabs(b));
  const double grande = mayor(std::fabs(a), std::fabs(b));
  if (chico > 0 && grande > ESCALA_CHANDRUPATLA * chico)
    return std::copysign(std::sqrt(chico) * std::sqrt(grande), std::fabs(a) > std::fabs(b) ? a : b);
  const double m = a + (b - a) / 2;
  return std::isfinite(m) ? m : a / 2 + b / 2;
}

// Where Chandrupatla's test accepts the inverse quadratic, its point, else
// the middle; then kept tol from both ends.
inline double punto_chandrupatla(const EstadoChandrupatla &e) {
  const double mejor = std::fabs(e.fa) < std::fabs(e.fb) ? e.a : e.b;
  const double tol = 2 * DBL_EPSILON * std::fabs(mejor) + e.tolerancia / 2 + DBL_MIN;
  if (!(2 * tol < std::fabs(e.b - e.a))) return medio_chandrupatla(e.a, e.b);
  const double xi = (e.a - e.b) / (e.c - e.b), phi = (e.fa - e.fb) / (e.fc - e.fb);
  double x = 0;
  if (phi * phi < xi && (1 - phi) * (1 - phi) < 1 - xi) { // no divisor below is 0
    const double xi_c = (e.c - e.a) / (e.b - e.a);
    const double t = e.fa / (e.fb - e.fc) * (e.fc / (e.fb - e.fa) - xi_c * e.fb / (e.fc - e.fa));
    x = e.a + t * (e.b - e.a);
  } else {
    x = medio_chandrupatla(e.a, e.b);
  }
  // A NaN x (an overflowed product) becomes the lower limit.
  return menor(mayor(x, menor(e.a, e.b) + tol), mayor(e.a, e.b) - tol);
}

} // namespace raices::detalle

// F(a), then F(b) unless F(a) is not finite. Returns 0 (s written, c = a,
// tolerancia kept for the steps; one that is not a finite number above 0
// counts as 0), 9 or 27 (s not written).
template <typename Fn>
int chandrupatlaIni(Fn &&F, double a, double b, EstadoChandrupatla &s, double tolerancia = 0) {
  double fa = 0, fb = 0;
  const int status = raices::detalle::acotada(F, a, b, fa, fb);
  if (status != RAICES_EXITO) return status;
  s = EstadoChandrupatla{a, fa, b, fb, a, fa, raices::detalle::anchura_valida(tolerancia)};
  return RAICES_EXITO;
}
int chandrupatlaIni(func F, double a, double b, EstadoChandrupatla &s, double tolerancia = 0);

// The next point as above, then F there: one call. The new point becomes a;
// the old a becomes c when F keeps its sign there, else b, and the old b
// becomes c. Returns 0 when F(a) or F(b) is already 0 (nothing written, F
// not called) or F at the new point is 0, -2, 9 when F there is not finite
// (nothing written), 23 when the bracket holds no double between its ends
// (nothing written, F not called).
template <typename Fn> int chandrupatlaIter(Fn &&F, EstadoChandrupatla &s) {
  if (s.fa == 0 || s.fb == 0) return RAICES_EXITO; // an end is an exact root
  double x = raices::detalle::punto_chandrupatla(s);
  if (x == s.a || x == s.b) x = raices::detalle::medio_chandrupatla(s.a, s.b);
  if (x == s.a || x == s.b) return RAICES_ESTANCADA; // a and b are neighbours
  const double fx = F(x);
  if (!std::isfinite(fx)) return RAICES_NO_FINITO;
  if (raices::detalle::mismo_signo(fx, s.fa)) {
    s.c = s.a;
    s.fc = s.fa;
  } else {
    s.c = s.b;
    s.fc = s.fb;
    s.b = s.a;
    s.fb = s.fa;
  }
  s.a = x;
  s.fa = fx;
  return fx == 0 ? RAICES_EXITO : RAICES_CONTINUA;
}
int chandrupatlaIter(func F, EstadoChandrupatla &s);

namespace raices {

// Chandrupatla as a row of the table: its estimate is the end with the
// smaller |F|; it closes its bracket on the caller's tolerance.
struct Chandrupatla {
  static constexpr Descriptor descriptor{
      "chandrupatla", "Chandrupatla", Familia::acotado, Arranque::intervalo, 1, 0};
  using Estado = EstadoChandrupatla;
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn & /*dF*/, double a, double b, double tolerancia, Estado &e) {
    return chandrupatlaIni(F, a, b, e, tolerancia);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn & /*dF*/, Estado &e) {
    return chandrupatlaIter(F, e);
  }
  static double estimacion(const Estado &e) { return a_mejor(e) ? e.a : e.b; }
  static double otro(const Estado &e) { return a_mejor(e) ? e.b : e.a; }
  static double f_estimacion(const Estado &e) { return a_mejor(e) ? e.fa : e.fb; }

private:
  static bool a_mejor(const Estado &e) { return std::fabs(e.fa) < std::fabs(e.fb); }
};

} // namespace raices

#endif
