// Truncated Taylor series on balls: a Taylor carries the coefficients
// c_0 ... c_k of f(x0 + t) in t, each a ball, and every operation is the
// series arithmetic of Arb (arb_poly_*_series) truncated at order k. Run on
// the variable over a point x0 (Taylor::variable), a callable gives the
// Taylor coefficients of F at x0, proven; run on the variable over a ball X,
// its k-th coefficient holds F^(k)(xi) / k! for every xi in X, the
// remainder of Taylor's theorem. Together they bound F over x0 + [-d, d]
//
//   F(x0 + t) in c_0 + c_1 t + ... + c_(k-1) t^(k-1) + C_k t^k,
//
// with the first k coefficients exact at x0, so that the terms that cancel
// near a multiple root cancel in the coefficients, not in the bound: far
// tighter there than the value ball or the first-order jet (chorro.h).
//
// Where F is not analytic on the ball (sqrt or log at 0, a pole, abs at a
// ball holding 0) the coefficients are undecided. The same operators and
// functions as Bola, so that a generic callable that runs on balls also
// runs on Taylor.
#ifndef RAICES_TAYLOR_H
#define RAICES_TAYLOR_H

#include <arb_poly.h>

#include "bola.h"

namespace raices {

class Taylor {
public:
  // The constant c, to order k.
  explicit Taylor(double c = 0, int orden = 1, long precision = Bola::precision_inicial);
  Taylor(const Bola &c, int orden);
  // The variable x0 + t over the ball x0, to order k.
  static Taylor variable(const Bola &x0, int orden);

  Taylor(const Taylor &otro);
  Taylor(Taylor &&otro) noexcept;
  Taylor &operator=(const Taylor &otro);
  Taylor &operator=(Taylor &&otro) noexcept;
  ~Taylor();

  int orden() const { return orden_; }
  long precision() const { return precision_; }
  // c_i, 0 <= i <= orden(); 0 beyond the stored terms.
  Bola coeficiente(int i) const;
  // Every coefficient finite.
  bool finita() const;
  // A Taylor whose every coefficient is undecided.
  static Taylor indefinida(int orden, long precision);

  const arb_poly_struct *poly() const { return p_; }
  arb_poly_struct *poly() { return p_; }

private:
  arb_poly_t p_;
  int orden_;
  long precision_;
};

Taylor operator-(const Taylor &x);
Taylor operator+(const Taylor &x);
Taylor operator+(const Taylor &x, const Taylor &y);
Taylor operator-(const Taylor &x, const Taylor &y);
Taylor operator*(const Taylor &x, const Taylor &y);
Taylor operator/(const Taylor &x, const Taylor &y);
Taylor operator+(const Taylor &x, double y);
Taylor operator-(const Taylor &x, double y);
Taylor operator*(const Taylor &x, double y);
Taylor operator/(const Taylor &x, double y);
Taylor operator+(double x, const Taylor &y);
Taylor operator-(double x, const Taylor &y);
Taylor operator*(double x, const Taylor &y);
Taylor operator/(double x, const Taylor &y);

Taylor sin(const Taylor &x);
Taylor cos(const Taylor &x);
Taylor tan(const Taylor &x);
Taylor asin(const Taylor &x);
Taylor acos(const Taylor &x);
Taylor atan(const Taylor &x);
Taylor sinh(const Taylor &x);
Taylor cosh(const Taylor &x);
Taylor tanh(const Taylor &x);
Taylor exp(const Taylor &x);
Taylor log(const Taylor &x);
Taylor log10(const Taylor &x);
Taylor sqrt(const Taylor &x);
Taylor abs(const Taylor &x);
Taylor fabs(const Taylor &x);
// x^y: any x to a constant integer y; otherwise exp(y log x), x > 0.
Taylor pow(const Taylor &x, const Taylor &y);
Taylor pow(const Taylor &x, double y);
Taylor pow(double x, const Taylor &y);

// F over x0 + [-d, d] by the bound above: `en_punto` the series of F at
// the point x0, `en_bola` at the ball x0 + [-d, d], both of one order k.
Bola cota_taylor(const Taylor &en_punto, const Taylor &en_bola, double d);

} // namespace raices

#endif
