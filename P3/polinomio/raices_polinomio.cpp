// Every real root of a polynomial in [a, b], exactly. The primitive integer
// numerator is split into squarefree factors (each root's multiplicity is
// its factor's exponent), each of those into irreducible factors: a linear
// one is a rational root, exact; the real roots of any other are isolated
// within [a, b] by Descartes' rule of signs on halvings and refined by
// halving on exact signs, so that each enclosure holds exactly one root. Being irreducible of
// degree 2 or more, such a factor is never 0 at a rational point: its sign at a, b and at every cut
// is never 0, and a root at an end of [a, b] is a rational one, found exactly.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include <memory>

#include <arf.h>
#include <flint/fmpz_poly_factor.h>
#include <flint/nmod_poly.h>
#include <flint/ulong_extras.h>

#include "P3/polinomio/polinomio_interno.h"

namespace raices {

namespace {

// The double below (abajo) or above q, or nearest to it.
double a_doble(const fmpq_t q, arf_rnd_t redondeo) {
  arf_t r;
  arf_init(r);
  arf_set_fmpq(r, q, 53, redondeo);
  const double d = arf_get_d(r, redondeo);
  arf_clear(r);
  return d;
}

// The ends a and b and the tolerance of one search.
struct Intervalo {
  Racional a, b;
  double tol;
};

// A root as the doubles tell it: its enclosure [l, u] (rationals), the
// doubles around it, and whether it is narrow enough.
RaizExacta raiz(const fmpq_t l, const fmpq_t u, int m) {
  Racional medio;
  fmpq_add(medio.v, l, u);
  fmpq_div_2exp(medio.v, medio.v, 1);
  RaizExacta r{
      a_doble(medio.v, ARF_RND_NEAR), a_doble(l, ARF_RND_FLOOR), a_doble(u, ARF_RND_CEIL), m, {}};
  r.x = std::clamp(r.x, r.inf, r.sup);
  return r;
}

bool estrecha(const RaizExacta &r, double tol) {
  return r.sup - r.inf <= tol * std::fmax(1.0, std::fabs(r.x)) ||
         std::nextafter(r.inf, HUGE_VAL) >= r.sup;
}

int signo(const fmpz_poly_t g, const fmpq_t q) {
  Racional v;
  fmpz_poly_evaluate_fmpq(v.v, g, q);
  return fmpq_sgn(v.v);
}

// The root -c0/c1 of the linear factor g, when it lies in [a, b].
void raiz_racional(std::vector<RaizExacta> &lista, const fmpz_poly_t g, int m, const Intervalo &i) {
  Racional r;
  fmpz_neg(fmpq_numref(r.v), fmpz_poly_get_coeff_ptr(g, 0));
  fmpz_set(fmpq_denref(r.v), fmpz_poly_get_coeff_ptr(g, 1));
  fmpq_canonicalise(r.v);
  if (fmpq_cmp(r.v, i.a.v) < 0 || fmpq_cmp(r.v, i.b.v) > 0) return;
  RaizExacta raiz_exacta = raiz(r.v, r.v, m);
  char *texto = fmpq_get_str(nullptr, 10, r.v);
  raiz_exacta.fraccion = texto;
  flint_free(texto);
  lista.push_back(raiz_exacta);
}

// The root of g in [l, u] (signs sl and -sl at its ends), cut to [a, b]
// and refined; false when it lies outside [a, b].
bool recorta(const fmpz_poly_t g, Racional &l, Racional &u, const Intervalo &i) {
  const int sl = signo(g, l.v);
  if (fmpq_cmp(u.v, i.a.v) < 0 || fmpq_cmp(l.v, i.b.v) > 0) return false;
  if (fmpq_cmp(l.v, i.a.v) < 0) {
    if (signo(g, i.a.v) != sl) return false; // the root is left of a
    l = i.a;
  }
  if (fmpq_cmp(u.v, i.b.v) > 0) {
    if (signo(g, i.b.v) == sl) return false; // the root is right of b
    u = i.b;
  }
  return true;
}

// Halves [l, u] (g of sign sl at l, of the other sign at u) until the
// root it holds satisfies hecho.
template <class Hecho>
void halva(const fmpz_poly_t g, Racional &l, Racional &u, int sl, Hecho hecho) {
  Racional medio;
  while (!hecho(raiz(l.v, u.v, 0))) {
    fmpq_add(medio.v, l.v, u.v);
    fmpq_div_2exp(medio.v, medio.v, 1);
    (signo(g, medio.v) == sl ? l : u) = medio;
  }
}

// The enclosure of the root of g in [l, u] refined to the tolerance, and
// its x the double nearest the root: refined on to neighbouring doubles,
// then the side of their middle.
void refina(std::vector<RaizExacta> &lista, const fmpz_poly_t g, Racional l, Racional u, int m,
            const Intervalo &i) {
  if (!recorta(g, l, u, i)) return;
  const int sl = signo(g, l.v);
  halva(g, l, u, sl, [&i](const RaizExacta &r) { return estrecha(r, i.tol); });
  RaizExacta r = raiz(l.v, u.v, m);
  halva(g, l, u, sl, [](const RaizExacta &z) { return estrecha(z, 0); });
  const RaizExacta dobles = raiz(l.v, u.v, m);
  Racional medio, abajo;
  racional_de(medio.v, dobles.inf);
  racional_de(abajo.v, dobles.sup);
  fmpq_add(medio.v, medio.v, abajo.v);
  fmpq_div_2exp(medio.v, medio.v, 1);
  const int s = signo(g, medio.v);
  r.x = s == 0 ? dobles.x : s == sl ? dobles.sup : dobles.inf;
  r.x = std::clamp(r.x, r.inf, r.sup);
  lista.push_back(r);
}

// p(t + 1) in place of p(t).
void desplaza(fmpz_poly_t p) {
  fmpz_t uno;
  fmpz_init_set_ui(uno, 1);
  fmpz_poly_taylor_shift(p, p, uno);
  fmpz_clear(uno);
}

// Sign changes in the coefficients of p.
long variaciones(const fmpz_poly_t p) {
  long v = 0;
  int antes = 0;
  for (long k = 0; k < fmpz_poly_length(p); ++k) {
    const int s = fmpz_sgn(fmpz_poly_get_coeff_ptr(p, k));
    if (s != 0 && antes != 0 && s != antes) ++v;
    if (s != 0) antes = s;
  }
  return v;
}

// Descartes' bound on the roots in (0, 1) of p: the sign changes of
// (1 + t)^n p(1 / (1 + t)). Exact when it is 0 or 1.
long cota_descartes(const fmpz_poly_t p) {
  PolinomioZ q;
  fmpz_poly_reverse(q.p, p, fmpz_poly_degree(p) + 1);
  desplaza(q.p);
  return variaciones(q.p);
}

// 2^n p(t / 2): p on the left half of (0, 1), stretched to all of it.
void mitad_izquierda(fmpz_poly_t q, const fmpz_poly_t p) {
  const long n = fmpz_poly_degree(p);
  fmpz_poly_set(q, p);
  for (long k = 0; k <= n; ++k) {
    fmpz *c = q->coeffs + k;
    fmpz_mul_2exp(c, c, static_cast<unsigned long>(n - k));
  }
}

// A bound 2^k on the absolute value of every root of g, k >= 1: Cauchy's,
// 1 + max |g_i / g_n| < 1 + 2^t with t = bits(max |g_i|) - bits(g_n) + 1,
// which is at most 2^(t + 1), and below 2 when t < 0.
long exponente_cota(const fmpz_poly_t g) {
  const long n = fmpz_poly_degree(g);
  long mayor = 0;
  for (long k = 0; k < n; ++k)
    mayor = std::max(mayor, static_cast<long>(fmpz_bits(fmpz_poly_get_coeff_ptr(g, k))));
  return mayor - static_cast<long>(fmpz_bits(fmpz_poly_get_coeff_ptr(g, n))) + 2;
}

// The real roots in [a, b] of g, squarefree, of degree 2 or more and with
// no rational root: Descartes' rule of signs on halvings of [a, b] (cut to Cauchy's
// bound) until each piece holds no root or exactly one.
void raices_irracionales(std::vector<RaizExacta> &lista, const fmpz_poly_t g, int m,
                         const Intervalo &i) {
  Racional a = i.a, b = i.b, cota;
  fmpz_one(fmpq_numref(cota.v));
  fmpz_one(fmpq_denref(cota.v));
  fmpq_mul_2exp(cota.v, cota.v, static_cast<unsigned long>(std::max(1L, exponente_cota(g))));
  if (fmpq_cmp(b.v, cota.v) > 0) b = cota;
  fmpq_neg(cota.v, cota.v);
  if (fmpq_cmp(a.v, cota.v) < 0) a = cota;
  if (fmpq_cmp(a.v, b.v) >= 0) return;
  // g(a + (b - a) t), its denominators cleared.
  PolinomioQ gq, lineal;
  fmpq_poly_set_fmpz_poly(gq.p, g);
  Racional ancho;
  fmpq_sub(ancho.v, b.v, a.v);
  fmpq_poly_set_coeff_fmpq(lineal.p, 0, a.v);
  fmpq_poly_set_coeff_fmpq(lineal.p, 1, ancho.v);
  fmpq_poly_compose(gq.p, gq.p, lineal.p);
  struct Pieza {
    std::unique_ptr<PolinomioZ> p;
    Racional l, u;
  };
  std::vector<Pieza> pendientes;
  pendientes.push_back({std::make_unique<PolinomioZ>(), a, b});
  fmpq_poly_get_numerator(pendientes.back().p->p, gq.p);
  while (!pendientes.empty()) {
    Pieza pieza = std::move(pendientes.back());
    pendientes.pop_back();
    const long v = cota_descartes(pieza.p->p);
    if (v == 1) refina(lista, g, pieza.l, pieza.u, m, i);
    if (v <= 1) continue;
    Racional medio;
    fmpq_add(medio.v, pieza.l.v, pieza.u.v);
    fmpq_div_2exp(medio.v, medio.v, 1);
    Pieza derecha{std::make_unique<PolinomioZ>(), medio, pieza.u};
    mitad_izquierda(derecha.p->p, pieza.p->p);
    Pieza izquierda{std::move(pieza.p), pieza.l, medio};
    fmpz_poly_set(izquierda.p->p, derecha.p->p);
    desplaza(derecha.p->p);
    pendientes.push_back(std::move(derecha));
    pendientes.push_back(std::move(izquierda));
  }
}

// Whether g certainly has no rational root: modulo some prime p that does
// not divide its leading coefficient it has no root (a rational root r / s
// would give one, s being invertible). Tells most polynomials without a
// rational root in far less than their factorisation takes.
bool sin_raiz_racional(const fmpz_poly_t g) {
  constexpr int PRIMOS = 8;
  unsigned long p = 1UL << 20;
  for (int k = 0; k < PRIMOS; ++k) {
    p = n_nextprime(p, 1);
    nmod_poly_t gp, h, x;
    nmod_poly_init(gp, p);
    nmod_poly_init(h, p);
    nmod_poly_init(x, p);
    fmpz_poly_get_nmod_poly(gp, g);
    bool ninguna = false;
    if (nmod_poly_degree(gp) == fmpz_poly_degree(g)) {
      // gcd(x^p - x, g mod p): the roots of g in the integers modulo p.
      nmod_poly_set_coeff_ui(x, 1, 1);
      nmod_poly_powmod_ui_binexp(h, x, p, gp);
      nmod_poly_sub(h, h, x);
      nmod_poly_gcd(h, h, gp);
      ninguna = nmod_poly_degree(h) == 0;
    }
    nmod_poly_clear(gp);
    nmod_poly_clear(h);
    nmod_poly_clear(x);
    if (ninguna) return true;
  }
  return false;
}

// The roots in [a, b] of the squarefree factor g, of multiplicity m.
void raices_factor(std::vector<RaizExacta> &lista, const fmpz_poly_t g, int m, const Intervalo &i) {
  if (fmpz_poly_degree(g) > 1 && sin_raiz_racional(g)) {
    raices_irracionales(lista, g, m, i);
    return;
  }
  fmpz_poly_factor_t irreducibles;
  fmpz_poly_factor_init(irreducibles);
  fmpz_poly_factor(irreducibles, g);
  for (long k = 0; k < irreducibles->num; ++k) {
    const fmpz_poly_struct *h = irreducibles->p + k;
    if (fmpz_poly_degree(h) == 1)
      raiz_racional(lista, h, m, i);
    else
      raices_irracionales(lista, h, m, i);
  }
  fmpz_poly_factor_clear(irreducibles);
}

std::vector<RaizExacta> busca(const fmpq_poly_t f, const Intervalo &i) {
  std::vector<RaizExacta> lista;
  if (fmpq_poly_degree(f) < 1 || fmpq_cmp(i.a.v, i.b.v) > 0) return lista;
  PolinomioZ numerador;
  fmpq_poly_get_numerator(numerador.p, f);
  fmpz_poly_primitive_part(numerador.p, numerador.p);
  fmpz_poly_factor_t libres;
  fmpz_poly_factor_init(libres);
  fmpz_poly_factor_squarefree(libres, numerador.p);
  for (long k = 0; k < libres->num; ++k)
    if (fmpz_poly_degree(libres->p + k) > 0)
      raices_factor(lista, libres->p + k, static_cast<int>(libres->exp[k]), i);
  fmpz_poly_factor_clear(libres);
  std::sort(lista.begin(), lista.end(), [](const RaizExacta &p, const RaizExacta &q) {
    return p.x < q.x || (p.x == q.x && p.inf < q.inf);
  });
  return lista;
}

// An end as typed, exactly, or the double it reads as.
void extremo(fmpq_t q, const std::string &texto, double doble) {
  if (lee_racional(q, texto) && a_doble(q, ARF_RND_NEAR) == doble) return;
  racional_de(q, std::isfinite(doble) ? doble : std::copysign(DBL_MAX, doble));
}

} // namespace

std::vector<RaizExacta> Polinomio::raices(const std::string &a, const std::string &b,
                                          double tol) const {
  Intervalo i{{}, {}, tol};
  extremo(i.a.v, a, std::strtod(a.c_str(), nullptr));
  extremo(i.b.v, b, std::strtod(b.c_str(), nullptr));
  return busca(datos->f.p, i);
}

std::vector<RaizExacta> Polinomio::raices(double a, double b, double tol) const {
  Intervalo i{{}, {}, tol};
  extremo(i.a.v, "", a);
  extremo(i.b.v, "", b);
  return busca(datos->f.p, i);
}

} // namespace raices
