// Every root of F in [a, b], its kind, and the points where F changes sign
// or grows without a zero, on any callable F (and dF).
//
// Sampling. [a, b] is cut into CELDAS_INICIALES equal cells; each cell is
// sampled at five points (its ends and three inner points, each one cutting
// its part at a fraction between 0.4 and 0.6 that varies from cut to cut, so
// that a periodic F cannot hide behind a regular grid). The cell is resolved
// when the parabola through its ends and middle point predicts the two other
// points to within MODELO times the largest |F| there, and that parabola is
// monotone or keeps away from zero by more than its own error, and its
// parent cell was resolved too. Otherwise each half is sampled the same
// way, down to NIVELES halvings. An [a, b] that reaches far beyond 1 and
// its own nearest |x| (-1e308 to 1e308) is cut on the scale
// sign(x) log(1 + |x|), so that its samples reach every scale. No point is
// ever computed outside [a, b] (dobles.h). The samples then tell:
//   - a strict sign change between neighbours: refined by the table's
//     bracketing method METODO_REFINO to the tolerance, then closed to the
//     last doubles, halving by count of doubles, when |F| there is not
//     small: a zero, or a pole or jump;
//   - a sample where F is exactly 0: a root; a run of them over a stretch,
//     a stretch where F is 0, its ends found to the last doubles;
//   - a run of samples where F is NaN: a stretch where F is not defined,
//     likewise;
//   - a local minimum of |F| among the samples with no sign change beside
//     it: probed by a local minimisation of |F| (golden section with
//     parabolic steps), and where |F| has a corner there, by the lines
//     through its two sides. It ends on a root where F touches 0 (even
//     multiple or tangent), on two sign changes where F crosses 0 (two
//     close roots), or on a near miss where |F| stays small but not 0.
//   - a local maximum of |F| in a stretch sampled down to the floor, far
//     above F's scale: a pole without a sign change.
//
// Judges (Jueces, optional; jueces_de_bolas.h builds them from ball
// arithmetic). A value of F within SOSPECHA times its own
// rounding error is taken from the judge, sign and all, so that rounding
// noise makes no sign change and underflow no zero; a cell of one sign
// that the judge cannot clear of zeros is halved on; F' on the judge's
// word tells simple from odd multiple; a sign change where F is bounded is
// a zero; every root is checked, a refuted one dropped, and a near miss
// that cannot be told from 0 kept as a possible even root.
//
// Resolution: two roots further apart than the widest gap between
// consecutive samples always have a sample between them, so they are told
// apart; the answer states that width.
//
// Budget: every run stops after at most `presupuesto` calls of F, having
// searched [a, explorado] completely; what it found there is returned.
#ifndef RAICES_TODAS_LAS_RAICES_H
#define RAICES_TODAS_LAS_RAICES_H

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "../busqueda/cierre.h"
#include "../busqueda/dobles.h"
#include "../busqueda/minimo.h"
#include "../busqueda/paradas.h"
#include "../busqueda/prueba.h"
#include "../busqueda/resuelve.h"
#include "../metodos/estados.h"
#include "../metodos/metodos.h"
#include "../metodos/raices_pasos.h"
#include "celdas.h"
#include "jueces.h"
#include "respuesta.h"

