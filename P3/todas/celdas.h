// What both searches for every root share, on doubles and on balls: the
// calls of F they may make, the initial cells [a, b] is cut into, the
// points where a cell is cut, the method that refines a sign change, and
// the edge of F's domain.
#ifndef RAICES_CELDAS_H
#define RAICES_CELDAS_H

#include <cmath>
#include <utility>

#include "../busqueda/dobles.h"
#include "../metodos/metodos.h"

namespace raices {

constexpr long PRESUPUESTO = 1000000; // calls of F in one search, by default
constexpr int CELDAS_INICIALES = 64;
constexpr double AMPLIO = 1048576; // [a, b] reaching past this many times max(1, its nearest |x|)
                                   // is cut on a logarithmic scale

// The bracketing method that refines every sign change: the library's best
// on evaluations for brackets this search leaves. Chandrupatla leads on wide
// brackets, but the sampling hands over cells a few hundredths wide where
// Brent needs fewer calls (sin(1000x) over [0, 3.15]: 31,775 calls in all
// against 32,558 with Chandrupatla told the tolerance, 32,766 without) and
// ends nearer the root.
using MetodoRefino = Brent;
constexpr std::size_t METODO_REFINO = indice<MetodoRefino>;
constexpr int PASOS_REFINO = 200; // steps of the refining method, at most

namespace detalle {

struct Agotado {}; // thrown when the budget is spent

// The calls of F a search may make: each is counted before it is made, and
// the one past the budget throws Agotado.
class Presupuesto {
public:
  explicit Presupuesto(long tope) : tope_(tope) {}
  void gasta() {
    if (usadas_ >= tope_) throw Agotado{};
    ++usadas_;
  }
  long usadas() const { return usadas_; }

private:
  long tope_, usadas_ = 0;
};

// Where a cell of [a, b] is cut. On an [a, b] that reaches far beyond 1 and
// its own nearest |x| (-1e308 to 1e308), the point at the fraction t of
// [l, r] is taken on the scale u = sign(x) log(1 + |x|), so that the cuts
// reach every scale from 1 to the ends; in x again where u cannot tell
// points of [l, r] apart.
class Escala {
public:
  Escala() = default;
  Escala(double a, double b) {
    const double cerca = a <= 0 && b >= 0 ? 0 : std::fmin(std::fabs(a), std::fabs(b));
    amplia_ = std::fmax(std::fabs(a), std::fabs(b)) > AMPLIO * std::fmax(1.0, cerca);
  }
  double nodo(double l, double r, double t) const {
    if (amplia_) {
      const double u = punto_entre(logaritmica(l), logaritmica(r), t);
      const double x = std::copysign(std::expm1(std::fabs(u)), u);
      if (x > l && x < r) return x;
    }
    return punto_entre(l, r, t);
  }

private:
  static double logaritmica(double x) { return std::copysign(std::log1p(std::fabs(x)), x); }
  bool amplia_ = false;
};

// From t, where dentro(x) holds, towards d, where it does not: the last
// double where it holds and its neighbour where it does not, halving by
// count of doubles (at most 64 calls of dentro).
template <class P> std::pair<double, double> frontera(double t, double d, P dentro) {
  while (true) {
    const double m = medio_ordinal(std::fmin(t, d), std::fmax(t, d));
    if (m == t || m == d) return {t, d};
    (dentro(m) ? t : d) = m;
  }
}

} // namespace detalle
} // namespace raices

#endif
