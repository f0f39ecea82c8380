// Series arithmetic of Arb, truncated at the order of the operands. Arb
// answers a series it cannot bound (log of a ball holding 0, a division by
// a series whose constant term holds 0) with undecided coefficients; the
// cases where its answer would hold a value but F is not analytic (sqrt
// and abs at a ball holding 0, a negative base to a power that is not an
// integer) are made undecided here.
#include "taylor.h"

#include <algorithm>
#include <utility>

namespace raices {

namespace {

long precision(const Taylor &x, const Taylor &y) { return std::max(x.precision(), y.precision()); }
int orden(const Taylor &x, const Taylor &y) { return std::min(x.orden(), y.orden()); }
slong largo(int orden) { return orden + 1; }

// r = op(x) for a series function of Arb.
Taylor serie(void (*op)(arb_poly_t, const arb_poly_t, slong, slong), const Taylor &x) {
  Taylor r(0.0, x.orden(), x.precision());
  op(r.poly(), x.poly(), largo(x.orden()), x.precision());
  return r;
}

Taylor constante(double c, const Taylor &como) {
  return Taylor(Bola(c, como.precision()), como.orden());
}

// The constant term: F at the expansion point (or over the ball).
Bola valor(const Taylor &x) { return x.coeficiente(0); }

} // namespace

Taylor::Taylor(double c, int orden, long precision)
    : orden_(std::max(orden, 0)),
      precision_(std::clamp(precision, Bola::precision_minima, Bola::precision_tope)) {
  arb_poly_init(p_);
  Bola b(c, precision_);
  arb_poly_set_coeff_arb(p_, 0, b.arb());
}
Taylor::Taylor(const Bola &c, int orden) : Taylor(0.0, orden, c.precision()) {
  arb_poly_set_coeff_arb(p_, 0, c.arb());
}
Taylor Taylor::variable(const Bola &x0, int orden) {
  Taylor t(x0, orden);
  if (orden >= 1) arb_poly_set_coeff_si(t.p_, 1, 1);
  return t;
}
Taylor Taylor::indefinida(int orden, long precision) {
  Taylor t(0.0, orden, precision);
  for (int i = 0; i <= t.orden_; ++i)
    arb_poly_set_coeff_arb(t.p_, i, Bola::indefinida(precision).arb());
  return t;
}

Taylor::Taylor(const Taylor &otro) : orden_(otro.orden_), precision_(otro.precision_) {
  arb_poly_init(p_);
  arb_poly_set(p_, otro.p_);
}
Taylor::Taylor(Taylor &&otro) noexcept : orden_(otro.orden_), precision_(otro.precision_) {
  arb_poly_init(p_);
  arb_poly_swap(p_, otro.p_);
}
Taylor &Taylor::operator=(const Taylor &otro) {
  if (this != &otro) {
    arb_poly_set(p_, otro.p_);
    orden_ = otro.orden_;
    precision_ = otro.precision_;
  }
  return *this;
}
Taylor &Taylor::operator=(Taylor &&otro) noexcept {
  arb_poly_swap(p_, otro.p_);
  std::swap(orden_, otro.orden_);
  std::swap(precision_, otro.precision_);
  return *this;
}
Taylor::~Taylor() { arb_poly_clear(p_); }

Bola Taylor::coeficiente(int i) const {
  Bola c(0.0, precision_);
  arb_poly_get_coeff_arb(c.arb(), p_, i);
  return c;
}

bool Taylor::finita() const {
  for (int i = 0; i <= orden_; ++i)
    if (!coeficiente(i).finita()) return false;
  return true;
}

Taylor operator-(const Taylor &x) {
  Taylor r(x);
  arb_poly_neg(r.poly(), x.poly());
  return r;
}
Taylor operator+(const Taylor &x) { return x; }
Taylor operator+(const Taylor &x, const Taylor &y) {
  Taylor r(0.0, orden(x, y), precision(x, y));
  arb_poly_add_series(r.poly(), x.poly(), y.poly(), largo(r.orden()), r.precision());
  return r;
}
Taylor operator-(const Taylor &x, const Taylor &y) {
  Taylor r(0.0, orden(x, y), precision(x, y));
  arb_poly_sub_series(r.poly(), x.poly(), y.poly(), largo(r.orden()), r.precision());
  return r;
}
Taylor operator*(const Taylor &x, const Taylor &y) {
  Taylor r(0.0, orden(x, y), precision(x, y));
  arb_poly_mullow(r.poly(), x.poly(), y.poly(), largo(r.orden()), r.precision());
  return r;
}
Taylor operator/(const Taylor &x, const Taylor &y) {
  Taylor r(0.0, orden(x, y), precision(x, y));
  if (valor(y).contiene_cero() || !valor(y).finita())
    return Taylor::indefinida(r.orden(), r.precision());
  arb_poly_div_series(r.poly(), x.poly(), y.poly(), largo(r.orden()), r.precision());
  return r;
}
Taylor operator+(const Taylor &x, double y) { return x + constante(y, x); }
Taylor operator-(const Taylor &x, double y) { return x - constante(y, x); }
Taylor operator*(const Taylor &x, double y) { return x * constante(y, x); }
Taylor operator/(const Taylor &x, double y) { return x / constante(y, x); }
Taylor operator+(double x, const Taylor &y) { return constante(x, y) + y; }
Taylor operator-(double x, const Taylor &y) { return constante(x, y) - y; }
Taylor operator*(double x, const Taylor &y) { return constante(x, y) * y; }
Taylor operator/(double x, const Taylor &y) { return constante(x, y) / y; }

Taylor sin(const Taylor &x) { return serie(arb_poly_sin_series, x); }
Taylor cos(const Taylor &x) { return serie(arb_poly_cos_series, x); }
Taylor tan(const Taylor &x) {
  if (!tan(valor(x)).finita()) return Taylor::indefinida(x.orden(), x.precision());
  return serie(arb_poly_tan_series, x);
}
Taylor asin(const Taylor &x) {
  if (!(1.0 - abs(valor(x))).positiva()) return Taylor::indefinida(x.orden(), x.precision());
  return serie(arb_poly_asin_series, x);
}
Taylor acos(const Taylor &x) {
  if (!(1.0 - abs(valor(x))).positiva()) return Taylor::indefinida(x.orden(), x.precision());
  return serie(arb_poly_acos_series, x);
}
Taylor atan(const Taylor &x) { return serie(arb_poly_atan_series, x); }
Taylor sinh(const Taylor &x) { return serie(arb_poly_sinh_series, x); }
Taylor cosh(const Taylor &x) { return serie(arb_poly_cosh_series, x); }
// tanh = 1 - 2 / (exp(2x) + 1): the denominator's constant term is above 1.
Taylor tanh(const Taylor &x) { return 1.0 - 2.0 / (exp(2.0 * x) + 1.0); }
Taylor exp(const Taylor &x) { return serie(arb_poly_exp_series, x); }
Taylor log(const Taylor &x) {
  if (!valor(x).positiva()) return Taylor::indefinida(x.orden(), x.precision());
  return serie(arb_poly_log_series, x);
}
Taylor log10(const Taylor &x) { return log(x) / Taylor(log(Bola(10.0, x.precision())), x.orden()); }
Taylor sqrt(const Taylor &x) {
  if (!valor(x).positiva()) return Taylor::indefinida(x.orden(), x.precision());
  return serie(arb_poly_sqrt_series, x);
}
Taylor abs(const Taylor &x) {
  if (valor(x).positiva()) return x;
  if (valor(x).negativa()) return -x;
  return Taylor::indefinida(x.orden(), x.precision());
}
Taylor fabs(const Taylor &x) { return abs(x); }

Taylor pow(const Taylor &x, const Taylor &y) {
  const int k = orden(x, y);
  const long p = precision(x, y);
  bool constante_y = true;
  for (int i = 1; i <= y.orden(); ++i) constante_y = constante_y && y.coeficiente(i).es_cero();
  const Bola e = valor(y);
  if (constante_y && e.exacta() && arb_is_int(e.arb()) != 0 && arb_is_nonnegative(e.arb()) != 0 &&
      arf_cmpabs_2exp_si(arb_midref(e.arb()), 20) < 0) {
    Taylor r(0.0, k, p);
    const auto n = static_cast<ulong>(arf_get_si(arb_midref(e.arb()), ARF_RND_DOWN));
    arb_poly_pow_ui_trunc_binexp(r.poly(), x.poly(), n, largo(k), p);
    return r;
  }
  if (constante_y && e.exacta() && arb_is_int(e.arb()) != 0 && e.negativa())
    return 1.0 / pow(x, -y);
  return exp(y * log(x));
}
Taylor pow(const Taylor &x, double y) { return pow(x, constante(y, x)); }
Taylor pow(double x, const Taylor &y) { return pow(constante(x, y), y); }

Bola cota_taylor(const Taylor &en_punto, const Taylor &en_bola, double d) {
  const int k = std::min(en_punto.orden(), en_bola.orden());
  const long p = std::max(en_punto.precision(), en_bola.precision());
  const Bola t = Bola::entre(-d, d, p);
  // Horner from the remainder's coefficient down.
  Bola suma = en_bola.coeficiente(k);
  for (int i = k - 1; i >= 0; --i) suma = en_punto.coeficiente(i) + t * suma;
  return suma;
}

} // namespace raices
