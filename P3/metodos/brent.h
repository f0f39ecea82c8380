// Brent's zero finder (1973) on any callable F. Each step takes the zero of
// the inverse quadratic through (F(a), a), (F(b), b), (F(c), c) when the three
// values differ, of the secant through b and its predecessor otherwise,
//
//   x = b - F(b) (b - a) / (F(b) - F(a)),
//
// and falls back to bisection, x = (b + c) / 2, whenever the interpolated
// point leaves the bracket's nearer three quarters or the steps stop halving
// every second time. So it converges superlinearly on smooth F, and never
// needs many more evaluations than bisection.
//
// Invariant at the start of every step (EstadoBrent below): F(b) and
// F(c) have no common strict sign, so the bracket between b and c holds a
// root; |F(b)| <= |F(c)|; a is the previous b. The step is never shorter than
// tol = 2 eps |b| + tolerancia / 2 (two ulps of b at least; tolerancia the
// caller's absolute width, 0 by default), so F is never called twice at one
// point while the bracket is wider than that, and once the interpolation
// has found the root one step of tol past it closes the bracket below
// tolerancia + 4 eps |b|; the caller's stopping test ends the search.
#ifndef RAICES_BRENT_H
#define RAICES_BRENT_H

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "metodo.h"
#include "raices_pasos.h"

// Brent's state between steps. At the start of every step: F(b) and F(c)
// have no common strict sign (c is the contrapoint: a root lies between b and
// c), |F(b)| <= |F(c)| (b is the best estimate), a is the previous b, and d
// and e are the last two steps taken. tolerancia is the caller's absolute
// width of bracket (0: close it to the last doubles).
struct EstadoBrent {
  double b, fb; // best estimate and F(b)
  double c, fc; // contrapoint and F(c)
  double a, fa; // previous estimate and F(a)
  double d, e;  // last step and the one before
  double tolerancia;
};

namespace raices::detalle {

// No double lies strictly between b and c: the answer of
// std::nextafter(b, c) == c, without the call into the maths library that
// cost a quarter of a step's own instructions. The neighbour of b towards c is the
// next bit pattern, up in magnitude when c lies beyond b away from 0, down
// otherwise; the neighbours of 0 are the least subnormals.
inline bool contiguos(double b, double c) {
  if (b == c) return true;
  if (std::isnan(b) || std::isnan(c)) return false;
  if (b == 0) return std::fabs(c) == std::numeric_limits<double>::denorm_min();
  std::uint64_t bits = 0;
  std::memcpy(&bits, &b, sizeof bits);
  if ((b < c) == (b > 0)) {
    ++bits;
  } else {
    --bits;
  }
  double vecino = 0;
  std::memcpy(&vecino, &bits, sizeof vecino);
  return vecino == c;
}

// Shortest step near b: two ulps of b plus half the caller's width, and the
// least normal double at b == 0, where 2 eps |b| would be zero (a subnormal
// step would make every operation on it slow). With tolerancia 0 the sum is
// exactly 2 eps |b| + DBL_MIN.
inline double tolerancia_brent(double b, double tolerancia) {
  return 2 * DBL_EPSILON * std::fabs(b) + tolerancia / 2 + DBL_MIN;
}

// The step from b by interpolation, or m (bisection) when the interpolated
// point is not safe. Updates d and e, the last step and the one before.
inline void paso_brent(EstadoBrent &s, double m, double tol) {
  if (std::fabs(m) <= tol || std::fabs(s.e) < tol || std::fabs(s.fa) <= std::fabs(s.fb)) {
    s.d = s.e = m; // bracket at ulp level, steps too short, or no progress
    return;
  }
  // |fa| > |fb| > 0 and |fc| >= |fb|: no divisor below is zero.
  double sb = s.fb / s.fa, p = 0, q = 0;
  if (s.a == s.c) { // two distinct points: secant
    p = 2 * m * sb;
    q = 1 - sb;
  } else { // inverse quadratic interpolation
    double qa = s.fa / s.fc, rb = s.fb / s.fc;
    p = sb * (2 * m * qa * (qa - rb) - (s.b - s.a) * (rb - 1));
    q = (qa - 1) * (rb - 1) * (sb - 1);
  }
  if (p > 0) {
    q = -q;
  } else {
    p = -p;
  }
  // Accept x = b + p / q only inside the bracket's nearer three quarters and
  // when the step is under half the one before last; a NaN or q == 0 fails.
  if (2 * p < 3 * m * q - std::fabs(tol * q) && 2 * p < std::fabs(s.e * q)) {
    s.e = s.d;
    s.d = p / q;
  } else {
    s.d = s.e = m;
  }
}

// Keeps the invariant after F(b) is known: the contrapoint c moves to the
// previous b when F(b) has the sign of F(c); b and c swap when c is better.
inline void ordena_brent(EstadoBrent &s) {
  if (mismo_signo(s.fb, s.fc)) {
    s.c = s.a;
    s.fc = s.fa;
    s.d = s.e = s.b - s.a;
  }
  if (std::fabs(s.fc) < std::fabs(s.fb)) {
    s.a = s.b;
    s.fa = s.fb;
    s.b = s.c;
    s.fb = s.fc;
    s.c = s.a;
    s.fc = s.fa;
  }
}

} // namespace raices::detalle