namespace raices {

constexpr int NIVELES = 24;            // halvings of an initial cell, at most
constexpr int NIVELES_JUEZ = 16;       // ... on a judge's word that it may hold a zero
constexpr double JUNTO_A_RAIZ = 0.25;  // |F| at an end of a cell below this fraction of its largest
constexpr double MODELO = 0.02;        // error of the parabola, relative to |F|
constexpr double RESIDUO_CERO = 1e-6;  // |F| at a zero, relative to its cell's ends
constexpr double DERIVADA_NULA = 1e-3; // |F'| at a multiple root, relative to the slopes
constexpr double SONDEO = 0.1;         // minima of |F| below this fraction of the scale are probed
constexpr double CERO = 1e-12;   // a minimum of |F| below this fraction of the scale is a root
constexpr double CASI = 1e-3;    // below this fraction of F's median size, a near miss
constexpr double POLO = 1e6;     // a maximum of |F| above this many times the scale is a pole
constexpr double SOSPECHA = 1e3; // |F| below this many times its rounding error: asked of a judge
constexpr int CERO_TRAMO = 3;    // this many samples running with F == 0 over more than
constexpr double TRAMO = 1e-6;   // TRAMO max(1, |x|): F is 0 on a stretch
constexpr int ESQUINA = 12;      // steps towards a corner of |F| at its minimum, at most
constexpr int VECINOS = 4;       // doubles beside F's extremum looked at for a sign change
constexpr int MEJOR_DOBLE = 16;  // a root's bracket this many doubles wide is searched whole
constexpr int PARTES = 10;       // halvings of a stretch where F overflows, for the judge

namespace detalle {

struct Muestra {
  double x, f;
  int celda;  // the initial cell it belongs to
  bool suelo; // sampled down to the floor without being resolved
};

// Where the k-th cut falls in its part, as a fraction between 0.4 and 0.6.
double fraccion_corte(unsigned long k);

// Whether the five samples (x ascending) of a cell resolve it: see above.
bool celda_resuelta(const double (&x)[5], const double (&f)[5]);

// The smallest |q| on [x0, x2] of the parabola q through (x0, f0), (x1, f1),
// (x2, f2): 0 when q crosses zero there. x0 <= x1 <= x2; with two equal
// abscissae, the smaller of |f0| and |f2|.
double minimo_parabola(double x0, double f0, double x1, double f1, double x2, double f2);

// The parity of a root at x from F one side of it: the multiplicity k
// that |F(x + 2d)| / |F(x + d)| = 2^k gives; odd when it cannot be told.
bool multiplicidad_par(double f1, double f2);

template <typename Fn, typename DFn> class Explorador {
public:
  Explorador(Fn &F, DFn *dF, double tol, long presupuesto, const Jueces &j)
      : F_(F), dF_(dF), j_(j), tol_(tol), presupuesto_(presupuesto) {}

  Respuesta explora(double a, double b) {
    eje_ = Escala(a, b);
    r_.explorado = a;
    try {
      recorre(a, b);
    } catch (const Agotado &) {
      r_.estado = MAX_ITERACIONES;
    }
    r_.evaluaciones = presupuesto_.usadas();
    if (j_.comprueba) juzga_raices(a, b);
    ordena(r_.raices);
    funde();
    ordena(r_.singulares);
    r_.singulares.erase(
        std::unique(r_.singulares.begin(), r_.singulares.end(),
                    [](const Hallazgo &p, const Hallazgo &q) { return p.x == q.x; }),
        r_.singulares.end());
    ordena(r_.casi);
    ordena(r_.tramos);
    for (auto *v : {&r_.raices, &r_.singulares, &r_.casi})
      for (Hallazgo &h : *v)
        if (std::isnan(h.inf)) h.inf = h.sup = h.x;
    return r_;
  }

private:
  Fn &F_;
  DFn *dF_; // null: F' from a difference quotient
  const Jueces &j_;
  std::vector<double> nodos_; // the initial cells' ends
  std::vector<double> ruido_; // the rounding error of F there, as the judge bounds it
  double tol_;
  Escala eje_; // where cells are cut
  Presupuesto presupuesto_;
  unsigned long cortes_ = 0;
  std::vector<Muestra> m_;
  std::vector<double> escala_; // largest finite |F| at an initial cell's first three points
  double mediana_ = 0;         // median |F| of those points over [a, b]
  Respuesta r_;
  int celda_ = 0;
  std::size_t hecho_ = 0; // samples analysed

  double f(double x) {
    presupuesto_.gasta();
    const double v = F_(x);
    return sospechosa(x, v) ? j_.precisa(x, v) : v;
  }
  // A finite value within SOSPECHA times the rounding error of F about x
  // (the judge's, in x's initial cell and its neighbours): its
  // digits, even its sign, may be rounding's. An exact 0 always is.
  bool sospechosa(double x, double v) const {
    if (!j_.precisa || !std::isfinite(v)) return false;
    if (v == 0) return true;
    if (ruido_.empty()) return false;
    const auto c = static_cast<std::size_t>(
        std::upper_bound(nodos_.begin() + 1, nodos_.end() - 1, x) - nodos_.begin() - 1);
    double e = 0;
    for (std::size_t k = c > 0 ? c - 1 : 0; k <= c + 1 && k < ruido_.size(); ++k)
      e = std::fmax(e, ruido_[k]);
    return std::fabs(v) <= SOSPECHA * e;
  }

  static void ordena(std::vector<Hallazgo> &v) {
    std::sort(v.begin(), v.end(), [](const Hallazgo &p, const Hallazgo &q) { return p.x < q.x; });
  }

  // The initial cells' ends and middle points first, which give F's scale
  // cell by cell; then each cell sampled left to right, every sample
  // analysed as soon as its right neighbour is known.
  void recorre(double a, double b) {
    if (!(b > a)) {
      m_.push_back({a, f(a), 0, false});
      analiza(1);
      tramo_final();
      return;
    }
    const double n = CELDAS_INICIALES;
    std::vector<double> x(2 * CELDAS_INICIALES + 1), fx(x.size());
    for (std::size_t k = 0; k < x.size(); k += 2) {
      x[k] = k + 1 == x.size() ? b : nodo(a, b, static_cast<double>(k) / 2 / n);
      nodos_.push_back(x[k]);
    }
    for (std::size_t k = 1; k < x.size(); k += 2) x[k] = corte(x[k - 1], x[k + 1]);
    // The rounding error at each cell's middle point, an ordinary double
    // where the ends may be round numbers at which F is exact.
    for (std::size_t k = 1; k < x.size() && j_.ruido; k += 2) {
      const double e = j_.ruido(x[k]);
      ruido_.push_back(std::isfinite(e) ? e : 0);
    }
    for (std::size_t k = 0; k < x.size(); k += 2) fx[k] = f(x[k]);
    for (std::size_t k = 1; k < x.size(); k += 2) {
      fx[k] = f(x[k]);
      escala_.push_back(mayor_finito({fx[k - 1], fx[k], fx[k + 1]}));
    }
    mediana_ = mediana(fx);
    m_.push_back({a, fx[0], 0, false});
    for (celda_ = 0; celda_ < CELDAS_INICIALES; ++celda_) {
      const std::size_t k = 2 * static_cast<std::size_t>(celda_) + 1;
      muestrea(x[k - 1], fx[k - 1], x[k], fx[k], x[k + 1], fx[k + 1], 0);
      m_.push_back({x[k + 1], fx[k + 1], celda_, false});
    }
    analiza(m_.size());
    tramo_final();
  }

  double corte(double l, double r) { return nodo(l, r, fraccion_corte(cortes_++)); }
  double nodo(double l, double r, double t) const { return eje_.nodo(l, r, t); }

  // The median of the finite |F| in v: F's typical size, which a pole does
  // not change.
  static double mediana(const std::vector<double> &v) {
    std::vector<double> m;
    for (const double y : v)
      if (std::isfinite(y)) m.push_back(std::fabs(y));
    if (m.empty()) return 0;
    const auto k = static_cast<std::ptrdiff_t>(m.size() / 2);
    std::nth_element(m.begin(), m.begin() + k, m.end());
    return m[static_cast<std::size_t>(k)];
  }

  static double mayor_finito(std::initializer_list<double> v) {
    double s = 0;
    for (const double y : v)
      if (std::isfinite(y)) s = std::fmax(s, std::fabs(y));
    return s;
  }

  // Cell [l, r] with F known at l, x and r: its samples from l on, r left
  // out (it opens the next cell).
  // A cell counts as resolved only when its parent was too: five values of
  // a wave that spans the cell many times over fit a parabola now and then,
  // two levels running almost never.
  void muestrea(double l, double fl, double x, double fx, double r, double fr, int nivel,
                bool padre_resuelto = false) {
    const double x1 = corte(l, x), x3 = corte(x, r);
    const double xs[5] = {l, x1, x, x3, r};
    const double fs[5] = {fl, f(x1), fx, f(x3), fr};
    // No finite value, or F == 0 throughout: nothing more to learn here.
    const bool vacia = std::none_of(std::begin(fs), std::end(fs),
                                    [](double y) { return std::isfinite(y) && y != 0; });
    const bool resuelta =
        celda_resuelta(xs, fs) && (!padre_resuelto || nivel >= NIVELES_JUEZ || sin_cero(l, r, fs));
    if (vacia || (resuelta && padre_resuelto) || nivel == NIVELES ||
        !(x1 > l && x3 > x && r > x3)) {
      const bool suelo = !vacia && nivel == NIVELES;
      m_.back().suelo = m_.back().suelo || suelo;
      for (int i = 1; i < 4; ++i) m_.push_back({xs[i], fs[i], celda_, suelo});
      analiza(m_.size() - 1);
      return;
    }
    muestrea(l, fl, x1, fs[1], x, fx, nivel + 1, resuelta);
    muestrea(x, fx, x3, fs[3], r, fr, nivel + 1, resuelta);
  }

  // A cell of one sign throughout that the judge cannot prove free of
  // zeros hides something narrower than its samples (the pole and root of
  // 1/(x - 0.3) - 1e6): it is not resolved. A sign change or a zero among
  // the samples is looked at anyway.
  // A cell that falls towards 0 at an end lies beside a root its neighbour
  // shows; the judge is not asked there (most of the cells it would be).
  bool sin_cero(double l, double r, const double (&fs)[5]) const {
    if (!j_.sin_cero) return true;
    double mayor = 0;
    for (int i = 1; i < 5; ++i) {
      if (!mismo_signo(fs[0], fs[i]) || fs[i] == 0) return true;
      mayor = std::fmax(mayor, std::fabs(fs[i]));
    }
    if (std::fmin(std::fabs(fs[0]), std::fabs(fs[4])) < JUNTO_A_RAIZ * mayor) return true;
    return j_.sin_cero(l, r);
  }

  // The scale of F about sample i: its initial cell and both neighbours.
  double escala(std::size_t i) const {
    const auto c = static_cast<std::size_t>(m_[i].celda);
    double s = escala_.empty() ? std::fabs(m_[i].f) : escala_[c];
    if (c > 0) s = std::fmax(s, escala_[c - 1]);
    if (c + 1 < escala_.size()) s = std::fmax(s, escala_[c + 1]);
    return s;
  }

  double escala_en(double x) const {
    const auto j = std::lower_bound(m_.begin(), m_.end(), x,
                                    [](const Muestra &p, double t) { return p.x < t; });
    return escala(
        static_cast<std::size_t>(std::min(j - m_.begin(), std::ptrdiff_t(m_.size()) - 1)));
  }

  // What the judge proves of every root and near miss. A refuted root is
  // none: an even one inside [a, b], small enough, is a near miss. A near
  // miss that cannot be told from 0 is a possible even root; one below the
  // normal doubles, where F underflows, is none (the doubles cannot show
  // its minimum).
  void juzga_raices(double a, double b) {
    std::vector<Hallazgo> raices, casi;
    for (Hallazgo h : r_.raices) {
      h.prueba = j_.comprueba(h.x, radio(h));
      if (h.prueba != Prueba::refutada) {
        raices.push_back(h);
      } else if (h.clase == Clase::par && h.x > a && h.x < b && h.fx <= CASI * mediana_ &&
                 h.fx >= DBL_MIN && !monotona(h)) {
        casi.push_back({h.x, h.fx, Clase::casi, NAN, NAN, h.prueba});
      }
    }
    for (Hallazgo h : r_.casi) {
      h.prueba = j_.comprueba(h.x, radio(h));
      if (h.prueba == Prueba::refutada) {
        if (h.fx >= DBL_MIN && !monotona(h)) casi.push_back(h);
      } else {
        raices.push_back({h.x, h.fx, Clase::par, NAN, NAN, h.prueba});
      }
    }
    r_.raices.swap(raices);
    r_.casi.swap(casi);
  }
  // |F| on balls falls on one side of h.x within its radius: F is monotone
  // there and h.x is no minimum of |F|, only one of the rounding noise of
  // its doubles (beside an expanded multiple root), so h is no near miss.
  bool monotona(const Hallazgo &h) const {
    if (!j_.precisa) return false;
    const double d = radio(h), margen = 1 - 1e-6; // beyond the balls' accuracy
    const double c = std::fabs(j_.precisa(h.x, NAN));
    const std::initializer_list<double> lados{h.x - d, h.x + d};
    return std::any_of(lados.begin(), lados.end(),
                       [&](double x) { return std::fabs(j_.precisa(x, NAN)) < margen * c; });
  }
  // Where a root reported at h.x lies: within the tolerance, or its last
  // bracket; an even root or a minimum of |F| only to about sqrt(eps).
  double radio(const Hallazgo &h) const {
    const bool par = h.clase == Clase::par || h.clase == Clase::casi;
    double d = std::fmax(tol_, par ? std::sqrt(DBL_EPSILON) : 0) * std::fmax(1.0, std::fabs(h.x));
    if (!std::isnan(h.inf)) d = std::fmax(d, std::fmax(h.x - h.inf, h.sup - h.x));
    return d;
  }

  // Roots next to each other that are one: at the same x, or both even or
  // tangent with |F| at every sample between them at the level of a zero.
  void funde() {
    std::vector<Hallazgo> unidas;
    for (const Hallazgo &h : r_.raices) {
      if (!unidas.empty() && una_sola(unidas.back(), h)) {
        if (h.fx < unidas.back().fx) unidas.back() = h;
      } else {
        unidas.push_back(h);
      }
    }
    r_.raices.swap(unidas);
  }
  bool una_sola(const Hallazgo &p, const Hallazgo &q) const {
    if (p.x == q.x) return true;
    if (p.clase != Clase::par || q.clase != Clase::par) return false;
    auto menor = [](const Muestra &m, double t) { return m.x < t; };
    auto i = std::lower_bound(m_.begin(), m_.end(), p.x, menor);
    for (; i != m_.end() && i->x < q.x; ++i) {
      if (i->x > p.x &&
          !(std::fabs(i->f) <= CERO * escala(static_cast<std::size_t>(i - m_.begin()))))
        return false;
    }
    return true;
  }

  // Samples up to hasta (excluded) not yet analysed: each one and the gap to
  // its right neighbour.
  void analiza(std::size_t hasta) {
    for (std::size_t i = hecho_; i < hasta; hecho_ = ++i) {
      const Muestra &p = m_[i];
      if (i + 1 < m_.size()) r_.resolucion = std::fmax(r_.resolucion, m_[i + 1].x - p.x);
      if (!std::isfinite(p.f)) {
        no_finita(i);
      } else if (p.f == 0) { // exactly: a root of the computed F
        if (i + 1 == m_.size() || m_[i + 1].f != 0) raiz_en_muestra(i);
      } else if (i + 1 < m_.size() && std::isfinite(m_[i + 1].f) &&
                 signo_opuesto(p.f, m_[i + 1].f)) {
        refina(p.x, p.f, m_[i + 1].x, m_[i + 1].f);
      } else {
        extremo(i);
      }
      r_.explorado = i + 1 < m_.size() ? m_[i + 1].x : p.x;
    }
  }

  // A run of samples where F is not finite, seen at its last sample i
  // beside a finite one. A lone NaN between samples of opposite signs is
  // the 0/0 of a jump. Otherwise every stretch of NaN samples in the run is
  // a stretch where F is not defined, its ends found to the last doubles,
  // and every stretch of infinite samples a pole, at its sample beside a
  // finite one (its first when it reaches b), or, where the judge finds F
  // finite there, a stretch where the doubles overflow.
  void no_finita(std::size_t i) {
    if (!(i + 1 < m_.size() && std::isfinite(m_[i + 1].f))) return;
    if (std::isnan(m_[i].f) && i > 0 && signo_opuesto(m_[i - 1].f, m_[i + 1].f)) {
      r_.singulares.push_back({m_[i].x, std::fabs(m_[i].f), Clase::salto});
    } else {
      tramo_no_finito(i);
    }
  }
  // ... and a run that reaches b, once all is analysed.
  void tramo_final() {
    if (!m_.empty() && !std::isfinite(m_.back().f)) tramo_no_finito(m_.size() - 1);
  }
  void tramo_no_finito(std::size_t i) {
    std::size_t k = i;
    while (k > 0 && !std::isfinite(m_[k - 1].f)) --k;
    for (std::size_t j = k, e = k; j <= i; j = e + 1) {
      const bool nan = std::isnan(m_[j].f);
      for (e = j; e < i && std::isnan(m_[e + 1].f) == nan;) ++e;
      if (nan) {
        tramo(j, e, Clase::indefinida, [](double y) { return std::isnan(y); });
      } else if (desborda(m_[j].x)) {
        tramo(j, e, Clase::desbordamiento, [](double y) { return std::isinf(y); });
      } else {
        const std::size_t p = e + 1 < m_.size() && std::isfinite(m_[e + 1].f) ? e : j;
        r_.singulares.push_back({m_[p].x, std::fabs(m_[p].f), Clase::polo});
      }
    }
  }

  // The samples j to e, where dentro(F) holds, are a stretch of kind c:
  // its ends are found to the last doubles, or are a and b.
  // Where F is infinite just outside a stretch where it is not defined
  // (log x at 0), that end is a pole.
  template <typename P> void tramo(std::size_t j, std::size_t e, Clase c, P dentro) {
    const double inf = j == 0 ? m_[j].x : frontera(m_[j].x, m_[j - 1].x, dentro);
    const double sup = e + 1 == m_.size() ? m_[e].x : frontera(m_[e].x, m_[e + 1].x, dentro);
    r_.tramos.push_back({inf, c == Clase::nula ? 0.0 : NAN, c, inf, sup});
    // Where the doubles overflow their signs cannot be followed: the search
    // is incomplete unless the judge proves F free of zeros there.
    if (c == Clase::desbordamiento && r_.estado == SALIDA_BIEN && !sin_cero_en(inf, sup, PARTES))
      r_.estado = NO_ALCANZA;
    if (c != Clase::indefinida) return;
    if (j > 0) junto_al_dominio(std::nextafter(inf, -HUGE_VAL));
    if (e + 1 < m_.size()) junto_al_dominio(std::nextafter(sup, HUGE_VAL));
  }
  // The judge proves F free of zeros on [l, r], or on each half, down to
  // `niveles` halvings: a ball over a wide stretch where F overflows holds
  // 0 (e^x over [709, 1000] spans 2^418), those over narrower parts do not.
  bool sin_cero_en(double l, double r, int niveles) {
    if (!j_.sin_cero) return false;
    if (j_.sin_cero(l, r)) return true;
    const double m = nodo(l, r, 0.5);
    return niveles > 0 && m > l && m < r && sin_cero_en(l, m, niveles - 1) &&
           sin_cero_en(m, r, niveles - 1);
  }

  // The last double where F is defined, beside a stretch where it is not:
  // a pole where F is infinite there, a root where it is 0.
  void junto_al_dominio(double x) {
    const double fx = f(x);
    if (std::isinf(fx)) r_.singulares.push_back({x + 0.0, HUGE_VAL, Clase::polo}); // no -0
    if (fx == 0) r_.raices.push_back({x + 0.0, 0.0, Clase::borde});
  }
  // From t, where dentro(F) holds, towards d, where it does not: the last
  // double where it holds.
  template <typename P> double frontera(double t, double d, P dentro) {
    return detalle::frontera(t, d, [&](double x) { return dentro(f(x)); }).first;
  }

  // F'(x), typed or from a central difference of step d within [l, r].
  double derivada(double x, double l, double r) {
    if (dF_ != nullptr) return (*dF_)(x);
    const double d = (r - l) * 1e-4;
    const double u = std::fmax(l, x - d), v = std::fmin(r, x + d);
    return v > u ? (f(v) - f(u)) / (v - u) : 0;
  }

  // Simple or odd multiple, for a zero in the sign change [l, r].
  // F' vanishes when it is small beside the slopes from x to both ends: a
  // simple root has F' near the slope to the nearer end, even when the two
  // roots of a close pair make F' small beside the cell's |F|.
  Clase clase_impar(double x, double l, double fl, double r, double fr) {
    if (j_.pendiente) { // F' over the root's tolerance, where a judge can bound it
      const double d = tolerancia_relativa(tol_, x);
      const int p = j_.pendiente(std::fmax(l, x - d), std::fmin(r, x + d));
      if (p >= 0) return p == 1 ? Clase::simple : Clase::impar;
    }
    double pendiente = HUGE_VAL;
    if (x > l) pendiente = std::fabs(fl) / (x - l);
    if (r > x) pendiente = std::fmin(pendiente, std::fabs(fr) / (r - x));
    if (pendiente == HUGE_VAL) return Clase::simple;
    return std::fabs(derivada(x, l, r)) <= DERIVADA_NULA * pendiente ? Clase::impar : Clase::simple;
  }

  // A run of samples where F == 0 exactly (most often one sample), seen at
  // its last sample i: one root, in the middle of the run; its kind from the
  // nearest samples outside the run. A longer run is a stretch where F is 0.
  void raiz_en_muestra(std::size_t i) {
    std::size_t k = i;
    while (k > 0 && m_[k - 1].f == 0) --k;
    // (All the samples of [a, b], however narrow, likewise.)
    const bool todas = k == 0 && i + 1 == m_.size() && i > k;
    if (i - k + 1 >= CERO_TRAMO &&
        (todas || m_[i].x - m_[k].x > TRAMO * std::fmax(1.0, std::fabs(m_[i].x)))) {
      tramo(k, i, Clase::nula, [](double y) { return y == 0; });
      return;
    }
    const double x = m_[(k + i) / 2].x;
    const bool izquierda = k > 0 && std::isfinite(m_[k - 1].f);
    const bool derecha = i + 1 < m_.size() && std::isfinite(m_[i + 1].f);
    if (izquierda && derecha) {
      const Muestra &l = m_[k - 1], &r = m_[i + 1];
      if (mismo_signo(l.f, r.f)) {
        raiz_par(x, 0.0, l, r);
      } else {
        r_.raices.push_back({x, 0.0, clase_impar(x, l.x, l.f, r.x, r.f)});
      }
    } else if ((k > 0 && std::isnan(m_[k - 1].f)) ||
               (i + 1 < m_.size() && std::isnan(m_[i + 1].f))) {
      r_.raices.push_back({x, 0.0, Clase::borde}); // F not defined on one side
    } else if (izquierda || derecha) {
      const Muestra &v = m_[izquierda ? k - 1 : i + 1];
      r_.raices.push_back({x, 0.0, clase_en_extremo(x, v.x, v.f)});
    } else {
      r_.raices.push_back({x, 0.0, Clase::simple});
    }
  }

  // An even root or tangency near x, between the samples l and r. F
  // locates it only to about the square root of its precision; where F'
  // is known and changes sign between l and r, its zero there does better,
  // and where it is not, the middle of the band where F rounds to 0.
  void raiz_par(double x, double fx, const Muestra &l, const Muestra &r) {
    Hallazgo h{x, std::fabs(fx), Clase::par};
    if (dF_ != nullptr) {
      auto dg = [this](double t) { return (*dF_)(t); };
      const Solucion s = resuelve(METODO_REFINO, dg, l.x, r.x, refino());
      const double xd = s.raiz, vd = s.desenlace == Desenlace::no_arranca ? 0 : f(xd);
      // F crosses 0 and back at F's extremum, or at a double beside it: two
      // simple roots, closer than the minimiser could see ((x - 1)(x - 1 -
      // 2e-15)).
      if (xd > l.x && xd < r.x) {
        double t = xd, vt = vd, arriba = xd, abajo = xd;
        for (int k = 0; k < VECINOS && !signo_opuesto(vt, l.f); ++k) {
          t = k % 2 == 0 ? (arriba = std::nextafter(arriba, HUGE_VAL))
                         : (abajo = std::nextafter(abajo, -HUGE_VAL));
          vt = t > l.x && t < r.x ? f(t) : l.f;
        }
        if (signo_opuesto(vt, l.f) && signo_opuesto(vt, r.f)) {
          refina(l.x, l.f, t, vt);
          refina(t, vt, r.x, r.f);
          return;
        }
      }
      const double fd = std::fabs(vd);
      if (xd >= l.x && xd <= r.x && fd <= std::fmax(h.fx, CERO * escala_en(xd)))
        h = {xd, fd, Clase::par};
    } else if (h.fx == 0) {
      // F rounds to 0 on a band about the root, some sqrt(eps) wide: its
      // middle, rather than wherever the search first met it.
      auto cero = [](double y) { return y == 0; };
      h.inf = frontera(x, l.x, cero);
      h.sup = frontera(x, r.x, cero);
      h.x = medio(h.inf, h.sup);
      h.fx = std::fabs(f(h.x));
    }
    r_.raices.push_back(h);
  }

  // The refining search: its steps alone, stopped when the bracket is
  // narrower than the tolerance tol max(1, |x|), or than a few ulps; what
  // the stop means is decided here.
  Criterio refino() const {
    Criterio c;
    c.absoluta = std::fmax(tol_, DBL_MIN);
    c.relativa = std::fmax(tol_, 4 * DBL_EPSILON);
    c.max_pasos = PASOS_REFINO;
    c.ceros_exactos = false;
    c.juzga = false;
    c.tolerancia_al_metodo = false; // the roots to the last bit
    return c;
  }

  // The kind of a root at an end of the samples, from its one neighbour v.
  Clase clase_en_extremo(double x, double v, double fv) {
    const double l = std::fmin(x, v), r = std::fmax(x, v);
    if (clase_impar(x, l, fv, r, fv) == Clase::simple) return Clase::simple;
    const double d = (v - x) / 100;
    const double f1 = f(x + d), f2 = f(x + 2 * d);
    return multiplicidad_par(f1, f2) ? Clase::par : Clase::impar;
  }

  // The sign change between l and r, refined; then a zero, or a pole or jump.
  void refina(double l, double fl, double r, double fr) {
    const Solucion s = resuelve(METODO_REFINO, g(), l, r, refino());
    // No start only if F gave other values at l and r.
    if (s.desenlace == Desenlace::no_arranca) return;
    const double x = s.raiz;
    if (s.estado == RAICES_NO_FINITO) { // stepped onto the point where F blows up
      const double fx = f(x);
      r_.singulares.push_back({x, std::fabs(fx), std::isnan(fx) ? Clase::salto : Clase::polo});
      return;
    }
    clasifica(x, s.otro, l, fl, r, fr);
  }

  // x refined in the sign change [l, r], o the other end of the last bracket.
  void clasifica(double x, double o, double l, double fl, double r, double fr) {
    const double ends = std::fmax(std::fabs(fl), std::fabs(fr));
    double inf = std::fmin(x, o), sup = std::fmax(x, o);
    Punto p{x, f(x)};
    if (p.fx != 0 && !(std::fabs(p.fx) <= RESIDUO_CERO * ends)) p = cierra_del_todo(inf, sup);
    if (p.fx == 0 || std::fabs(p.fx) <= RESIDUO_CERO * ends) {
      p = mejor_doble(p, inf, sup);
      if (p.fx == 0) inf = sup = p.x;
      r_.raices.push_back(
          {p.x, std::fabs(p.fx), clase_cambio(p.x, inf, sup, l, fl, r, fr), inf, sup});
    } else if (std::isnan(p.fx)) { // undefined where it changes sign: 0/0 at a jump
      r_.singulares.push_back({p.x, std::fabs(p.fx), Clase::salto});
    } else if (acotada(inf, sup)) { // continuous across its sign change: a zero
      r_.raices.push_back(
          {p.x, std::fabs(p.fx), clase_cambio(p.x, inf, sup, l, fl, r, fr), inf, sup});
    } else {
      // fzero's rule: |F| above both ends of the cell has grown: a pole.
      const Clase c = residuo_no_crece(p.fx, fl, fr) ? Clase::salto : Clase::polo;
      r_.singulares.push_back({p.x, std::fabs(p.fx), c});
    }
  }
  // The double of a bracket a few doubles wide where |F| is least, 0 first:
  // the root's x, where the refining stopped a double or two away (F is 0
  // exactly at 1 in (x - 1)(x - 1 - 4e-16), beside its second root).
  Punto mejor_doble(Punto p, double inf, double sup) {
    if (p.fx == 0 || !(sup > inf) || ordinal(sup) - ordinal(inf) > MEJOR_DOBLE) return p;
    for (std::int64_t k = ordinal(inf); k <= ordinal(sup) && p.fx != 0; ++k) {
      const double t = de_ordinal(k), v = t == p.x ? p.fx : f(t);
      if (std::fabs(v) < std::fabs(p.fx)) p = {t, v};
    }
    return p;
  }

  // The kind of a zero refined to the bracket [inf, sup] in the sign change
  // [l, r]: simple where the judge proves F' away from 0 over the bracket
  // itself (one of two roots closer than the tolerance), else as
  // clase_impar tells.
  Clase clase_cambio(double x, double inf, double sup, double l, double fl, double r, double fr) {
    if (j_.pendiente && j_.pendiente(inf, sup) == 1) return Clase::simple;
    return clase_impar(x, l, fl, r, fr);
  }

  // F proven bounded on [l, r], so neither a pole nor a jump there.
  bool acotada(double l, double r) const { return j_.acotada && j_.acotada(l, r); }
  // F infinite on doubles at x, finite on the judge's balls: an overflow.
  bool desborda(double x) const { return acotada(x, x); }

  // Halves the sign change [inf, sup] by count of doubles, as the
  // bisection step does, down to two neighbours or a value of F that is 0
  // or not finite: at most 64 halvings from any bracket, where halving by
  // value takes a thousand from 1e300 to 1. Returns the last middle point
  // with F there, and leaves the last bracket in [inf, sup].
  Punto cierra_del_todo(double &inf, double &sup) {
    double a = inf, b = sup, fa = f(a);
    Punto p{a, fa};
    for (;;) {
      p.x = medio_ordinal(a, b);
      p.fx = f(p.x);
      if (p.x == a || p.x == b || p.fx == 0 || !std::isfinite(p.fx)) break;
      if (signo_opuesto(fa, p.fx)) {
        b = p.x;
      } else {
        a = p.x;
        fa = p.fx;
      }
    }
    inf = a;
    sup = b;
    return p;
  }

  auto g() {
    return [this](double x) { return f(x); };
  }

  // Sample i, not a zero, with no sign change on either side: a local
  // minimum of |F| close to 0 is probed; a local maximum far above the
  // scale in a stretch sampled to the floor is a pole.
  void extremo(std::size_t i) {
    const std::size_t n = m_.size();
    const double fi = std::fabs(m_[i].f);
    const bool con_izq = i > 0, con_der = i + 1 < n;
    if (con_izq && !mismo_signo(m_[i - 1].f, m_[i].f)) return;
    if (con_der && !mismo_signo(m_[i + 1].f, m_[i].f)) return;
    const double fizq = con_izq ? std::fabs(m_[i - 1].f) : HUGE_VAL;
    const double fder = con_der ? std::fabs(m_[i + 1].f) : HUGE_VAL;
    if (fi < fizq && fi <= fder && (con_izq || con_der)) {
      sondea(i);
    } else if (m_[i].suelo && con_izq && con_der && fi >= fizq && fi > fder &&
               fi > POLO * escala(i) && !acotada(m_[i - 1].x, m_[i + 1].x)) {
      r_.singulares.push_back({m_[i].x, fi, Clase::polo});
    }
  }

  void sondea(std::size_t i);
  template <typename G> Minimo esquina(G &g, Minimo q, double u, double v);
};

// Where g has a corner at its minimum (|x - c|, |sin x|), the minimiser
// stops about sqrt(eps) |x| away from it. The lines through two points on
// either side of q meet at the corner: a few such steps, then the doubles
// next to the best point, land on it, and on its zero when it has one.
template <typename Fn, typename DFn>
template <typename G>
Minimo Explorador<Fn, DFn>::esquina(G &g, Minimo q, double u, double v) {
  // Each side's two points at hi and 2 hi, hd and 2 hd from q, within [u, v].
  double hi = std::fmin(std::sqrt(DBL_EPSILON) * std::fabs(q.x) + DBL_MIN, (q.x - u) / 2);
  double hd = std::fmin(std::sqrt(DBL_EPSILON) * std::fabs(q.x) + DBL_MIN, (v - q.x) / 2);
  for (int paso = 0; paso < ESQUINA && q.gx > 0; ++paso) {
    const double x0 = std::fmax(u, q.x - 2 * hi), x1 = std::fmax(u, q.x - hi);
    const double x2 = std::fmin(v, q.x + hd), x3 = std::fmin(v, q.x + 2 * hd);
    if (!(x0 < x1 && x1 < x2 && x2 < x3)) break;
    const double g0 = g(x0), g1 = g(x1), g2 = g(x2), g3 = g(x3);
    const double izquierda = (g1 - g0) / (x1 - x0), derecha = (g3 - g2) / (x3 - x2);
    if (!(izquierda < 0 && derecha > 0)) { // the corner lies further out on that side
      if (!(izquierda < 0)) hi = std::fmin(4 * hi, (q.x - u) / 2);
      if (!(derecha > 0)) hd = std::fmin(4 * hd, (v - q.x) / 2);
      continue;
    }
    // g1 + izquierda d = g2 + derecha (d - (x2 - x1)), d from x1.
    const double x = x1 + (g2 - g1 - derecha * (x2 - x1)) / (izquierda - derecha);
    if (!(x > x0 && x < x3)) break;
    const double gx = g(x);
    if (!(gx < q.gx)) break;
    hi = hd = std::fmax(std::fabs(x - q.x), 4 * DBL_EPSILON * std::fabs(x) + DBL_MIN);
    q = {x, gx};
  }
  for (const double x : {std::nextafter(q.x, u), std::nextafter(q.x, v)}) {
    if (q.gx <= 0) break;
    const double gx = g(x);
    if (x >= u && x <= v && gx < q.gx) q = {x, gx};
  }
  return q;
}

template <typename Fn, typename DFn> void Explorador<Fn, DFn>::sondea(std::size_t i) {
  const std::size_t n = m_.size();
  const Muestra &p = m_[i];
  const Muestra &l = m_[i > 0 ? i - 1 : i], &r = m_[i + 1 < n ? i + 1 : i];
  const double s = escala(i), casi = CASI * mediana_;
  const double estimado = std::fmin(std::fabs(p.f), minimo_parabola(l.x, l.f, p.x, p.f, r.x, r.f));
  if (estimado > std::fmax(SONDEO * s, 10 * casi)) return;
  const double signo = p.f > 0 ? 1 : -1;
  auto gs = [this, signo](double x) { return signo * f(x); };
  Minimo q = minimiza(gs, l.x, r.x, p.x, signo * p.f);
  if (q.gx > CERO * s) q = esquina(gs, q, l.x, r.x);
  if (q.gx < 0) { // F crossed 0: two sign changes, two roots close together
    refina(l.x, l.f, q.x, signo * q.gx);
    refina(q.x, signo * q.gx, r.x, r.f);
    return;
  }
  if (q.gx == 0 || q.gx <= CERO * s) {
    if ((i == 0 || i + 1 == n) && q.x == p.x) { // at a or b
      const Muestra &v = i == 0 ? r : l;
      r_.raices.push_back({q.x, q.gx, clase_en_extremo(p.x, v.x, v.f)});
    } else {
      raiz_par(q.x, q.gx, l, r);
    }
  } else if (q.gx <= casi) {
    r_.casi.push_back({q.x, q.gx, Clase::casi});
  }
}

} // namespace detalle

// Every root of F in [a, b] (a <= b, both finite), each refined until its
// bracket is narrower than tol max(1, |x|), with F' from dF; at most
// presupuesto calls of F.
template <typename Fn, typename DFn>
Respuesta todas_las_raices(Fn &&F, DFn &&dF, double a, double b, double tol,
                           long presupuesto = PRESUPUESTO, const Jueces &jueces = {}) {
  detalle::Explorador<std::remove_reference_t<Fn>, std::remove_reference_t<DFn>> e(
      F, &dF, tol, presupuesto, jueces);
  return e.explora(a, b);
}

// The same with F' from a difference quotient of F (its calls counted).
template <typename Fn>
Respuesta todas_las_raices(Fn &&F, double a, double b, double tol, long presupuesto = PRESUPUESTO,
                           const Jueces &jueces = {}) {
  using Sin = double (*)(double);
  detalle::Explorador<std::remove_reference_t<Fn>, Sin> e(F, nullptr, tol, presupuesto, jueces);
  return e.explora(a, b);
}

} // namespace raices

#endif
