// The parts of the search for every root on doubles that do not depend on
// F: where a cell is cut, and the parabola's verdicts.
#include "todas_las_raices.h"

#include <cmath>

namespace raices {

namespace detalle {

// k times the golden ratio's fractional part, modulo 1, spreads the cuts
// evenly over [0.4, 0.6] without ever repeating a pattern.
double fraccion_corte(unsigned long k) {
  const double fi = 0.6180339887498949;
  return 0.4 + 0.2 * std::fmod(static_cast<double>(k % 1000003UL) * fi, 1.0);
}

double minimo_parabola(double x0, double f0, double x1, double f1, double x2, double f2) {
  const double extremos = std::fmin(std::fabs(f0), std::fabs(f2));
  if (!(x0 < x1 && x1 < x2)) return extremos;
  if (signo_opuesto(f0, f2) || f0 == 0 || f2 == 0) return 0;
  // On [0, 1] with values at most 1, so that nothing overflows: Newton's
  // form q(t) = g0 + d1 t + c t (t - t1).
  const double s = std::fmax(std::fmax(std::fabs(f0), std::fabs(f1)), std::fabs(f2));
  const double t1 = (x1 - x0) / (x2 - x0), g0 = f0 / s, g1 = f1 / s, g2 = f2 / s;
  const double d1 = (g1 - g0) / t1, c = ((g2 - g1) / (1 - t1) - d1);
  if (c == 0) return extremos;
  const double tv = t1 / 2 - d1 / (2 * c); // where q' = 0
  if (!(tv > 0 && tv < 1)) return extremos;
  const double qv = g0 + d1 * tv + c * tv * (tv - t1);
  return mismo_signo(qv, g0) ? std::fmin(extremos, s * std::fabs(qv)) : 0;
}

namespace {

bool creciente(const double (&f)[5]) {
  return f[0] < f[1] && f[1] < f[2] && f[2] < f[3] && f[3] < f[4];
}
bool decreciente(const double (&f)[5]) {
  return f[0] > f[1] && f[1] > f[2] && f[2] > f[3] && f[3] > f[4];
}

} // namespace

bool celda_resuelta(const double (&x)[5], const double (&f)[5]) {
  double escala = 0;
  for (const double y : f) {
    if (!std::isfinite(y)) return false;
    escala = std::fmax(escala, std::fabs(y));
  }
  if (escala == 0) return false;
  // On [0, 1] with values at most 1, so that nothing overflows.
  double t[5], g[5];
  for (int i = 0; i < 5; ++i) {
    t[i] = (x[i] - x[0]) / (x[4] - x[0]);
    g[i] = f[i] / escala;
  }
  // The parabola through the ends and the middle point, and its error at
  // the two other points.
  const double d1 = (g[2] - g[0]) / t[2];
  const double c = (g[4] - g[2]) / (1 - t[2]) - d1;
  auto q = [&](double u) { return g[0] + d1 * u + c * u * (u - t[2]); };
  const double error = std::fmax(std::fabs(g[1] - q(t[1])), std::fabs(g[3] - q(t[3])));
  if (!(error <= MODELO)) return false;
  // Monotone: at most one root, where the samples change sign.
  const double p0 = d1 - c * t[2], p4 = d1 + c * (2 - t[2]);
  if ((p0 > 0 && p4 > 0 && creciente(f)) || (p0 < 0 && p4 < 0 && decreciente(f))) return true;
  // Away from zero by more than the parabola's error: no root.
  for (int i = 1; i < 5; ++i)
    if (!mismo_signo(f[0], f[i])) return false;
  return minimo_parabola(t[0], g[0], t[2], g[2], t[4], g[4]) > 2 * error;
}

bool multiplicidad_par(double f1, double f2) {
  const double k = std::log2(std::fabs(f2) / std::fabs(f1));
  if (!std::isfinite(k)) return false;
  const long redondeada = std::lround(k);
  return redondeada >= 2 && redondeada % 2 == 0;
}

} // namespace detalle
} // namespace raices
