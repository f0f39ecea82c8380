// The chain rule on balls. A value that is undecided makes the derivative
// undecided too: where F is not defined, neither is its slope.
#include "chorro.h"

#include <algorithm>
#include <utility>

namespace raices {

namespace {

long precision(const Chorro &x, const Chorro &y) { return std::max(x.precision(), y.precision()); }

// u with value v and derivative dv * u'; undecided derivative where v is.
Chorro cadena(Bola v, const Bola &dv, const Chorro &u) {
  Bola d = v.finita() ? dv * u.derivada : Bola::indefinida(u.precision());
  return {std::move(v), std::move(d)};
}

Chorro constante(double c, long p) { return Chorro(c, p); }

} // namespace

Chorro operator-(const Chorro &x) { return {-x.valor, -x.derivada}; }
Chorro operator+(const Chorro &x) { return x; }
Chorro operator+(const Chorro &x, const Chorro &y) {
  return {x.valor + y.valor, x.derivada + y.derivada};
}
Chorro operator-(const Chorro &x, const Chorro &y) {
  return {x.valor - y.valor, x.derivada - y.derivada};
}
Chorro operator*(const Chorro &x, const Chorro &y) {
  return {x.valor * y.valor, x.derivada * y.valor + x.valor * y.derivada};
}
// (x/y)' = (x' - (x/y) y') / y
Chorro operator/(const Chorro &x, const Chorro &y) {
  Bola q = x.valor / y.valor;
  Bola d = (x.derivada - q * y.derivada) / y.valor;
  return {std::move(q), std::move(d)};
}
Chorro operator+(const Chorro &x, double y) { return x + constante(y, x.precision()); }
Chorro operator-(const Chorro &x, double y) { return x - constante(y, x.precision()); }
Chorro operator*(const Chorro &x, double y) { return x * constante(y, x.precision()); }
Chorro operator/(const Chorro &x, double y) { return x / constante(y, x.precision()); }
Chorro operator+(double x, const Chorro &y) { return constante(x, y.precision()) + y; }
Chorro operator-(double x, const Chorro &y) { return constante(x, y.precision()) - y; }
Chorro operator*(double x, const Chorro &y) { return constante(x, y.precision()) * y; }
Chorro operator/(double x, const Chorro &y) { return constante(x, y.precision()) / y; }

Chorro sin(const Chorro &x) { return cadena(sin(x.valor), cos(x.valor), x); }
Chorro cos(const Chorro &x) { return cadena(cos(x.valor), -sin(x.valor), x); }
Chorro tan(const Chorro &x) {
  Bola t = tan(x.valor);
  const Bola dt = 1 + pow(t, 2);
  return cadena(std::move(t), dt, x);
}
Chorro asin(const Chorro &x) { return cadena(asin(x.valor), 1 / sqrt(1 - pow(x.valor, 2)), x); }
Chorro acos(const Chorro &x) { return cadena(acos(x.valor), -1 / sqrt(1 - pow(x.valor, 2)), x); }
Chorro atan(const Chorro &x) { return cadena(atan(x.valor), 1 / (1 + pow(x.valor, 2)), x); }
Chorro sinh(const Chorro &x) { return cadena(sinh(x.valor), cosh(x.valor), x); }
Chorro cosh(const Chorro &x) { return cadena(cosh(x.valor), sinh(x.valor), x); }
Chorro tanh(const Chorro &x) {
  Bola t = tanh(x.valor);
  const Bola dt = 1 - pow(t, 2);
  return cadena(std::move(t), dt, x);
}
Chorro exp(const Chorro &x) {
  Bola e = exp(x.valor);
  const Bola de = e;
  return cadena(std::move(e), de, x);
}
Chorro log(const Chorro &x) { return cadena(log(x.valor), 1 / x.valor, x); }
Chorro log10(const Chorro &x) {
  return cadena(log10(x.valor), 1 / (x.valor * log(Bola(10.0, x.precision()))), x);
}
// Not differentiable at 0: 1 / (2 sqrt(0)) is undecided.
Chorro sqrt(const Chorro &x) {
  Bola r = sqrt(x.valor);
  const Bola dr = 1 / (2 * r);
  return cadena(std::move(r), dr, x);
}
Chorro abs(const Chorro &x) {
  const long p = x.precision();
  const Bola signo = x.valor.positiva()   ? Bola(1.0, p)
                     : x.valor.negativa() ? Bola(-1.0, p)
                                          : Bola::entre(-1, 1, p);
  return cadena(abs(x.valor), signo, x);
}
Chorro fabs(const Chorro &x) { return abs(x); }

// (x^y)' = y x^(y-1) x' when y is a constant (so that a negative x to an
// integer power keeps its derivative), x^y (y' log x + y x'/x) otherwise.
Chorro pow(const Chorro &x, const Chorro &y) {
  Bola v = pow(x.valor, y.valor);
  if (y.derivada.es_cero() && y.valor.es_cero()) return {std::move(v), Bola(0.0, precision(x, y))};
  if (y.derivada.es_cero()) return cadena(std::move(v), y.valor * pow(x.valor, y.valor - 1), x);
  if (!v.finita()) return {std::move(v), Bola::indefinida(precision(x, y))};
  Bola d = v * (y.derivada * log(x.valor) + y.valor * x.derivada / x.valor);
  return {std::move(v), std::move(d)};
}
Chorro pow(const Chorro &x, double y) { return pow(x, constante(y, x.precision())); }
Chorro pow(double x, const Chorro &y) { return pow(constante(x, y.precision()), y); }

} // namespace raices
