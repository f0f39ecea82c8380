// Points between two doubles that never overflow, never underflow to a
// point outside, and reach every double: the midpoint, a point at a
// fraction of the way, and the middle by count of doubles, with which a
// bracket of any two finite doubles closes on two neighbours in at most 64
// halvings, even across 0 or from 1e-300 to 1e300.
#ifndef RAICES_DOBLES_H
#define RAICES_DOBLES_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace raices {

// The point a + t (b - a) for t in [0, 1], always within [a, b] (a <= b).
// Where b - a overflows, a (1 - t) + b t, which cannot.
inline double punto_entre(double a, double b, double t) {
  const double w = b - a;
  const double x = std::isfinite(w) ? a + w * t : a * (1 - t) + b * t;
  return std::clamp(x, a, b);
}

// (a + b) / 2 within [a, b], for any finite a <= b.
inline double medio(double a, double b) { return punto_entre(a, b, 0.5); }

namespace detalle {

// The doubles in order as integers: -0 and +0 both 0, neighbours differ by 1.
inline std::int64_t ordinal(double x) {
  std::int64_t i = 0;
  std::memcpy(&i, &x, sizeof i);
  return i < 0 ? -(i & INT64_MAX) : i;
}
inline double de_ordinal(std::int64_t i) {
  const std::int64_t bits = i < 0 ? (-i) | INT64_MIN : i;
  double x = 0;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

} // namespace detalle

// The double halfway between a and b (a <= b, both finite) by count of
// doubles: a or b only when they are neighbours or equal.
inline double medio_ordinal(double a, double b) {
  const std::int64_t i = detalle::ordinal(a), j = detalle::ordinal(b);
  // Of opposite signs i + j cannot overflow; of the same sign, j - i cannot.
  return detalle::de_ordinal((i < 0) != (j < 0) ? (i + j) / 2 : i + (j - i) / 2);
}

} // namespace raices

#endif
