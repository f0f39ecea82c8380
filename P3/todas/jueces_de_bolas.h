// The judges of the search for every root on doubles (jueces.h), from ball
// arithmetic: F's sign and value where its doubles are rounding noise, the
// check of each root, and F and F' bounded over a cell.
#ifndef RAICES_JUECES_DE_BOLAS_H
#define RAICES_JUECES_DE_BOLAS_H

#include <cmath>
#include <limits>
#include <type_traits>

#include "../bolas/bola.h"
#include "../bolas/chorro.h"
#include "../bolas/comprueba_raiz.h"
#include "../bolas/taylor.h"
#include "../busqueda/dobles.h"
#include "jueces.h"

namespace raices {

// How close to F(x) a value from balls is: this many correct bits.
constexpr long BITS_VALOR = 26;

// The judges of todas_las_raices from a callable F that runs on balls (and,
// for `pendiente` and a tighter `sin_cero`, on Chorro): signs and values of
// F where its doubles are rounding noise, the check of every root
// (comprueba_raiz.h), F' and F over a cell. F must outlive them.
template <class F> Jueces jueces_de_bolas(F &f) {
  constexpr bool con_chorro = std::is_invocable_r_v<Chorro, F &, const Chorro &>;
  Jueces j;
  j.precisa = [&f](double x, double v) {
    for (long p = Bola::precision_inicial; p != 0; p = Bola::siguiente_precision(p)) {
      const Bola b = f(Bola(x, p));
      if (b.es_cero()) return 0.0;
      if (!b.finita()) return v;
      // Its sign, and its value to about eight digits: a 53-bit ball's
      // middle carries the double's own rounding noise.
      if ((b.positiva() || b.negativa()) && arb_rel_accuracy_bits(b.arb()) >= BITS_VALOR) {
        const double m = b.medio();
        const double menor = std::numeric_limits<double>::denorm_min();
        return m != 0 ? m : b.positiva() ? menor : -menor; // never 0 by underflow
      }
    }
    return 0.0; // within 2^-precision_maxima of 0: no sign to tell
  };
  j.ruido = [&f](double x) {
    const Bola b = f(Bola(x));
    return b.finita() ? (b.sup() - b.inf()) / 2 : NAN;
  };
  j.comprueba = [&f](double x, double d) { return comprueba_raiz(f, x, d); };
  j.acotada = [&f](double l, double r) { return f(Bola::entre(l, r)).finita(); };
  if constexpr (con_chorro) {
    // F' over [l, r] on Chorro, then by Taylor's theorem about the middle,
    // whose coefficients at the point m are free of the dependency that
    // widens a ball over [l, r] (0.1 cos(x) - cos(x) 0.1000000000000000055511151231257827).
    j.pendiente = [&f](double l, double r) {
      const int c = detalle_prueba::sin_cero_subiendo(
          [&](long p) { return f(Chorro::variable(Bola::entre(l, r, p))).derivada; });
      if (c != 0 || !std::is_invocable_r_v<Taylor, F &, const Taylor &>) return c;
      const double m = medio(l, r), d = std::fmax(m - l, r - m);
      return detalle_prueba::sin_cero_subiendo(
                 [&](long p) { return detalle_prueba::derivada_taylor(f, m, d, p); }) == 1
                 ? 1
                 : 0;
    };
    j.sin_cero = [&f](double l, double r) {
      const Bola x = Bola::entre(l, r);
      const Bola v = f(x); // cheaper: most cells are cleared by it alone
      if (!v.contiene_cero()) return true;
      if (!v.finita() && !f(Bola(medio(l, r))).finita()) return true; // no judge of f here

      const Chorro c = f(Chorro::variable(x));
      if (!c.valor.finita()) return false;
      if (!c.valor.contiene_cero()) return true;
      const double m = medio(l, r);
      const Bola mv = f(Bola(m)) + c.derivada * (x - Bola(m));
      if (mv.finita() && !mv.contiene_cero()) return true;
      // Where F' itself is a difference of near-equal terms
      // (0.1 sin(x) - sin(x) 0.1000000000000000055511151231257827), the
      // Taylor bound about m, at the precision that tells F(m)'s sign: its
      // coefficients at the point m cancel what a ball over the cell cannot.
      long p = Bola::precision_inicial;
      for (Bola v = f(Bola(m, p)); !(v.positiva() || v.negativa()); v = f(Bola(m, p)))
        if (!v.finita() || v.es_cero() || (p = Bola::siguiente_precision(p)) == 0) return false;
      return detalle_prueba::refuta_taylor(f, m, std::fmax(m - l, r - m), p);
    };
  } else {
    j.sin_cero = [&f](double l, double r) {
      const Bola v = f(Bola::entre(l, r));
      if (!v.finita() && !f(Bola(medio(l, r))).finita()) return true; // no judge of f here
      return !v.contiene_cero();
    };
  }
  return j;
}

} // namespace raices

#endif
