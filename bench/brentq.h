// Brent's method as SciPy's brentq runs it (scipy.optimize.brentq, whose C
// routine is documented as Brent's 1973 algorithm with Dekker's safeguards),
// transcribed to C++ as a general-purpose peer for the benchmarks: the same
// points, in the same order, from the same arithmetic.
//
// State: xcur the best estimate, xblk the contrapoint (a root lies between
// them), xpre the previous estimate; scur and spre the last two steps. Each
// round:
//   - when the new point's F has the sign opposite to the previous one, the
//     previous point becomes the contrapoint and both steps are reset to
//     their distance;
//   - the better of xcur and xblk becomes xcur;
//   - stop when |xblk - xcur| / 2 < delta = (xtol + rtol |xcur|) / 2, or
//     F(xcur) == 0;
//   - step by the secant (two distinct points) or the inverse quadratic
//     written with divided differences, kept when it is shorter than half
//     the step before last and inside three quarters of the bracket, else by
//     bisection; never shorter than delta.
// Calls: two at the start, one per round. Its stopping test is its own
// unless another is given; rtol defaults to 4 eps, as in SciPy.
#ifndef BENCH_BRENTQ_H
#define BENCH_BRENTQ_H

#include <cfloat>
#include <cmath>

namespace brentq {

struct Resultado {
  double x = NAN;
  bool converge = false; // the test held within the limit
  int iteraciones = 0;
  long llamadas = 0;
};

// brentq's own test: |xblk - xcur| / 2 < delta.
struct SuPrueba {
  bool operator()(double sbis, double delta, double /*xcur*/, double /*xblk*/) const {
    return std::fabs(sbis) < delta;
  }
};

// Para: the stopping test on the bracket, given sbis, delta, xcur and xblk;
// brentq's own by default, another for timing it under a common rule.
template <typename Fn, typename Para = SuPrueba>
Resultado resuelve(Fn &&F, double xa, double xb, double xtol, double rtol = 4 * DBL_EPSILON,
                   int limite = 100, Para para = {}) {
  Resultado r;
  double xpre = xa, xcur = xb, xblk = 0, fblk = 0, spre = 0, scur = 0;
  double fpre = F(xpre), fcur = F(xcur);
  r.llamadas = 2;
  if (fpre == 0 || fcur == 0) {
    r.x = fpre == 0 ? xpre : xcur;
    r.converge = true;
    return r;
  }
  if (std::signbit(fpre) == std::signbit(fcur)) return r;
  for (int i = 0; i < limite; ++i) {
    ++r.iteraciones;
    if (fpre != 0 && fcur != 0 && std::signbit(fpre) != std::signbit(fcur)) {
      xblk = xpre;
      fblk = fpre;
      spre = scur = xcur - xpre;
    }
    if (std::fabs(fblk) < std::fabs(fcur)) {
      xpre = xcur, xcur = xblk, xblk = xpre;
      fpre = fcur, fcur = fblk, fblk = fpre;
    }
    const double delta = (xtol + rtol * std::fabs(xcur)) / 2;
    const double sbis = (xblk - xcur) / 2;
    if (fcur == 0 || para(sbis, delta, xcur, xblk)) {
      r.x = xcur;
      r.converge = true;
      return r;
    }
    bool biseca = true;
    if (std::fabs(spre) > delta && std::fabs(fcur) < std::fabs(fpre)) {
      double stry = 0;
      if (xpre == xblk) { // secant
        stry = -fcur * (xcur - xpre) / (fcur - fpre);
      } else { // inverse quadratic, by divided differences
        const double dpre = (fpre - fcur) / (xpre - xcur);
        const double dblk = (fblk - fcur) / (xblk - xcur);
        stry = -fcur * (fblk * dblk - fpre * dpre) / (dblk * dpre * (fblk - fpre));
      }
      const double tope = 3 * std::fabs(sbis) - delta;
      if (2 * std::fabs(stry) < (std::fabs(spre) < tope ? std::fabs(spre) : tope)) {
        spre = scur;
        scur = stry;
        biseca = false;
      }
    }
    if (biseca) spre = scur = sbis;
    xpre = xcur;
    fpre = fcur;
    xcur += std::fabs(scur) > delta ? scur : (sbis > 0 ? delta : -delta);
    fcur = F(xcur);
    ++r.llamadas;
  }
  r.x = xcur;
  return r;
}

} // namespace brentq

#endif
