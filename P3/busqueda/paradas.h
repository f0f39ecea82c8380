// The tests that end a search, written once and kept apart from the methods,
// which decide nothing of them: the width of a bracket, the change of an
// estimate, and the residual |F| at the answer. A caller picks the test that
// fits the method's family (metodos.h) and the tolerance it promises.
#ifndef RAICES_PARADAS_H
#define RAICES_PARADAS_H

#include <cmath>

namespace raices {

// tol scaled to x, never below tol itself: tol max(1, |x|).
inline double tolerancia_relativa(double tol, double x) {
  return tol * std::fmax(1.0, std::fabs(x));
}

// An absolute part and a relative part: abs + rel |x|.
inline double tolerancia_mixta(double abs, double rel, double x) {
  return abs + rel * std::fabs(x);
}

// Bracket test: [a, b] (either order) is narrower than tol. False on NaN.
inline bool ancho_menor(double a, double b, double tol) { return std::fabs(b - a) < tol; }

// Change test: the estimate moved less than tol in the last step. False on NaN.
inline bool cambio_menor(double x, double x_previo, double tol) {
  return std::fabs(x - x_previo) < tol;
}

// Residual floor: |F(x)| is no larger than |F| at both starting ends. A
// bracket that closes on a pole or a jump ends with |F| above it; a zero
// never does. False on NaN.
inline bool residuo_no_crece(double fx, double f_a, double f_b) {
  return std::fabs(fx) <= std::fmax(std::fabs(f_a), std::fabs(f_b));
}

// Residual test free of F's units: |F(x)| is at most `fraccion` of the
// scale of F on the problem, the larger finite |F| at the two starting ends
// (with fraccion = 1 it is the floor above). A jump across 0, even one closed
// to neighbouring doubles, keeps |F| near its height and fails any fraction
// below the jump's share of that scale. False on NaN.
inline bool residuo_relativo(double fx, double f_a, double f_b, double fraccion) {
  double escala = 0;
  if (std::isfinite(f_a)) escala = std::fabs(f_a);
  if (std::isfinite(f_b)) escala = std::fmax(escala, std::fabs(f_b));
  if (!std::isfinite(f_a) && !std::isfinite(f_b)) escala = HUGE_VAL;
  return std::fabs(fx) <= fraccion * escala;
}

// Zero test of an open method's answer x, which has no bracket: F changes
// sign across [x - delta, x + delta], or |F| there is no smaller than |F(x)|
// (a root of even multiplicity). An estimate that crept along a tail where F
// only tends to 0 fails it: |F| keeps falling on one side. Calls F twice.
template <typename Fn> bool cero_local(Fn &&F, double x, double delta) {
  const double fx = F(x), izquierda = F(x - delta), derecha = F(x + delta);
  if ((izquierda < 0 && derecha > 0) || (izquierda > 0 && derecha < 0)) return true;
  return std::fabs(fx) <= std::fabs(izquierda) && std::fabs(fx) <= std::fabs(derecha);
}

} // namespace raices

#endif
