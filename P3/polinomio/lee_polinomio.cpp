// A typed f read as a polynomial: its compiled program (the steps muParser
// runs on doubles) run once over exact polynomials with rational
// coefficients. Only the steps a polynomial is made of are taken; the size
// of every product and power is checked before it is multiplied out.
#include <cmath>
#include <optional>
#include <vector>

#include "P3/expresion/expresion.h"
#include "P3/expresion/expresion_interna.h"
#include "P3/polinomio/polinomio_interno.h"

namespace raices {

namespace {

// Bits of the integer n.
long bits_de(unsigned long n) {
  long b = 0;
  for (; n != 0; n >>= 1) ++b;
  return b;
}

// The number of a step, exactly: as typed, or the double it is.
bool numero(PolinomioQ &v, const Paso &paso) {
  Racional q;
  if (paso.literal.empty() || !lee_racional(q.v, paso.literal)) {
    if (!std::isfinite(paso.numero_)) return false;
    racional_de(q.v, paso.numero_);
  }
  fmpq_poly_set_fmpq(v.p, q.v);
  return true;
}

void producto(PolinomioQ &a, const PolinomioQ &b) {
  const long da = fmpq_poly_degree(a.p), db = fmpq_poly_degree(b.p);
  if (da >= 0 && db >= 0)
    comprueba_tamano(da + db, bits(a.p) + bits(b.p) + bits_de(std::min(da, db) + 1UL));
  fmpq_poly_mul(a.p, a.p, b.p);
}

// The constant value of v, when v is a constant.
bool constante(Racional &c, const PolinomioQ &v) {
  if (fmpq_poly_degree(v.p) > 0) return false;
  fmpq_poly_get_coeff_fmpq(c.v, v.p, 0);
  return true;
}

bool cociente(PolinomioQ &a, const PolinomioQ &b) {
  Racional c;
  if (!constante(c, b) || fmpq_is_zero(c.v)) return false;
  fmpq_poly_scalar_div_fmpq(a.p, a.p, c.v);
  return true;
}

bool potencia(PolinomioQ &a, const PolinomioQ &b) {
  Racional n, base;
  if (!constante(n, b) || !fmpz_is_one(fmpq_denref(n.v))) return false;
  // An integer power past any degree allowed (x^(2^70)).
  if (!fmpz_fits_si(fmpq_numref(n.v))) {
    if (fmpq_poly_degree(a.p) > 0 && fmpz_sgn(fmpq_numref(n.v)) > 0)
      throw ErrorPolinomio{"el polinomio pasa del grado m\xE1ximo " + std::to_string(GRADO_MAXIMO) +
                           " (un exponente de " + std::to_string(fmpz_bits(fmpq_numref(n.v))) +
                           " bits)"};
    return false;
  }
  const long e = fmpz_get_si(fmpq_numref(n.v));
  const bool es_constante = constante(base, a);
  if (es_constante && (fmpq_is_zero(base.v) || fmpq_is_one(base.v) || fmpq_is_pm1(base.v))) {
    if (e < 0 && fmpq_is_zero(base.v)) return false; // 0^-k is not defined
    const bool uno = e == 0 || !fmpq_is_zero(base.v);
    const bool menos = fmpq_sgn(base.v) < 0 && e % 2 != 0;
    fmpq_poly_set_si(a.p, uno ? (menos ? -1 : 1) : 0);
    return true;
  }
  if (e < 0 && !es_constante) return false;
  const unsigned long k =
      e < 0 ? static_cast<unsigned long>(-(e + 1)) + 1 : static_cast<unsigned long>(e);
  const long d = fmpq_poly_degree(a.p);
  // The size of a^k: degree d k, bits at most k (bits(a) + bits(d + 1)).
  const double estimado =
      static_cast<double>(k) *
      static_cast<double>(bits(a.p) + bits_de(static_cast<unsigned long>(d) + 1));
  comprueba_tamano(
      static_cast<long>(std::fmin(static_cast<double>(d) * static_cast<double>(k), 1e15)),
      static_cast<long>(std::fmin(estimado, 1e15)));
  if (es_constante) {
    fmpq_pow_si(base.v, base.v, e);
    fmpq_poly_set_fmpq(a.p, base.v);
  } else {
    fmpq_poly_pow(a.p, a.p, k);
  }
  return true;
}

// Applies a step of two operands to a (the left one) and b; false when the
// result is not a polynomial.
bool opera(Paso::Tipo t, PolinomioQ &a, const PolinomioQ &b) {
  switch (t) {
  case Paso::suma: fmpq_poly_add(a.p, a.p, b.p); break;
  case Paso::resta: fmpq_poly_sub(a.p, a.p, b.p); break;
  case Paso::producto: producto(a, b); break;
  case Paso::cociente: return cociente(a, b);
  case Paso::potencia: return potencia(a, b);
  default: return false;
  }
  comprueba_tamano(fmpq_poly_degree(a.p), bits(a.p));
  return true;
}

} // namespace

std::optional<Polinomio> polinomio_de(const ::Expresion &f) {
  std::vector<PolinomioQ> pila;
  for (const Paso &paso : LectorPrograma::de(f)) {
    switch (paso.tipo) {
    case Paso::variable:
      pila.emplace_back();
      fmpq_poly_set_coeff_si(pila.back().p, 1, 1);
      break;
    case Paso::numero:
      pila.emplace_back();
      if (!numero(pila.back(), paso)) return std::nullopt;
      comprueba_tamano(0, bits(pila.back().p));
      break;
    case Paso::opuesto:
      if (pila.empty()) return std::nullopt;
      fmpq_poly_neg(pila.back().p, pila.back().p);
      break;
    case Paso::suma:
    case Paso::resta:
    case Paso::producto:
    case Paso::cociente:
    case Paso::potencia: {
      if (pila.size() < 2) return std::nullopt;
      const PolinomioQ b = pila.back();
      pila.pop_back();
      if (!opera(paso.tipo, pila.back(), b)) return std::nullopt;
      break;
    }
    default: return std::nullopt; // pi, e, a function
    }
  }
  if (pila.size() != 1) return std::nullopt;
  auto d = std::make_unique<Polinomio::Datos>();
  d->f = pila.back();
  return Polinomio(std::move(d));
}

} // namespace raices
