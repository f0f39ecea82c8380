// Every root of F in [a, b], proven: ball arithmetic (bola.h) encloses each
// root and proves the rest of [a, b] free of roots, or lists what it could
// not prove, with the reason.
//
// F is a callable that takes a raices::Bola and returns one (a generic
// lambda over the grammar's functions, a typed expression). When it also
// takes a raices::Chorro (value and derivative, chorro.h), a sign change
// where F' excludes 0 is proven to hold exactly one root, a simple one; when
// it also takes a double, each such root is first found with Brent's method
// on doubles and then enclosed with two balls, far faster than halving on
// balls alone.
//
// The search. [a, b] is cut into CELDAS_INICIALES cells as in
// todas_las_raices.h (on a logarithmic scale when [a, b] is wide), and each
// cell [l, r] is judged on the ball of [l, r]:
//   - F finite and away from 0 (directly, or by the mean value theorem
//     F(m) + F'([l, r]) ([l, r] - m)): no root in it;
//   - F' away from 0: F is monotone; with a proven sign change between l
//     and r, exactly one root, enclosed to the tolerance (`unica`); without
//     one, no root;
//   - otherwise it is halved; when the values at a point cannot be told
//     from 0 at the cell's precision, the precision climbs the ladder of
//     Bola first. A cell no wider than the tolerance tol max(1, |x|) that is
//     still undecided is left: with a proven sign change between its ends
//     (F continuous, as it is wherever its ball is finite) it holds an odd
//     number of roots counted with multiplicity (`impar`); otherwise it is
//     a piece not proven, with the reason: a possible even root (F's ball
//     holds 0), F unbounded (a pole), F not defined, or the precision limit.
// A point where F's ball is exactly 0 is a root (`exacta`); cells no wider
// than the tolerance beside it that cannot be cleared join its enclosure.
//
// Budget: at most `presupuesto` calls of F (on balls, Chorro or doubles).
// When it runs out, what was proven in [a, explorado] is returned.
#ifndef RAICES_DEMUESTRA_RAICES_H
#define RAICES_DEMUESTRA_RAICES_H

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "../bolas/bola.h"
#include "../bolas/chorro.h"
#include "../bolas/comprueba_raiz.h"
#include "../bolas/taylor.h"
#include "../busqueda/dobles.h"
#include "../busqueda/paradas.h"
#include "../busqueda/resuelve.h"
#include "../metodos/estados.h"
#include "celdas.h"
#include "respuesta.h"

