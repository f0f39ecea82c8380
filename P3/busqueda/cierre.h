// Closing a bracket down to the last doubles, to tell a zero from a pole or
// a jump. A bracketing method stops when its bracket is narrower than the
// caller's tolerance, which is often loose; a sign change inside it may be
// a zero or a point where F jumps across 0 or grows without bound. Halving
// on to the end of the doubles and looking at |F| there tells them apart:
// at a zero |F| ends small, at a pole it ends huge, at a jump it stays near
// the jump's height.
#ifndef RAICES_CIERRE_H
#define RAICES_CIERRE_H

#include "../metodos/raices_pasos.h"

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

} // namespace raices

#endif
