// A local minimum of g on [u, v] by golden section with parabolic steps
// (Brent's minimiser, 1973). Each step fits the parabola through the three
// best points x, w, z and moves to its vertex,
//
//   x + p / q,  p / q = -((x - w)^2 (gx - gz) - (x - z)^2 (gx - gw))
//                       / (2 ((x - w)(gx - gz) - (x - z)(gx - gw))),
//
// when that vertex lies inside [u, v] and the step is under half the one
// before last; otherwise it takes the golden section of the larger part.
// So it converges superlinearly where g is smooth and never slower than
// golden section.
#ifndef RAICES_MINIMO_H
#define RAICES_MINIMO_H

#include <cfloat>
#include <cmath>

#include "dobles.h"

namespace raices::detalle {

// The minimiser on g over [u, v], from x in it with g(x) = gx. Invariant at
// the top of every pass: x is the best point yet, w the next best, z the
// one before; the minimum lies in [u, v]. Stops where the bracket is under
// about the square root of the precision of g, where g <= 0 (the caller's
// F has reached or crossed 0), or after MAX_MINIMO calls of g.
constexpr int MAX_MINIMO = 100;
struct Minimo {
  double x, gx;
};
template <typename G> Minimo minimiza(G &&g, double u, double v, double x, double gx) {
  const double oro = 0.3819660112501051; // (3 - sqrt(5)) / 2
  const double absoluta = 1e-3 * (v - u);
  double w = x, z = x, gw = gx, gz = gx, d = 0, e = 0;
  for (int k = 0; k < MAX_MINIMO && gx > 0; ++k) {
    const double m = medio(u, v);
    // About the square root of the precision of g: no better can be told
    // of a minimum from values of g.
    const double t = std::sqrt(DBL_EPSILON) * (std::fabs(x) + absoluta) + DBL_MIN;
    if (std::fabs(x - m) <= 2 * t - (v - u) / 2) break;
    bool dorada = true;
    if (std::fabs(e) > t) { // try the parabola through x, w, z
      double r = (x - w) * (gx - gz), q = (x - z) * (gx - gw), p = (x - z) * q - (x - w) * r;
      q = 2 * (q - r);
      if (q > 0) p = -p;
      q = std::fabs(q);
      const double anterior = e;
      e = d;
      if (std::fabs(p) < std::fabs(q * anterior / 2) && p > q * (u - x) && p < q * (v - x)) {
        d = p / q;
        dorada = false;
        if ((x + d) - u < 2 * t || v - (x + d) < 2 * t) d = x < m ? t : -t;
      }
    }
    if (dorada) {
      e = (x < m ? v : u) - x;
      d = oro * e;
    }
    const double y = x + (std::fabs(d) >= t ? d : (d > 0 ? t : -t));
    const double gy = g(y);
    if (gy <= gx) {
      (y < x ? v : u) = x;
      z = w, gz = gw, w = x, gw = gx, x = y, gx = gy;
    } else {
      (y < x ? u : v) = y;
      if (gy <= gw || w == x) {
        z = w, gz = gw, w = y, gw = gy;
      } else if (gy <= gz || z == x || z == w) {
        z = y, gz = gy;
      }
    }
  }
  return {x, gx};
}

} // namespace raices::detalle

#endif