namespace raices {

namespace detalle {

// What a call of F on a point's ball says: its proven sign, 0 when exactly
// 0, or `indecisa` when undecided up to the precision limit.
constexpr int INDECISA = 2;
constexpr double COCIENTE_ESTRECHA = 8; // see inalcanzable
constexpr double ALCANCE = 1e-3;        // ... only on cells narrower than this times max(1, |x|)
constexpr int DESPEJE = 256;            // steps clearing a piece beside an odd root, at most
constexpr int PROFUNDIDAD = 2200; // halvings of a cell, at most (1100 binades on each side of 0)

template <class F> class Demostrador {
public:
  Demostrador(F &f, double tol, long presupuesto) : f_(f), tol_(tol), presupuesto_(presupuesto) {}

  Respuesta demuestra(double a, double b) {
    r_.demostrada = true;
    r_.explorado = a;
    eje_ = Escala(a, b);
    try {
      recorre(a, b);
    } catch (const Agotado &) {
      r_.estado = MAX_ITERACIONES;
    }
    junta();
    // The search done, its pieces cleared as far as the budget allows; the
    // search is still complete when it runs out there.
    try {
      if (r_.estado == SALIDA_BIEN) despeja_piezas();
    } catch (const Agotado &) {
    }
    r_.evaluaciones = presupuesto_.usadas();
    junta();
    if (r_.estado == SALIDA_BIEN && !r_.piezas.empty()) r_.estado = NO_ALCANZA;
    return r_;
  }

private:
  struct Celda {
    double l, r;
    int sl, sr; // proven signs at l and r
    long p;     // precision
    int nivel;
  };

  F &f_;
  double tol_;
  Presupuesto presupuesto_;
  Escala eje_; // where cells are cut
  Respuesta r_;
  struct Multiplicidad {
    double x;
    int m;
  };
  // The proven multiplicities of exact zeros, one per cleared cell beside
  // them: a zero's is proven when the cells on both sides agree.
  std::vector<Multiplicidad> multiplicidades_;

  static constexpr bool con_chorro = std::is_invocable_r_v<Chorro, F &, const Chorro &>;
  static constexpr bool con_doble = std::is_invocable_r_v<double, F &, double>;
  static constexpr bool con_taylor = std::is_invocable_r_v<Taylor, F &, const Taylor &>;

  void gasta() { presupuesto_.gasta(); }
  Bola en(const Bola &x) {
    gasta();
    return f_(x);
  }

  // F's proven sign at x, climbing the ladder from p; an exact 0 is 0.
  // `decidida` is the precision that told it.
  int signo(double x, long p = Bola::precision_inicial, long *decidida = nullptr) {
    for (; p != 0; p = Bola::siguiente_precision(p)) {
      if (decidida != nullptr) *decidida = p;
      const Bola v = en(Bola(x, p));
      if (v.es_cero()) return 0;
      if (v.positiva()) return 1;
      if (v.negativa()) return -1;
      if (!v.finita() && !std::isfinite(doble(x))) return INDECISA; // not defined, or a pole
    }
    return INDECISA;
  }
  // F(x) on doubles, only to tell a pole from a point where F is not
  // defined; NaN when F takes no double.
  double doble(double x) {
    if constexpr (con_doble) {
      gasta();
      return f_(x);
    } else {
      (void)x;
      return NAN;
    }
  }

  double tolerancia(double x) const { return tolerancia_relativa(tol_, x); }

  double nodo(double l, double r, double t) const { return eje_.nodo(l, r, t); }

  // A point's sign, and its root when F is exactly 0 there.
  int nodo_signo(double x) {
    const int s = signo(x);
    if (s == 0) exacta(x);
    return s;
  }

  void recorre(double a, double b) {
    const int n = b > a ? CELDAS_INICIALES : 1;
    std::vector<double> x(static_cast<std::size_t>(n) + 1);
    std::vector<int> s(x.size());
    for (std::size_t k = 0; k < x.size(); ++k) {
      x[k] = k + 1 == x.size() ? b : nodo(a, b, static_cast<double>(k) / n);
      if (k > 0 && x[k] == x[k - 1]) {
        s[k] = s[k - 1];
        continue;
      }
      s[k] = nodo_signo(x[k]);
    }
    if (!(b > a)) {
      if (s[0] == INDECISA) pieza(a, a, razon_punto(a));
      r_.explorado = b;
      return;
    }
    for (std::size_t k = 0; k + 1 < x.size(); ++k) {
      if (x[k + 1] > x[k]) celda({x[k], x[k + 1], s[k], s[k + 1], Bola::precision_inicial, 0});
      r_.explorado = x[k + 1];
    }
  }

  // The cell judged, then its halves, left first.
  void celda(Celda c) {
    std::vector<Celda> pila{c};
    while (!pila.empty()) {
      const Celda d = pila.back();
      pila.pop_back();
      Celda mitades[2];
      if (juzga(d, mitades)) {
        pila.push_back(mitades[1]);
        pila.push_back(mitades[0]);
      } else {
        r_.explorado = d.r;
      }
    }
  }

  // Judges the cell: true when it is to be halved (into m).
  bool juzga(const Celda &c, Celda (&m)[2]) {
    const Bola x = Bola::entre(c.l, c.r, c.p);
    Bola valor, derivada = Bola::indefinida(c.p);
    if constexpr (con_chorro) {
      gasta();
      const Chorro j = f_(Chorro::variable(x));
      valor = j.valor;
      derivada = j.derivada;
    } else {
      valor = en(x);
    }
    if (!valor.contiene_cero()) return false; // a proven sign: no root
    if (c.l == c.r) return false;             // a point: its sign is known
    if (!valor.finita() && borde(c, m)) return true;
    const double medio_x = nodo(c.l, c.r, 0.5);
    const bool monotona = derivada.finita() && !derivada.contiene_cero();
    bool sin_salida = false;
    if (valor.finita() && (c.sl == 0 || c.sr == 0) && sin_otra_raiz(c)) return false;
    if (valor.finita() && derivada.finita()) {
      // The mean value theorem about the middle: far tighter on a narrow cell.
      const Bola en_medio = en(Bola(medio_x, c.p));
      const Bola mv = en_medio + derivada * (x - Bola(medio_x, c.p));
      if (mv.finita() && !mv.contiene_cero()) return false;
      const Bola cota = monotona ? Bola::indefinida(c.p) : taylor_en(c.l, c.r, medio_x, c.p);
      if (cota.finita() && !cota.contiene_cero()) return false;
      sin_salida = !monotona && inalcanzable(c, en_medio, mv, cota);
    }
    if (valor.finita() && monotona && c.sl != INDECISA && c.sr != INDECISA) {
      if (c.sl * c.sr < 0) encierra(c);
      return false; // at most one root: at an end (an exact zero, found) or none
    }
    const bool estrecha = c.r - c.l <= tolerancia(medio_x) || !(medio_x > c.l && medio_x < c.r) ||
                          c.nivel >= PROFUNDIDAD || sin_salida;
    // Before a cell is left undecided, F' by Taylor's theorem, free of the
    // dependency that widens it on Chorro.
    if (estrecha && valor.finita() && c.sl != INDECISA && c.sr != INDECISA &&
        monotona_taylor(c, medio_x)) {
      if (c.sl * c.sr < 0) encierra(c);
      return false;
    }
    if (estrecha) {
      deja(c, valor);
      return false;
    }
    // F not defined on balls at both ends and the middle (log x for x < 0;
    // 1^sqrt(-3), which doubles take as 1): a stretch where it is not, left
    // whole rather than halved down to the tolerance.
    if (!valor.finita() && c.sl == INDECISA && c.sr == INDECISA &&
        !en(Bola(medio_x, c.p)).finita() && !std::isinf(doble(medio_x))) {
      pieza(c.l, c.r, Razon::indefinida);
      return false;
    }
    // Where rounding, not the cell's width, hid the sign in the middle, the
    // halves are judged at the precision that told it.
    long p = c.p;
    const int sm = signo(medio_x, c.p, &p);
    if (cero_indecidible(c, valor, sm)) {
      pieza(c.l, c.r, Razon::precision);
      return false;
    }
    if (sm == 0) exacta(medio_x);
    m[0] = {c.l, medio_x, c.sl, sm, p, c.nivel + 1};
    m[1] = {medio_x, c.r, sm, c.sr, p, c.nivel + 1};
    return true;
  }

  // F finite over the cell, its sign undecided at the top of the ladder at
  // both ends and the middle: F is within 2^-4096 of 0 there, as it is
  // where F = 0 in a form the balls cannot reduce (sin(x)^2 + cos(x)^2 - 1,
  // sin(x)/sin(x) - 1), and no halving would decide more. The cell is left
  // whole, not halved down to the tolerance at the cost of the budget.
  bool cero_indecidible(const Celda &c, const Bola &valor, int en_medio) const {
    return valor.finita() && c.sl == INDECISA && c.sr == INDECISA && en_medio == INDECISA;
  }

  // F over the cell by Taylor's theorem about its middle m: F's
  // coefficients at m, the remainder over the cell; undecided without
  // Taylor. Near a multiple root, where F' itself cancels, it clears cells
  // that the mean value bound cannot.
  Bola taylor_en(double l, double r, double m, long p) {
    if (!con_taylor) return Bola::indefinida(p);
    gasta(); // the series at m
    gasta(); // ... and over [l, r]
    return detalle_prueba::taylor_en_entorno(f_, m, std::fmax(m - l, r - m), p);
  }

  // F' proven away from 0 over the cell by Taylor's theorem about its
  // middle m, up the ladder from the cell's precision: where F' is a
  // difference of near-equal terms (0.1 cos(x) - cos(x) 0.1000000000000000055511151231257827),
  // its coefficients at the point m cancel what a ball over the cell cannot.
  bool monotona_taylor(const Celda &c, double m) {
    if (!con_taylor) return false;
    const double d = std::fmax(m - c.l, c.r - m);
    auto derivada = [&](long p) {
      gasta(); // the series at m
      gasta(); // ... and over the cell
      return detalle_prueba::derivada_taylor(f_, m, d, p);
    };
    return detalle_prueba::sin_cero_subiendo(derivada, c.p) == 1;
  }

  // A cell with an exact zero x0 at an end: F(x0 + t) = t^m g(t), m the
  // number of Taylor coefficients at x0 that are exactly 0, and g bounded
  // away from 0 over the cell by Taylor's theorem: no other root in it, and
  // x0 of multiplicity m.
  bool sin_otra_raiz(const Celda &c) {
    if constexpr (con_taylor) {
      const double x0 = c.sl == 0 ? c.l : c.r;
      constexpr int K = detalle_prueba::ORDEN_TAYLOR;
      gasta();
      const Taylor en_x0 = f_(Taylor::variable(Bola(x0, c.p), K));
      int m = 0;
      while (m < K && en_x0.coeficiente(m).es_cero()) ++m;
      if (m == 0 || m == K) return false;
      gasta();
      const Taylor en_celda = f_(Taylor::variable(Bola::entre(c.l, c.r, c.p), K));
      // Bola::entre rounds t's interval outward: it still holds every t.
      const Bola t = Bola::entre(c.l, c.r, c.p) - Bola(x0, c.p);
      Bola g = en_celda.coeficiente(K);
      for (int i = K - 1; i >= m; --i) g = en_x0.coeficiente(i) + t * g;
      if (!g.finita() || g.contiene_cero()) return false;
      multiplicidades_.push_back({x0, m});
      return true;
    } else {
      (void)c;
      return false;
    }
  }

  // Whether halving is not worth it: the mean value bound's radius shrinks
  // at best as the square of the width while F in the middle (its sign
  // proven, its value not rounding noise) stays, so the parts clear at a
  // width of about w / sqrt(radius / |F(m)|). The cell is left when that is
  // below the tolerance, or, once the cell is narrower than sqrt(eps) |x|,
  // when one halving would not do. Near a multiple root the bound of F'
  // itself is what is wide, and halving on would cost millions of cells
  // to leave about the same piece. The Taylor bound's radius shrinks at
  // least as the width, down to where its first-order term no longer
  // rounds away: beside a root whose neighbourhood it can clear, the parts
  // are worth halving.
  bool inalcanzable(const Celda &c, const Bola &en_medio, const Bola &mv,
                    const Bola &taylor) const {
    if (!(en_medio.positiva() || en_medio.negativa())) return false;
    const double menor = std::fmin(std::fabs(en_medio.inf()), std::fabs(en_medio.sup()));
    if (!(en_medio.sup() - en_medio.inf() < menor / 4)) return false; // rounding: climb instead
    const double m = medio(c.l, c.r);
    // On a wide cell F may change by orders of magnitude (cosh over
    // [0, 976]): halving shrinks the bound far faster than the square.
    if (!(c.r - c.l <= ALCANCE * std::fmax(1.0, std::fabs(m)))) return false;
    double cociente = (mv.sup() - mv.inf()) / 2 / menor;
    double ancho = (c.r - c.l) / std::sqrt(cociente);
    if (taylor.finita()) { // its radius shrinks at least as the width
      const double t = (taylor.sup() - taylor.inf()) / 2 / menor;
      ancho = std::fmax(ancho, (c.r - c.l) / t);
      cociente = std::fmin(cociente, t);
    }
    const bool estrecha = c.r - c.l <= std::sqrt(DBL_EPSILON) * std::fmax(1.0, std::fabs(m));
    return std::isfinite(ancho) &&
           (ancho < tolerancia(m) / 16 || (estrecha && cociente > COCIENTE_ESTRECHA));
  }

  // A cell no wider than the tolerance, still undecided.
  void deja(const Celda &c, const Bola &valor) {
    if (valor.finita() && c.sl != INDECISA && c.sr != INDECISA && c.sl * c.sr < 0) {
      impar(c);
    } else if (valor.finita()) {
      pieza(c.l, c.r, c.sl == INDECISA || c.sr == INDECISA ? Razon::precision : Razon::par_posible);
    } else {
      pieza(c.l, c.r, razon_celda(c));
    }
  }
  // Why F's ball over a cell is not finite: F not defined in its middle,
  // infinite at a point of it (a pole), or else finite where its doubles
  // look but too steep for a ball over the cell (sqrt at 0).
  // Across a sign change, the doubles are followed down to neighbours: a
  // pole of 1/(x - 0.3) is infinite at the double 0.3.
  Razon razon_celda(const Celda &c) {
    const Razon r = razon_punto(medio(c.l, c.r));
    if (r != Razon::derivada) return r;
    if (std::isinf(doble(c.l))) return infinita(c.l);
    if (std::isinf(doble(c.r))) return infinita(c.r);
    if (std::abs(c.sl) != 1 || c.sr != -c.sl) return r;
    for (double a = c.l, b = c.r;;) {
      const double x = medio_ordinal(a, b);
      if (x == a || x == b) return r;
      const double v = doble(x);
      if (std::isinf(v)) return infinita(x);
      if (!(v != 0)) return r; // 0 or not defined
      ((v > 0) == (c.sl > 0) ? a : b) = x;
    }
  }
  // An odd number of roots in the sign change c, left undecided: its
  // enclosure narrowed to the tolerance by the proven signs of middle
  // points (the cell may be wider where halving it was not worth it), the
  // halves without the sign change left as pieces (despeja_piezas).
  void impar(Celda c) {
    while (!angosta(c.l, c.r)) {
      const double m = medio(c.l, c.r);
      const int s = m > c.l && m < c.r ? signo(m) : INDECISA;
      if (s == 0) { // the halves, judged no further, stay unproven
        pieza(c.l, m, Razon::par_posible);
        pieza(m, c.r, Razon::par_posible);
        return exacta(m);
      }
      if (s == INDECISA) break;
      if (s == c.sl) {
        pieza(c.l, m, Razon::par_posible);
        c.l = m;
      } else {
        pieza(m, c.r, Razon::par_posible);
        c.r = m;
      }
    }
    if (!angosta(c.l, c.r)) return pieza(c.l, c.r, Razon::precision);
    raiz(c.l, c.r, Certeza::impar);
  }

  // Each piece that may hold an even root is cleared from its ends, a
  // quarter at a time, by the value or Taylor bound (limpia): no ball over
  // a cell that reaches a multiple root's neighbourhood excludes 0, but the
  // Taylor bound clears a part far enough from the root beside its width.
  // Beside an odd root's enclosure ((x - 0.1)^3 expanded) only from the far
  // end, down to the last doubles, so that what is left joins the
  // enclosure; elsewhere ((x - 0.1)^2 expanded) from both ends in turn, down
  // to the tolerance. A piece changes only once cleared as far as it goes.
  // When the budget runs out, the pieces not yet reached stay as they were.
  void despeja_piezas() {
    std::vector<Pieza> quedan;
    std::size_t k = 0;
    try {
      for (; k < r_.piezas.size(); ++k) {
        Pieza p = r_.piezas[k];
        if (p.razon == Razon::par_posible && !despeja(p, junto_a_impar(p))) continue;
        quedan.push_back(p);
      }
    } catch (const Agotado &) {
      quedan.insert(quedan.end(), r_.piezas.begin() + static_cast<std::ptrdiff_t>(k),
                    r_.piezas.end());
      r_.piezas.swap(quedan);
      throw;
    }
    r_.piezas.swap(quedan);
  }
  // Clears p towards the root past its end `lado` (-1 left, 1 right, 0 none
  // known): false when nothing of it is left.
  bool despeja(Pieza &p, int lado) {
    double l = p.inf, r = p.sup;
    for (int k = 0; k < DESPEJE && l < r; ++k) {
      if (lado == 0 && angosta(l, r)) break;
      if (limpia(l, r)) return false;
      bool avanza = false;
      // A quarter, or an eighth beside a root of higher multiplicity.
      if (lado >= 0) avanza |= recorta(l, r, true, 0.25) || recorta(l, r, true, 0.125);
      if (lado <= 0) avanza |= recorta(l, r, false, 0.25) || recorta(l, r, false, 0.125);
      if (!avanza) break;
    }
    p.inf = l;
    p.sup = r;
    return true;
  }
  // The fraction t of [l, r] at its left (or right) end, cut off once
  // cleared.
  bool recorta(double &l, double &r, bool izquierda, double t) {
    const double m = punto_entre(l, r, izquierda ? t : 1 - t);
    if (!(m > l && m < r) || !(izquierda ? limpia(l, m) : limpia(m, r))) return false;
    (izquierda ? l : r) = m;
    return true;
  }
  // 1 when p ends where an odd root's enclosure begins, -1 when it begins
  // where one ends, 0 otherwise.
  int junto_a_impar(const Pieza &p) const {
    for (const Hallazgo &z : r_.raices) {
      if (z.certeza != Certeza::impar) continue;
      if (p.sup == z.inf) return 1;
      if (p.inf == z.sup) return -1;
    }
    return 0;
  }
  // F proven nonzero on [l, r] by its ball or by Taylor's theorem, up the
  // ladder while rounding keeps 0 in the bound.
  bool limpia(double l, double r) {
    if (!en(Bola::entre(l, r)).contiene_cero()) return true;
    if (!con_taylor) return false;
    const double m = medio(l, r);
    return detalle_prueba::sin_cero_subiendo([&](long p) { return taylor_en(l, r, m, p); }) == 1;
  }

  Razon razon_punto(double x) {
    const double v = doble(x);
    return std::isnan(v) ? Razon::indefinida : std::isinf(v) ? infinita(x) : Razon::derivada;
  }
  // F infinite on doubles at x: a pole, or F finite there but beyond the
  // doubles (cosh(x) past 710), as its ball at x shows. Near a pole that
  // falls between two doubles (1/(x - 0.3) at the double 0.3) the ball is
  // finite but within the doubles: still a pole.
  Razon infinita(double x) {
    const Bola v = en(Bola(x));
    return v.finita() && (std::isinf(v.inf()) || std::isinf(v.sup())) ? Razon::desbordamiento
                                                                      : Razon::polo;
  }

  // A cell F's ball cannot bound, F not defined on doubles at one end and
  // defined at the other: the edge of F's domain, found to the last doubles
  // by halving their count, is where the cell is cut (into m), and a root
  // when F is exactly 0 there (sqrt(x - 1) at 1).
  bool borde(const Celda &c, Celda (&m)[2]) {
    if constexpr (con_doble) {
      const bool nl = std::isnan(doble(c.l)), nr = std::isnan(doble(c.r));
      if (nl == nr) return false;
      // The last double where F is defined, and its neighbour where not.
      const auto [d, u] = frontera(nl ? c.r : c.l, nl ? c.l : c.r,
                                   [this](double x) { return !std::isnan(doble(x)); });
      const int s = signo(d);
      if (s == 0) exacta(d);
      if (nl) {
        m[0] = {c.l, u, c.sl, INDECISA, c.p, c.nivel + 1};
        m[1] = {d, c.r, s, c.sr, c.p, c.nivel + 1};
      } else {
        m[0] = {c.l, d, c.sl, s, c.p, c.nivel + 1};
        m[1] = {u, c.r, INDECISA, c.sr, c.p, c.nivel + 1};
      }
      return true;
    } else {
      (void)c;
      (void)m;
      return false;
    }
  }
  void pieza(double inf, double sup, Razon r) { r_.piezas.push_back({inf, sup, r}); }

  // The one simple root in the monotone cell c, with a sign change between
  // its ends: enclosed to the tolerance between two points of opposite
  // proven signs.
  void encierra(const Celda &c) {
    double l = c.l, r = c.r;
    if constexpr (con_doble) {
      // Brent on doubles, then the two balls at the tolerance either side.
      auto g = [this](double t) {
        gasta();
        return static_cast<double>(f_(t));
      };
      Criterio k;
      k.absoluta = std::fmax(tol_, DBL_MIN) / 4;
      k.relativa = std::fmax(tol_, 4 * DBL_EPSILON) / 4;
      k.max_pasos = PASOS_REFINO;
      k.ceros_exactos = false;
      k.juzga = false;
      const Solucion s = resuelve(METODO_REFINO, g, l, r, k);
      if (std::isfinite(s.raiz) && s.raiz >= l && s.raiz <= r) {
        const double d = tolerancia(s.raiz) / 4;
        const double u = std::fmax(l, s.raiz - d), v = std::fmin(r, s.raiz + d);
        if (angosta(u, v)) {
          const int su = u == l ? c.sl : signo(u), sv = v == r ? c.sr : signo(v);
          if (su == 0 || sv == 0) return exacta(su == 0 ? u : v);
          if (su == c.sl && sv == c.sr) return unica(u, v);
        }
      }
    }
    // Halving on balls, each middle's sign proven.
    int sl = c.sl;
    while (!angosta(l, r)) {
      const double m = medio(l, r);
      if (m == l || m == r) break;
      const int s = signo(m);
      if (s == 0) return exacta(m);
      if (s == INDECISA) break;
      (s == sl ? l : r) = m;
    }
    unica(l, r);
  }
  bool angosta(double l, double r) const { return r - l <= tolerancia(medio(l, r)); }
  void unica(double l, double r) { raiz(l, r, Certeza::unica); }
  void exacta(double x) { raiz(x, x, Certeza::exacta); }
  // A root proven in [l, r]: simple when unica, its kind otherwise told by
  // its multiplicity once proven (junta); x, the exact zero or the middle.
  void raiz(double l, double r, Certeza c) {
    const bool cero = c == Certeza::exacta;
    r_.raices.push_back({medio(l, r),
                         cero ? 0.0 : NAN,
                         c == Certeza::unica ? Clase::simple : Clase::impar,
                         l,
                         r,
                         cero ? Prueba::exacta : Prueba::demostrada,
                         0,
                         {},
                         c});
  }

  // Roots by x, each once; pieces that touch, of one reason, as one; pieces
  // no wider than the tolerance that touch an exact root, into its
  // enclosure.
  void junta() {
    auto por_x = [](const Hallazgo &p, const Hallazgo &q) { return p.x < q.x; };
    std::sort(r_.raices.begin(), r_.raices.end(), por_x);
    r_.raices.erase(std::unique(r_.raices.begin(), r_.raices.end(),
                                [](const Hallazgo &p, const Hallazgo &q) {
                                  return p.x == q.x && p.certeza == q.certeza;
                                }),
                    r_.raices.end());
    std::sort(r_.piezas.begin(), r_.piezas.end(),
              [](const Pieza &p, const Pieza &q) { return p.inf < q.inf; });
    std::vector<Pieza> unidas;
    for (const Pieza &p : r_.piezas) {
      if (absorbe(p)) continue;
      if (!unidas.empty() && unidas.back().sup >= p.inf && unidas.back().razon == p.razon) {
        unidas.back().sup = std::fmax(unidas.back().sup, p.sup);
      } else {
        unidas.push_back(p);
      }
    }
    r_.piezas.swap(unidas);
    for (Hallazgo &z : r_.raices) {
      z.multiplicidad = multiplicidad(z);
      if (z.multiplicidad > 0) z.clase = clase_de_multiplicidad(z.multiplicidad);
    }
  }
  // m when every cell beside the exact zero z was cleared with m, and z has
  // no piece beside it; 0 otherwise.
  int multiplicidad(const Hallazgo &z) const {
    if (z.certeza != Certeza::exacta || z.inf != z.x || z.sup != z.x) return 0;
    int m = 0;
    for (const Multiplicidad &k : multiplicidades_) {
      if (k.x != z.x) continue;
      if (m != 0 && k.m != m) return 0;
      m = k.m;
    }
    return m;
  }
  bool absorbe(const Pieza &p) {
    if (p.razon != Razon::par_posible && p.razon != Razon::derivada) return false;
    for (Hallazgo &z : r_.raices) {
      const double t = tolerancia(z.x);
      if (z.certeza == Certeza::exacta && p.inf <= z.sup && p.sup >= z.inf && p.sup - z.x <= t &&
          z.x - p.inf <= t) {
        z.inf = std::fmin(z.inf, p.inf);
        z.sup = std::fmax(z.sup, p.sup);
        return true;
      }
      // A piece of one sign at both ends (no exact root there) holds roots
      // of even total multiplicity: beside an odd root's enclosure, the two
      // together still hold an odd number, and are one enclosure while no
      // wider than the tolerance.
      const double inf = std::fmin(z.inf, p.inf), sup = std::fmax(z.sup, p.sup);
      if (z.certeza == Certeza::impar && p.razon == Razon::par_posible && p.inf <= z.sup &&
          p.sup >= z.inf && sup - inf <= tolerancia(medio(inf, sup)) && !exacta_en(p.inf) &&
          !exacta_en(p.sup)) {
        z.inf = inf;
        z.sup = sup;
        z.x = medio(inf, sup);
        return true;
      }
    }
    return false;
  }
  bool exacta_en(double x) const {
    return std::any_of(r_.raices.begin(), r_.raices.end(),
                       [x](const Hallazgo &z) { return z.certeza == Certeza::exacta && z.x == x; });
  }
};

} // namespace detalle

// Every root of F in [a, b] (a <= b, both finite), proven, each enclosed in
// an interval no wider than tol max(1, |x|); at most presupuesto calls of F.
template <class F>
Respuesta demuestra_raices(F &&f, double a, double b, double tol, long presupuesto = PRESUPUESTO) {
  detalle::Demostrador<std::remove_reference_t<F>> d(f, tol, presupuesto);
  return d.demuestra(a, b);
}

} // namespace raices

#endif