// F(a), then F(b) unless F(a) is not finite. Returns 0 (s written,
// tolerancia kept for the steps; one that is not a finite number above 0
// counts as 0), 9 or 27 (s not written).
template <typename Fn>
int brentIni(Fn &&F, double a, double b, EstadoBrent &s, double tolerancia = 0) {
  double fa = 0, fb = 0;
  const int status = raices::detalle::acotada(F, a, b, fa, fb);
  if (status != RAICES_EXITO) return status;
  s = EstadoBrent{b, fb, a, fa, a, fa, b - a, b - a, raices::detalle::anchura_valida(tolerancia)};
  raices::detalle::ordena_brent(s);
  return RAICES_EXITO;
}
int brentIni(func F, double a, double b, EstadoBrent &s, double tolerancia = 0);

// Inverse quadratic interpolation, secant or bisection, never a step shorter
// than two ulps of b plus half of tolerancia, then F at the new point: one
// call. Returns 0 (F(b) == 0), -2, 9 (the new point and its value are in
// b / fb, its predecessor in a / fa, c / fc unchanged), or 23 when b and c
// are neighbouring doubles, so that no new point lies between them (nothing
// written, F not called).
template <typename Fn> int brentIter(Fn &&F, EstadoBrent &s) {
  if (s.fb == 0) return RAICES_EXITO; // b is already an exact root
  const double tol = raices::detalle::tolerancia_brent(s.b, s.tolerancia);
  double m = (s.c - s.b) / 2;
  if (!std::isfinite(m)) m = s.c / 2 - s.b / 2; // c - b overflowed
  // Neighbours are at most eps |b| (or a subnormal gap) apart, so |m| <= tol
  // whenever they are: the bit test runs only on the last steps.
  if (std::fabs(m) <= tol && raices::detalle::contiguos(s.b, s.c)) return RAICES_ESTANCADA;
  raices::detalle::paso_brent(s, m, tol);
  s.a = s.b;
  s.fa = s.fb;
  if (std::fabs(s.d) > tol || std::fabs(m) <= tol) {
    s.b += s.d;
  } else {
    s.b += m > 0 ? tol : -tol;
  }
  s.fb = F(s.b);
  if (!std::isfinite(s.fb)) return RAICES_NO_FINITO;
  raices::detalle::ordena_brent(s);
  return s.fb == 0 ? RAICES_EXITO : RAICES_CONTINUA;
}
int brentIter(func F, EstadoBrent &s);

namespace raices {

// Brent as a row of the table: its estimate is its best point b, its other
// end the contrapoint c; it closes its bracket on the caller's tolerance.
struct Brent {
  static constexpr Descriptor descriptor{"brent", "Brent", Familia::acotado, Arranque::intervalo,
                                         1,       0};
  using Estado = EstadoBrent;
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn & /*dF*/, double a, double b, double tolerancia, Estado &e) {
    e = EstadoBrent{a, 0, b, 0, a, 0, 0, 0, tolerancia};
    return brentIni(F, a, b, e, tolerancia);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn & /*dF*/, Estado &e) {
    return brentIter(F, e);
  }
  static double estimacion(const Estado &e) { return e.b; }
  static double otro(const Estado &e) { return e.c; }
  static double f_estimacion(const Estado &e) { return e.fb; }
};

} // namespace raices

#endif
