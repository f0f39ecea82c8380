// Real balls [m +/- r] of Arb: a value with a proven bound on its error. An
// operation on balls gives a ball that holds the exact result for every
// point of its operands, so a sign the ball shows is the sign of the real
// function, not of its rounding.
//
// A ball carries its working precision in bits; an operation works at the
// larger precision of its operands (a double operand takes the ball's). The
// same arithmetic operators and the functions of the typed grammar as for
// double, found by argument-dependent lookup, let one generic callable run
// on both:
//
//     auto f = [](auto x) { return sin(x) - x / 2; };
//     f(1.9);                   // double
//     f(raices::Bola(1.9, 128)); // ball, 128 bits
//
// Where a function is not defined on all of a ball (log of a ball that
// reaches 0, sqrt of one that reaches below 0, asin beyond [-1, 1], a pole
// of tan, a division by a ball holding 0, a negative base to a power that
// is not an integer) the result is an undecided ball: finita() is false, and
// so is every later result computed from it. Arb also answers undecided when
// a value is too large for it to bound (exp over [1e300, 2e300]), though the
// sign may still be proven (signo()). Never a trap or a throw.
#ifndef RAICES_BOLA_H
#define RAICES_BOLA_H

#include <string>

#include <arb.h>

namespace raices {

class Bola {
public:
  // The precision ladder of a proof: start with the double's 53 bits and
  // double it (53, 128, 256, ..., precision_maxima) while a sign is undecided.
  // precision_maxima is where a proof gives up: a value within 2^-4096 of 0
  // (relative to its terms) is left undecided.
  static constexpr long precision_inicial = 53;
  static constexpr long precision_maxima = 4096;
  // Any precision asked of a ball is taken within these bounds (Arb needs 2
  // bits; a million bits is far beyond any use here and keeps memory small).
  static constexpr long precision_minima = 2, precision_tope = 1L << 20;
  // The next rung of the ladder after p, or 0 past the limit.
  static constexpr long siguiente_precision(long p) {
    const long q = p < 128 ? 128 : 2 * p;
    return q <= precision_maxima ? q : 0;
  }

  // The double x exactly (radius 0); NaN and infinities give an undecided ball.
  explicit Bola(double x = 0, long precision = precision_inicial);
  // The exact sum a + b of two doubles, a point ball (exact at any precision).
  static Bola suma_exacta(double a, double b, long precision = precision_inicial);
  // A ball that holds every point of [lo, hi] (lo <= hi, both finite);
  // undecided otherwise.
  static Bola entre(double lo, double hi, long precision = precision_inicial);
  // The number a decimal text writes ("0.1", "2.5e-3", "12345678901234567890"),
  // held exactly: a point ball when the number is dyadic and fits the
  // precision, else a ball around it whose radius is the rounding. An
  // undecided ball when the text is not a decimal number.
  static Bola decimal(const std::string &texto, long precision = precision_inicial);
  // The numbers pi and e, to the given precision.
  static Bola pi(long precision = precision_inicial);
  static Bola e(long precision = precision_inicial);
  // An undecided ball.
  static Bola indefinida(long precision = precision_inicial);

  Bola(const Bola &otra);
  Bola(Bola &&otra) noexcept;
  Bola &operator=(const Bola &otra);
  Bola &operator=(Bola &&otra) noexcept;
  ~Bola();

  long precision() const { return precision_; }
  // Bounds rounded outward to doubles: inf() <= every point <= sup(). An
  // undecided ball gives -inf and +inf; a value beyond the doubles, an
  // infinity on its side; one below the least subnormal, 0 or the least
  // subnormal.
  double inf() const;
  double sup() const;
  // The midpoint, rounded to the nearest double (NaN when undecided).
  double medio() const;
  bool finita() const;
  bool contiene_cero() const;
  bool positiva() const; // every point > 0
  bool negativa() const; // every point < 0
  bool es_cero() const;  // exactly 0: midpoint and radius 0
  // What is proven of the sign of every point: 2 > 0, 1 >= 0, -1 <= 0,
  // -2 < 0, 0 nothing. From the ball itself, or from how it was computed
  // where Arb cannot show it: e^x is > 0 even where it must be enclosed as
  // [0 +/- r] (x far below 0) or is too large to bound, and sums, products
  // and quotients keep what their operands prove. positiva() and negativa()
  // answer from it; a sign is proven only of a value defined everywhere on
  // the ball.
  int signo() const;
  bool exacta() const; // a point: radius 0
  // The value in decimal, to digitos significant digits (1 to 10000): the midpoint only
  // ("1.9e-326"), or with its radius ("[1.9e-326 +/- 2.2e-342]"); "indefinida"
  // when undecided.
  std::string texto(long digitos, bool con_radio = false) const;

  // For code that calls Arb directly.
  const arb_struct *arb() const { return valor_; }
  arb_struct *arb() { return valor_; }

  // Records a sign proven by the operation that computed the ball.
  void fija_signo(int s) { signo_ = static_cast<signed char>(s); }

private:
  arb_t valor_;
  long precision_;
  signed char signo_ = 0; // proven by the operation, beyond the ball
};

Bola operator-(const Bola &x);
Bola operator+(const Bola &x);
Bola operator+(const Bola &x, const Bola &y);
Bola operator-(const Bola &x, const Bola &y);
Bola operator*(const Bola &x, const Bola &y);
Bola operator/(const Bola &x, const Bola &y);
Bola operator+(const Bola &x, double y);
Bola operator-(const Bola &x, double y);
Bola operator*(const Bola &x, double y);
Bola operator/(const Bola &x, double y);
Bola operator+(double x, const Bola &y);
Bola operator-(double x, const Bola &y);
Bola operator*(double x, const Bola &y);
Bola operator/(double x, const Bola &y);

// The functions of the typed grammar.
Bola sin(const Bola &x);
Bola cos(const Bola &x);
Bola tan(const Bola &x);
Bola asin(const Bola &x);
Bola acos(const Bola &x);
Bola atan(const Bola &x);
Bola sinh(const Bola &x);
Bola cosh(const Bola &x);
Bola tanh(const Bola &x);
Bola exp(const Bola &x);
Bola log(const Bola &x);
Bola log10(const Bola &x);
Bola sqrt(const Bola &x);
Bola abs(const Bola &x);
Bola fabs(const Bola &x);
// x^y: any real x to an integer y (a ball of one integer); otherwise x > 0.
Bola pow(const Bola &x, const Bola &y);
Bola pow(const Bola &x, double y);
Bola pow(double x, const Bola &y);

} // namespace raices

#endif
