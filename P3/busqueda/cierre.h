// Closing a bracket down to the last doubles, to tell a zero from a pole or
// a jump. A bracketing method stops when its bracket is narrower than the
// caller's tolerance, which is often loose; a sign change inside it may be
// a zero or a point where F jumps across 0 or grows without bound. Halving
// on to the end of the doubles and looking at |F| there tells them apart:
// at a zero |F| ends small, at a pole it ends huge, at a jump it stays near
// the jump's height.
#ifndef RAICES_CIERRE_H
#define RAICES_CIERRE_H

#include <cmath>
#include <utility>

#include "../metodos/raices_pasos.h"
#include "dobles.h"

namespace raices {

// Enough halvings to bring any bracket of normal doubles to two neighbours.
constexpr int MITADES_CIERRE = 200;

struct Punto {
  double x, fx;
};

// Halves [a, b] as the bisection step does: m = (a + b) / 2, the half whose
// ends have opposite strict signs of F kept, else a moved. Stops when m
// equals an end, F(m) == 0 or is not finite, or after `mitades` halvings,
// and returns the last m with F(m). Calls F once per halving, plus once at a.
template <typename Fn> Punto cierra(Fn &&F, double a, double b, int mitades = MITADES_CIERRE) {
  double fa = F(a);
  Punto p{a, fa};
  for (int k = 0; k < mitades; ++k) {
    p.x = (a + b) / 2;
    p.fx = F(p.x);
    // Exact on purpose: neighbours, or a zero of the computed F.
    if (p.x == a || p.x == b || p.fx == 0 || !std::isfinite(p.fx)) break;
    if (detalle::signo_opuesto(fa, p.fx)) {
      b = p.x;
    } else {
      a = p.x;
      fa = p.fx;
    }
  }
  return p;
}

// The same sign change closed from a bracket whose ends x, y and values fx,
// fy (opposite strict signs) are known: first by `secantes` secant points,
// each followed by its neighbouring double towards the sign change, which
// at a simple root land on two neighbours in two calls; then by halving what
// is left by count of doubles. Returns the better end once two neighbours
// hold the change, else a point where F is 0 or not finite.
template <typename Fn>
Punto cierra_desde(Fn &&F, double x, double fx, double y, double fy, int secantes = 2) {
  Punto lo{x, fx}, hi{y, fy};
  if (hi.x < lo.x) std::swap(lo, hi);
  const auto mejor = [&] { return std::fabs(lo.fx) <= std::fabs(hi.fx) ? lo : hi; };
  // p inside (lo, hi) with F(p) known: the side of the change kept.
  const auto parte = [&](Punto p) {
    if (detalle::signo_opuesto(lo.fx, p.fx)) {
      hi = p;
      return std::nextafter(p.x, -HUGE_VAL);
    }
    lo = p;
    return std::nextafter(p.x, HUGE_VAL);
  };
  for (int k = 0; k < secantes; ++k) {
    if (std::nextafter(lo.x, hi.x) == hi.x) return mejor();
    double s = lo.x - lo.fx * ((hi.x - lo.x) / (hi.fx - lo.fx));
    // A secant point at or past an end (a root within an ulp of it): the
    // end's neighbour; NaN (overflow): the middle.
    if (s <= lo.x) s = std::nextafter(lo.x, hi.x);
    if (s >= hi.x) s = std::nextafter(hi.x, lo.x);
    if (!(s > lo.x && s < hi.x)) s = lo.x / 2 + hi.x / 2;
    if (!(s > lo.x && s < hi.x)) break;
    const Punto p{s, F(s)};
    if (p.fx == 0 || !std::isfinite(p.fx)) return p;
    const double vecino = parte(p);
    if (vecino == lo.x || vecino == hi.x) return mejor();
    const Punto q{vecino, F(vecino)};
    if (q.fx == 0 || !std::isfinite(q.fx)) return q;
    parte(q);
  }
  // Across 0, 0 itself first: a root there would take 60 halvings by count.
  if (lo.x < 0 && hi.x > 0) {
    const Punto p{0.0, F(0.0)};
    if (p.fx == 0 || !std::isfinite(p.fx)) return p;
    parte(p);
  }
  // The rest halved by count of doubles: two neighbours in at most 64 calls,
  // even across 0, where halving by value would creep through the binades.
  for (;;) {
    const double m = medio_ordinal(lo.x, hi.x);
    if (m == lo.x || m == hi.x) return mejor();
    const Punto p{m, F(m)};
    if (p.fx == 0 || !std::isfinite(p.fx)) return p;
    parte(p);
  }
}

} // namespace raices

#endif
