// First-order Taylor arithmetic on balls: a Chorro carries a function's
// value and its derivative with respect to x, both as balls, and every
// operation applies the chain rule. Run on the ball X of an interval, a
// callable gives a ball F'(X) that holds the slope of F at every point of X,
// so that F(X) lies within F(x) + F'(X) * (X - x) (the mean value theorem).
// Near a multiple root that bound is far tighter than F(X) computed
// directly, whose terms cancel.
//
// abs at a ball that holds 0 takes its derivative as [-1, 1] times the
// argument's: not a derivative there, but a bound of every difference
// quotient, which is all the mean value bound needs. Where F is not
// differentiable otherwise (sqrt at 0, a pole) the derivative is undecided.
//
// The same operators and functions as for Bola, so that a generic callable
// that runs on balls also runs on Chorro.
#ifndef RAICES_CHORRO_H
#define RAICES_CHORRO_H

#include <utility>

#include "bola.h"

namespace raices {

struct Chorro {
  Bola valor;
  Bola derivada;

  // The constant c: derivative 0.
  explicit Chorro(double c = 0, long precision = Bola::precision_inicial)
      : valor(c, precision), derivada(0.0, precision) {}
  Chorro(Bola v, Bola d) : valor(std::move(v)), derivada(std::move(d)) {}
  // The variable itself over the ball x: derivative 1.
  static Chorro variable(const Bola &x) { return {x, Bola(1.0, x.precision())}; }
  long precision() const { return valor.precision(); }
};

Chorro operator-(const Chorro &x);
Chorro operator+(const Chorro &x);
Chorro operator+(const Chorro &x, const Chorro &y);
Chorro operator-(const Chorro &x, const Chorro &y);
Chorro operator*(const Chorro &x, const Chorro &y);
Chorro operator/(const Chorro &x, const Chorro &y);
Chorro operator+(const Chorro &x, double y);
Chorro operator-(const Chorro &x, double y);
Chorro operator*(const Chorro &x, double y);
Chorro operator/(const Chorro &x, double y);
Chorro operator+(double x, const Chorro &y);
Chorro operator-(double x, const Chorro &y);
Chorro operator*(double x, const Chorro &y);
Chorro operator/(double x, const Chorro &y);

Chorro sin(const Chorro &x);
Chorro cos(const Chorro &x);
Chorro tan(const Chorro &x);
Chorro asin(const Chorro &x);
Chorro acos(const Chorro &x);
Chorro atan(const Chorro &x);
Chorro sinh(const Chorro &x);
Chorro cosh(const Chorro &x);
Chorro tanh(const Chorro &x);
Chorro exp(const Chorro &x);
Chorro log(const Chorro &x);
Chorro log10(const Chorro &x);
Chorro sqrt(const Chorro &x);
Chorro abs(const Chorro &x);
Chorro fabs(const Chorro &x);
Chorro pow(const Chorro &x, const Chorro &y);
Chorro pow(const Chorro &x, double y);
Chorro pow(double x, const Chorro &y);

} // namespace raices

#endif
