// A derivative against the one that Taylor arithmetic on balls gives from
// the program of f itself: exact, up to the roundings of the numbers in the
// two texts, wherever f is differentiable.
#include <cmath>

#include "P3/bolas/chorro.h"
#include "P3/expresion/expresion_interna.h"

namespace {

using raices::Bola;

// Bits of the balls: the comparison is decided at the first try.
constexpr long bits = 128;
// Relative gap between two derivatives that are the same function: the
// numbers of a derived text are doubles read again (x^0.3 gives 0.3 and
// -0.7, not 0.3 - 1), so a correct derivative agrees to about 1e-16, and a
// fault of the writer (a coefficient, a sign, a term) misses by far more.
constexpr double holgura = 1e-9;

// |a - b| > holgura max(|a|, |b|) for every point of the balls.
bool separadas(const Bola &a, const Bola &b) {
  const Bola hueco = abs(a - b) - holgura * (abs(a) + abs(b));
  return hueco.positiva();
}

} // namespace

std::optional<Discrepancia> discrepancia_exacta(const Expresion &f, const Expresion &df,
                                                const std::vector<double> &puntos) {
  for (double x : puntos) {
    const raices::Chorro j = f(raices::Chorro::variable(Bola(x, bits)));
    const Bola d = df(Bola(x, bits));
    // Where f is not differentiable, or f' not defined, there is nothing to prove.
    if (!j.derivada.finita() || !d.finita()) continue;
    if (separadas(j.derivada, d)) return Discrepancia{x, d.medio(), j.derivada.medio()};
  }
  return std::nullopt;
}
