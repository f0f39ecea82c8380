// Polynomials exactly: a typed f that is a polynomial in x with rational
// coefficients (its numbers as typed: 0.1 is 1/10), and every real root of
// it in [a, b], each with its exact multiplicity, an enclosure in doubles no
// wider than tol max(1, |x|), and the root itself as a fraction when it is
// rational. Exact arithmetic (FLINT) all along: the squarefree factors of
// the numerator give the multiplicities, their linear factors the rational
// roots, and the real roots of the other factors are isolated (Arb) and
// refined by halving on exact signs.
#ifndef P3_POLINOMIO_H
#define P3_POLINOMIO_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

class Expresion;

namespace raices {

// What is accepted, checked before any product or power is multiplied out:
// the degree, and the bits of the integer numerators and common denominator
// of the coefficients. Degree 1000 with coefficients of a few hundred bits
// is found in seconds; past these, the time and memory would not be.
constexpr long GRADO_MAXIMO = 1000;
constexpr long BITS_MAXIMOS = 100000;

// A polynomial past the limits, or coefficients that are not numbers: the
// reason, one line in Spanish.
struct ErrorPolinomio {
  std::string mensaje;
};

// A real root: inf <= root <= sup (doubles), x the double nearest the root.
struct RaizExacta {
  double x, inf, sup;
  int multiplicidad;
  std::string fraccion; // "p/q", or "p" when an integer; empty when irrational
};

class Polinomio {
public:
  // From its coefficients, lowest degree first: decimals ("0.1", "-2.5e-3"),
  // integers of any size or fractions ("1/3"). Throws ErrorPolinomio.
  explicit Polinomio(const std::vector<std::string> &coeficientes);
  Polinomio(Polinomio &&otro) noexcept;
  Polinomio &operator=(Polinomio &&otro) noexcept;
  ~Polinomio();

  bool nulo() const;  // f = 0 for every x
  long grado() const; // -1 for the zero polynomial
  // f(x) exactly, rounded to the nearest double.
  double valor(double x) const;
  // Every real root in [a, b], by x. a and b are taken exactly: as typed
  // (decimals, as above) or as the doubles they are. A root exactly at a or
  // b is found. The zero polynomial has no list of roots: an empty one.
  std::vector<RaizExacta> raices(const std::string &a, const std::string &b, double tol) const;
  std::vector<RaizExacta> raices(double a, double b, double tol) const;

  struct Datos;

private:
  explicit Polinomio(std::unique_ptr<Datos> d);
  std::unique_ptr<Datos> datos;
  friend std::optional<Polinomio> polinomio_de(const ::Expresion &f);
};

// The typed f as a polynomial, when its compiled program is one: x,
// numbers, + - *, unary minus, division by a nonzero constant and powers by
// a non-negative integer constant (a negative one of a nonzero constant).
// Anything else (pi, e, a function, division by an expression in x or by 0,
// a power that is not an integer) is not: nullopt. Throws ErrorPolinomio
// when a product or power would pass the limits above.
std::optional<Polinomio> polinomio_de(const ::Expresion &f);

} // namespace raices

#endif
