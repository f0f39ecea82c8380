// Balls of Arb behind the operators and functions of the grammar. Each
// operation checks what Arb leaves to its caller: an undecided operand gives
// an undecided result (Arb would take 0 * [0 +/- inf] to be 0), and a
// function is applied only where it is defined on the whole ball.
#include "bola.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <arf.h>

namespace raices {

namespace {

// Bits of a bound taken from a ball, rounded outward: more than a double's,
// and never an exact sum of a midpoint and a radius whose exponents lie
// 10^300 apart.
constexpr slong bits_cota = 64;

// The lower or upper bound of a finite ball as a double, rounded outward.
double cota(const arb_t valor, bool superior) {
  arf_t u;
  arf_init(u);
  if (superior) {
    arb_get_ubound_arf(u, valor, bits_cota);
  } else {
    arb_get_lbound_arf(u, valor, bits_cota);
  }
  const double d = arf_get_d(u, superior ? ARF_RND_CEIL : ARF_RND_FLOOR);
  arf_clear(u);
  return d;
}

// Digits that texto() writes at most.
constexpr long digitos_tope = 10000;

} // namespace

Bola::Bola(double x, long precision)
    : precision_(std::clamp(precision, precision_minima, precision_tope)) {
  arb_init(valor_);
  arb_set_d(valor_, x); // NaN and infinities give a ball that is not finite
}

Bola Bola::suma_exacta(double a, double b, long precision) {
  Bola s(a, precision);
  if (!std::isfinite(a) || !std::isfinite(b)) return indefinida(precision);
  arf_t y;
  arf_init(y);
  arf_set_d(y, b);
  arf_add(arb_midref(s.valor_), arb_midref(s.valor_), y, ARF_PREC_EXACT, ARF_RND_DOWN);
  arf_clear(y);
  return s;
}

Bola Bola::entre(double lo, double hi, long precision) {
  if (!std::isfinite(lo) || !std::isfinite(hi) || !(lo <= hi)) return indefinida(precision);
  Bola b(0.0, precision);
  arf_t a, z;
  arf_init(a);
  arf_init(z);
  arf_set_d(a, lo);
  arf_set_d(z, hi);
  arb_set_interval_arf(b.valor_, a, z, b.precision_);
  arf_clear(a);
  arf_clear(z);
  // Its radius, rounded up, may reach past 0 where [lo, hi] does not.
  b.signo_ = static_cast<signed char>(lo > 0 ? 2 : lo == 0 ? 1 : hi < 0 ? -2 : hi == 0 ? -1 : 0);
  return b;
}

Bola Bola::decimal(const std::string &texto, long precision) {
  Bola b(0.0, precision);
  if (arb_set_str(b.valor_, texto.c_str(), b.precision_) != 0) return indefinida(precision);
  return b;
}

Bola Bola::pi(long precision) {
  Bola b(0.0, precision);
  arb_const_pi(b.valor_, b.precision_);
  return b;
}

Bola Bola::e(long precision) {
  Bola b(0.0, precision);
  arb_const_e(b.valor_, b.precision_);
  return b;
}

Bola Bola::indefinida(long precision) {
  Bola b(0.0, precision);
  arb_indeterminate(b.valor_);
  return b;
}

Bola::Bola(const Bola &otra) : precision_(otra.precision_), signo_(otra.signo_) {
  arb_init(valor_);
  arb_set(valor_, otra.valor_);
}

Bola::Bola(Bola &&otra) noexcept : precision_(otra.precision_), signo_(otra.signo_) {
  arb_init(valor_);
  arb_swap(valor_, otra.valor_);
}

Bola &Bola::operator=(const Bola &otra) {
  if (this != &otra) {
    arb_set(valor_, otra.valor_);
    precision_ = otra.precision_;
    signo_ = otra.signo_;
  }
  return *this;
}

Bola &Bola::operator=(Bola &&otra) noexcept {
  arb_swap(valor_, otra.valor_);
  precision_ = otra.precision_;
  signo_ = otra.signo_;
  return *this;
}

Bola::~Bola() { arb_clear(valor_); }

double Bola::inf() const {
  const double l = finita() ? cota(valor_, false) : -HUGE_VAL;
  return signo_ > 0 ? std::fmax(l, 0.0) : l;
}

double Bola::sup() const {
  const double u = finita() ? cota(valor_, true) : HUGE_VAL;
  return signo_ < 0 ? std::fmin(u, 0.0) : u;
}

double Bola::medio() const {
  if (!finita()) return NAN;
  return arf_get_d(arb_midref(valor_), ARF_RND_NEAR);
}

bool Bola::finita() const { return arb_is_finite(valor_) != 0; }
bool Bola::contiene_cero() const { return std::abs(signo()) != 2; }
bool Bola::positiva() const { return signo() == 2; }
bool Bola::negativa() const { return signo() == -2; }

int Bola::signo() const {
  int s = 0;
  if (finita()) {
    s = arb_is_positive(valor_) != 0      ? 2
        : arb_is_negative(valor_) != 0    ? -2
        : arb_is_nonnegative(valor_) != 0 ? 1
        : arb_is_nonpositive(valor_) != 0 ? -1
                                          : 0;
  }
  return std::abs(signo_) > std::abs(s) ? signo_ : s;
}
bool Bola::es_cero() const { return arb_is_zero(valor_) != 0; }
bool Bola::exacta() const { return arb_is_exact(valor_) != 0; }

std::string Bola::texto(long digitos, bool con_radio) const {
  if (!finita()) return "indefinida";
  const std::unique_ptr<char, void (*)(void *)> s(
      arb_get_str(valor_, std::clamp(digitos, 1L, digitos_tope), con_radio ? 0 : ARB_STR_NO_RADIUS),
      flint_free);
  return s.get();
}

namespace {

using Unaria = void (*)(arb_t, const arb_t, slong);
using Binaria = void (*)(arb_t, const arb_t, const arb_t, slong);

// x is defined at every point of its ball: finite, or of a proven sign.
bool definida(const Bola &x) { return x.finita() || x.signo() != 0; }

// op(x), or an undecided ball when x is.
Bola aplica(Unaria op, const Bola &x) {
  if (!x.finita()) return Bola::indefinida(x.precision());
  Bola r(0.0, x.precision());
  op(r.arb(), x.arb(), x.precision());
  return r;
}

Bola aplica(Binaria op, const Bola &x, const Bola &y) {
  const long p = std::max(x.precision(), y.precision());
  if (!x.finita() || !y.finita()) return Bola::indefinida(p);
  Bola r(0.0, p);
  op(r.arb(), x.arb(), y.arb(), p);
  return r;
}

// x >= cota at every point of x (its lower bound, rounded down).
bool al_menos(const Bola &x, long cota) {
  if (!x.finita()) return false;
  arf_t u;
  arf_init(u);
  arb_get_lbound_arf(u, x.arb(), bits_cota);
  const bool si = arf_cmp_si(u, cota) >= 0;
  arf_clear(u);
  return si;
}

// -1 <= x <= 1 at every point of x.
bool en_unidad(const Bola &x) { return al_menos(x, -1) && al_menos(-x, -1); }

// The square root of a ball with no negative point (it may touch 0).
void raiz_arb(arb_t r, const arb_t x, slong p) { arb_sqrtpos(r, x, p); }

void log10_arb(arb_t r, const arb_t x, slong p) { arb_log_base_ui(r, x, 10, p); }

// |x|; for a ball that holds 0, [m +/- m] with m a bound of |x|/2 (taken
// from the radius type, so that the midpoint holds it exactly): no negative
// point, so that sqrt(abs(x)) stays defined.
void abs_arb(arb_t r, const arb_t x, slong /*exact*/) {
  if (arb_contains_zero(x) == 0) {
    arb_abs(r, x);
    return;
  }
  arb_get_mag(arb_radref(r), x);
  mag_mul_2exp_si(arb_radref(r), arb_radref(r), -1);
  arf_set_mag(arb_midref(r), arb_radref(r));
}

// x^y for an even y > 0 and a ball x that holds 0: [0, |x|max^y], where
// Arb's products would give a ball reaching below 0.
Bola potencia_par(const Bola &x, const Bola &y) {
  const long p = std::max(x.precision(), y.precision());
  Bola cota(0.0, p);
  arb_get_abs_ubound_arf(arb_midref(cota.arb()), x.arb(), p);
  Bola r = aplica(arb_pow, cota, y);
  if (!r.finita()) return r;
  abs_arb(r.arb(), (r * Bola::entre(-1, 1, p)).arb(), p);
  return r;
}

// e^x. Arb gives [0 +/- r] for e^x with x far below 0 (e^-1e308), which
// holds 0, so that no sign of F could be told there, and nothing finite for
// x far above 0 (e^1e300). Then e^x = 2^n e^t,
// n = floor(x / log 2) and t = x - n log 2 in [0, log 2), computed with the
// bits that x's size takes: a positive ball wherever x is narrow enough
// for one to exist.
void exp_arb(arb_t r, const arb_t x, slong p) { // r and x distinct
  arb_exp(r, x, p);
  const fmpz *e = ARF_EXPREF(arb_midref(x)); // |x| < 2^e
  if ((arb_is_finite(r) != 0 && arb_contains_zero(r) == 0) || arb_is_finite(x) == 0 ||
      fmpz_cmp_si(e, 1 << 16) > 0)
    return;
  const slong q = p + std::max(slong{0}, fmpz_get_si(e)) + 64;
  arb_t t, u;
  fmpz_t n;
  arb_init(t);
  arb_init(u);
  fmpz_init(n);
  arb_const_log2(u, q);
  arb_div(t, x, u, q);
  arf_get_fmpz(n, arb_midref(t), ARF_RND_FLOOR);
  arb_mul_fmpz(u, u, n, q);
  arb_sub(t, x, u, q);
  arb_exp(t, t, p);
  arb_mul_2exp_fmpz(t, t, n);
  if (arb_is_finite(t) != 0 && arb_contains_zero(t) == 0) arb_swap(r, t);
  fmpz_clear(n);
  arb_clear(u);
  arb_clear(t);
}

// (e^x + s e^-x) / 2 by exp_arb: cosh (s = 1) and sinh (s = -1) where
// Arb's own come out not finite (cosh over [-1e308, -9.9e307]).
void semisuma_exp(arb_t r, const arb_t x, slong p, int s) {
  arb_t m, n;
  arb_init(m);
  arb_init(n);
  arb_neg(n, x);
  exp_arb(m, n, p); // exp_arb takes no aliased arguments
  exp_arb(r, x, p);
  if (s > 0) {
    arb_add(r, r, m, p);
  } else {
    arb_sub(r, r, m, p);
  }
  arb_mul_2exp_si(r, r, -1);
  arb_clear(n);
  arb_clear(m);
}
void cosh_arb(arb_t r, const arb_t x, slong p) {
  arb_cosh(r, x, p);
  if (arb_is_finite(r) == 0) semisuma_exp(r, x, p, 1);
}
void sinh_arb(arb_t r, const arb_t x, slong p) {
  arb_sinh(r, x, p);
  if (arb_is_finite(r) == 0) semisuma_exp(r, x, p, -1);
}

} // namespace

namespace {

// The sign proven of a sum from its terms' (see Bola::signo).
int signo_suma(int x, int y) {
  if (x > 0 && y > 0) return std::max(x, y);
  if (x < 0 && y < 0) return std::min(x, y);
  return 0;
}
// ... of a product, or of a quotient by y (y < 0 or y > 0).
int signo_producto(int x, int y) {
  if (x == 0 || y == 0) return 0;
  const int fuerza = std::abs(x) == 2 && std::abs(y) == 2 ? 2 : 1;
  return (x > 0) == (y > 0) ? fuerza : -fuerza;
}

Bola con_signo(Bola r, int s) {
  r.fija_signo(s);
  return r;
}

} // namespace

Bola operator-(const Bola &x) { return con_signo(aplica(arb_neg_round, x), -x.signo()); }
Bola operator+(const Bola &x) { return x; }
Bola operator+(const Bola &x, const Bola &y) {
  return con_signo(aplica(arb_add, x, y), signo_suma(x.signo(), y.signo()));
}
Bola operator-(const Bola &x, const Bola &y) {
  return con_signo(aplica(arb_sub, x, y), signo_suma(x.signo(), -y.signo()));
}
Bola operator*(const Bola &x, const Bola &y) {
  return con_signo(aplica(arb_mul, x, y), signo_producto(x.signo(), y.signo()));
}
Bola operator/(const Bola &x, const Bola &y) {
  const int s = std::abs(y.signo()) == 2 ? signo_producto(x.signo(), y.signo()) : 0;
  if (!y.finita() || arb_contains_zero(y.arb()) != 0)
    return con_signo(Bola::indefinida(std::max(x.precision(), y.precision())), s);
  return con_signo(aplica(arb_div, x, y), s);
}
Bola operator+(const Bola &x, double y) { return x + Bola(y, x.precision()); }
Bola operator-(const Bola &x, double y) { return x - Bola(y, x.precision()); }
Bola operator*(const Bola &x, double y) { return x * Bola(y, x.precision()); }
Bola operator/(const Bola &x, double y) { return x / Bola(y, x.precision()); }
Bola operator+(double x, const Bola &y) { return Bola(x, y.precision()) + y; }
Bola operator-(double x, const Bola &y) { return Bola(x, y.precision()) - y; }
Bola operator*(double x, const Bola &y) { return Bola(x, y.precision()) * y; }
Bola operator/(double x, const Bola &y) { return Bola(x, y.precision()) / y; }

Bola sin(const Bola &x) { return aplica(arb_sin, x); }
Bola cos(const Bola &x) { return aplica(arb_cos, x); }
// Arb bounds tan through sin/cos, and a ball that reaches a pole comes out
// not finite.
Bola tan(const Bola &x) { return aplica(arb_tan, x); }
Bola asin(const Bola &x) {
  return en_unidad(x) ? aplica(arb_asin, x) : Bola::indefinida(x.precision());
}
Bola acos(const Bola &x) {
  return en_unidad(x) ? aplica(arb_acos, x) : Bola::indefinida(x.precision());
}
Bola atan(const Bola &x) { return aplica(arb_atan, x); }
Bola sinh(const Bola &x) { return aplica(sinh_arb, x); }
// cosh x >= 1 and e^x > 0 wherever x is defined.
Bola cosh(const Bola &x) { return con_signo(aplica(cosh_arb, x), definida(x) ? 2 : 0); }
Bola tanh(const Bola &x) { return aplica(arb_tanh, x); }
Bola exp(const Bola &x) { return con_signo(aplica(exp_arb, x), definida(x) ? 2 : 0); }
Bola log(const Bola &x) {
  return x.positiva() ? aplica(arb_log, x) : Bola::indefinida(x.precision());
}
Bola log10(const Bola &x) {
  return x.positiva() ? aplica(log10_arb, x) : Bola::indefinida(x.precision());
}
// sqrt is defined at 0 itself: a ball that only touches 0 from above is fine.
Bola sqrt(const Bola &x) {
  const bool definida = al_menos(x, 0) || (x.finita() && x.signo() > 0);
  return definida ? con_signo(aplica(raiz_arb, x), 1) : Bola::indefinida(x.precision());
}
Bola abs(const Bola &x) { return aplica(abs_arb, x); }
Bola fabs(const Bola &x) { return abs(x); }

// Arb takes an exact integer exponent by repeated squaring (any sign of x),
// an exact half-integer through sqrt, and anything else as exp(y log x); a
// ball of x that is not positive there gives an undecided result. 0 to a
// negative power is a pole.
Bola pow(const Bola &x, const Bola &y) {
  const long p = std::max(x.precision(), y.precision());
  if (!x.finita() || !y.finita()) return Bola::indefinida(p);
  const bool entero = arb_is_int(y.arb()) != 0;
  if (!entero && !al_menos(x, 0)) return Bola::indefinida(p);
  const bool cero = arb_is_zero(y.arb()) != 0; // x^0 is 1 for every x
  if (x.contiene_cero() && !cero && !y.positiva()) return Bola::indefinida(p);
  if (x.contiene_cero() && arb_is_int_2exp_si(y.arb(), 1) != 0 && y.positiva())
    return potencia_par(x, y);
  return aplica(arb_pow, x, y);
}
Bola pow(const Bola &x, double y) { return pow(x, Bola(y, x.precision())); }
Bola pow(double x, const Bola &y) { return pow(Bola(x, y.precision()), y); }

} // namespace raices
