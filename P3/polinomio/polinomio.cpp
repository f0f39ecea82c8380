// The polynomial itself: built from exact coefficients, its size checked,
// and evaluated exactly.
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>

#include <arf.h>

#include "P3/polinomio/polinomio_interno.h"

namespace raices {

namespace {

// Decimal exponents past this would make numbers of more than BITS_MAXIMOS
// bits (10^30000 has 99,658).
constexpr long EXPONENTE_MAXIMO = 30000;

// Reads an integer of decimal digits; false when there is none.
bool lee_entero(fmpz_t z, const std::string &t) {
  if (t.empty()) return false;
  for (const char c : t)
    if (std::isdigit(static_cast<unsigned char>(c)) == 0) return false;
  return fmpz_set_str(z, t.c_str(), 10) == 0;
}

// Reads an optional sign: true when it is '-'.
bool signo(const std::string &t, std::size_t &i) {
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) return t[i++] == '-';
  return false;
}

bool lee_decimal(fmpq_t q, const std::string &t) {
  std::size_t i = 0;
  const bool negativo = signo(t, i);
  std::string cifras;
  long exponente = 0;
  bool alguna = false, punto = false;
  for (; i < t.size(); ++i) {
    const char c = t[i];
    if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
      cifras += c;
      alguna = true;
      if (punto) --exponente;
    } else if (c == '.' && !punto) {
      punto = true;
    } else {
      break;
    }
  }
  if (!alguna) return false;
  if (i < t.size()) {
    if (t[i] != 'e' && t[i] != 'E') return false;
    ++i;
    const bool menos = signo(t, i);
    const std::string e = t.substr(i);
    if (e.empty() || e.size() > 6 || e.find_first_not_of("0123456789") != std::string::npos)
      return false;
    const long v = std::strtol(e.c_str(), nullptr, 10);
    exponente += menos ? -v : v;
  }
  if (std::labs(exponente) > EXPONENTE_MAXIMO) return false;
  fmpz_t m, p;
  fmpz_init(m);
  fmpz_init(p);
  const bool bien = lee_entero(m, cifras);
  if (negativo) fmpz_neg(m, m);
  fmpz_ui_pow_ui(p, 10, static_cast<unsigned long>(std::labs(exponente)));
  if (exponente >= 0) {
    fmpz_mul(m, m, p);
    fmpq_set_fmpz(q, m);
  } else {
    fmpq_set_fmpz_frac(q, m, p);
  }
  fmpz_clear(m);
  fmpz_clear(p);
  return bien;
}

} // namespace

bool lee_racional(fmpq_t q, const std::string &texto) {
  const std::size_t barra = texto.find('/');
  if (barra == std::string::npos) return lee_decimal(q, texto);
  std::size_t i = 0;
  const std::string arriba = texto.substr(0, barra);
  const bool negativo = signo(arriba, i);
  fmpz_t n, d;
  fmpz_init(n);
  fmpz_init(d);
  const bool bien = arriba.size() - i < 31000 && lee_entero(n, arriba.substr(i)) &&
                    lee_entero(d, texto.substr(barra + 1)) && !fmpz_is_zero(d) &&
                    texto.size() - barra < 31000;
  if (bien) {
    if (negativo) fmpz_neg(n, n);
    fmpq_set_fmpz_frac(q, n, d);
  }
  fmpz_clear(n);
  fmpz_clear(d);
  return bien;
}

void racional_de(fmpq_t q, double x) {
  arf_t a;
  arf_init(a);
  arf_set_d(a, x);
  arf_get_fmpq(q, a);
  arf_clear(a);
}

long bits(const fmpq_poly_t p) {
  const long n = fmpq_poly_length(p);
  const long arriba = n == 0 ? 0 : std::labs(_fmpz_vec_max_bits(fmpq_poly_numref(p), n));
  return std::max(arriba, static_cast<long>(fmpz_bits(fmpq_poly_denref(p))));
}

void comprueba_tamano(long grado, long b) {
  if (grado > GRADO_MAXIMO)
    throw ErrorPolinomio{"el polinomio pasa del grado m\xE1ximo " + std::to_string(GRADO_MAXIMO) +
                         " (grado " + std::to_string(grado) + ")"};
  if (b > BITS_MAXIMOS)
    throw ErrorPolinomio{"los coeficientes del polinomio pasan de " + std::to_string(BITS_MAXIMOS) +
                         " bits"};
}

Polinomio::Polinomio(std::unique_ptr<Datos> d) : datos(std::move(d)) {}

Polinomio::Polinomio(const std::vector<std::string> &coeficientes)
    : datos(std::make_unique<Datos>()) {
  comprueba_tamano(static_cast<long>(coeficientes.size()) - 1, 0);
  Racional c;
  for (std::size_t i = 0; i < coeficientes.size(); ++i) {
    if (!lee_racional(c.v, coeficientes[i]))
      throw ErrorPolinomio{"coeficiente no v\xE1lido: '" + coeficientes[i] + "'"};
    fmpq_poly_set_coeff_fmpq(datos->f.p, static_cast<long>(i), c.v);
  }
  comprueba_tamano(grado(), bits(datos->f.p));
}

Polinomio::Polinomio(Polinomio &&otro) noexcept = default;
Polinomio &Polinomio::operator=(Polinomio &&otro) noexcept = default;
Polinomio::~Polinomio() = default;

bool Polinomio::nulo() const { return fmpq_poly_is_zero(datos->f.p) != 0; }

long Polinomio::grado() const { return fmpq_poly_degree(datos->f.p); }

double Polinomio::valor(double x) const {
  if (!std::isfinite(x)) return NAN;
  Racional q, v;
  racional_de(q.v, x);
  fmpq_poly_evaluate_fmpq(v.v, datos->f.p, q.v);
  arf_t r;
  arf_init(r);
  arf_set_fmpq(r, v.v, 53, ARF_RND_NEAR);
  const double d = arf_get_d(r, ARF_RND_NEAR);
  arf_clear(r);
  return d;
}

} // namespace raices
