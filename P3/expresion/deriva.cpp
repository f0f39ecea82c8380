// Symbolic derivative with GiNaC. f is rebuilt from the evaluator's compiled
// program, operation by operation, so that precedence, unary minus and the
// meaning of every function are the evaluator's by construction. Numbers
// enter as the exact rationals of their doubles. The derivative is written
// back as text in the same grammar, for the same evaluator. A second reading
// keeps the typed decimals as names, for the text shown to the user.
#include "P3/expresion/expresion_interna.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <new>
#include <sstream>
#include <stdexcept>

#include <ginac/ginac.h>

#include "P3/expresion/deriva_escribe.h"
#include "P3/expresion/deriva_legible.h"
#include "P3/polinomio/polinomio_interno.h"

namespace {

using GiNaC::ex;
using GiNaC::ex_to;
using GiNaC::is_a;
using GiNaC::numeric;

const char *const polo = "tiene un polo (como 1/0, log(0) o tan(pi/2))";
const char *const sin_valor = "tiene una operaci\xF3n sin valor definido (como 0^0)";

// The exact value of a finite double: m * 2^k with m an integer of 53 bits.
ex exacto(double v) {
  if (!std::isfinite(v)) falla_derivada("n\xFAmero no finito");
  int k = 0;
  const double m = std::frexp(v, &k);
  const auto entero = static_cast<long>(std::ldexp(m, 53));
  return numeric(entero) * GiNaC::pow(numeric(2), k - 53);
}

// A number of the program as its double, and as typed (0.1 is 1/10).
ex doble(const Paso &p) { return exacto(p.numero_); }
ex tecleado(const Paso &p) {
  if (p.literal.empty()) return exacto(p.numero_);
  fmpq_t q;
  fmpq_init(q);
  const bool leido = raices::lee_racional(q, p.literal);
  std::unique_ptr<char, void (*)(void *)> n(fmpz_get_str(nullptr, 10, fmpq_numref(q)), flint_free);
  std::unique_ptr<char, void (*)(void *)> d(fmpz_get_str(nullptr, 10, fmpq_denref(q)), flint_free);
  fmpq_clear(q);
  if (!leido) falla_derivada("n\xFAmero ilegible");
  return numeric(n.get()) / numeric(d.get());
}

ex funcion(Funcion f, const ex &a) {
  switch (f) {
  case Funcion::sin: return GiNaC::sin(a);
  case Funcion::cos: return GiNaC::cos(a);
  case Funcion::tan: return GiNaC::tan(a);
  case Funcion::asin: return GiNaC::asin(a);
  case Funcion::acos: return GiNaC::acos(a);
  case Funcion::atan: return GiNaC::atan(a);
  case Funcion::sinh: return GiNaC::sinh(a);
  case Funcion::cosh: return GiNaC::cosh(a);
  case Funcion::tanh: return GiNaC::tanh(a);
  case Funcion::exp: return GiNaC::exp(a);
  case Funcion::log: return GiNaC::log(a);
  case Funcion::log10: return GiNaC::log(a) / GiNaC::log(ex(10));
  case Funcion::sqrt: return GiNaC::sqrt(a);
  case Funcion::abs: return GiNaC::abs(a);
  }
  falla_derivada("funci\xF3n desconocida");
}

// 0^b unless b is a positive number (0^x derives to 0^x*log(0)), and a/0:
// refused here, as GiNaC would throw from the construction or the derivative
// of the power and lose an object it had allocated.
bool cero(const ex &a) { return is_a<numeric>(a) && ex_to<numeric>(a).is_zero(); }

// Powers of numbers are exact, and exact powers grow without bound
// (3^3333333 has 1.6 million digits): refused beyond this many bits. Not only
// a number raised to a number: GiNaC distributes an integer power over a
// product, so (3/e)^(5e299) computes 3^(5e299), and (2*x)^n computes 2^n.
constexpr double bits_maximos = 65536;

// Bits of the larger of numerator and denominator; 0 for 0, 1 and -1, whose
// powers are free.
double bits(const numeric &n) {
  if (!n.is_real()) return std::fmax(bits(n.real()), bits(n.imag()));
  if (n.is_zero() || GiNaC::abs(n).is_equal(numeric(1))) return 0;
  return std::fmax(n.numer().int_length(), n.denom().int_length());
}

// The largest number anywhere in e, in bits.
double bits_mayores(const ex &e) {
  if (is_a<numeric>(e)) return bits(ex_to<numeric>(e));
  double mayor = 0;
  for (std::size_t i = 0; i < e.nops(); ++i) mayor = std::fmax(mayor, bits_mayores(e.op(i)));
  return mayor;
}

// A number as exponent: exactly bounded in size first, as to_double of a
// huge rational could overflow.
bool enorme(const ex &a, const ex &b) {
  if (!is_a<numeric>(b)) return false;
  const numeric n = ex_to<numeric>(b);
  if (!n.is_real() || bits(n) > 1000) return bits_mayores(a) > 0;
  return std::fabs(n.to_double()) * bits_mayores(a) > bits_maximos;
}

ex potencia(const ex &a, const ex &b) {
  if (enorme(a, b))
    falla_derivada("tiene una potencia de n\xFAmeros demasiado grande para calcularla exacta");
  if (cero(a) && !(is_a<numeric>(b) && ex_to<numeric>(b).is_positive())) {
    if (cero(b)) falla_derivada(sin_valor);
    falla_derivada(polo);
  }
  return GiNaC::pow(a, b);
}

ex cociente(const ex &a, const ex &b) {
  if (cero(b)) falla_derivada(polo);
  return a / b;
}

// How a number of the program enters the symbolic expression.
using Numero = std::function<ex(const Paso &)>;

ex suma_de(const std::vector<ex> &terminos) {
  ex total = 0;
  for (const ex &t : terminos) total += t;
  return total;
}

// Runs the postfix program on a stack of expressions, each kept as the list
// of its top-level terms, in the order typed, so that a derivative can be
// written term by term as a student works it.
std::vector<ex> terminos(const Programa &programa, const GiNaC::realsymbol &x,
                         const std::vector<GiNaC::realsymbol> &parametros, const Numero &numero) {
  using Terminos = std::vector<ex>;
  std::vector<Terminos> pila;
  auto saca = [&pila] {
    if (pila.empty()) falla_derivada("programa incompleto");
    Terminos a = std::move(pila.back());
    pila.pop_back();
    return a;
  };
  auto une = [](Terminos a, const Terminos &b, int signo) {
    for (const ex &t : b) a.push_back(signo * t);
    return a;
  };
  for (const Paso &p : programa) {
    if (p.tipo == Paso::variable)
      pila.push_back({x});
    else if (p.tipo == Paso::pi)
      pila.push_back({GiNaC::Pi});
    else if (p.tipo == Paso::e)
      pila.push_back({GiNaC::exp(ex(1))});
    else if (p.tipo == Paso::numero)
      pila.push_back({numero(p)});
    else if (p.tipo == Paso::parametro)
      pila.push_back({parametros.at(p.parametro_)});
    else if (p.tipo == Paso::opuesto)
      pila.push_back(une({}, saca(), -1));
    else if (p.tipo == Paso::funcion)
      pila.push_back({funcion(p.funcion_, suma_de(saca()))});
    else {
      const Terminos b = saca(), a = saca();
      switch (p.tipo) {
      case Paso::suma: pila.push_back(une(a, b, 1)); break;
      case Paso::resta: pila.push_back(une(a, b, -1)); break;
      case Paso::producto: pila.push_back({suma_de(a) * suma_de(b)}); break;
      case Paso::cociente: pila.push_back({cociente(suma_de(a), suma_de(b))}); break;
      default: pila.push_back({potencia(suma_de(a), suma_de(b))}); break;
      }
    }
  }
  if (pila.size() != 1) falla_derivada("programa incompleto");
  return pila.back();
}

// Errors of GiNaC as the problems of the derivation.
template <typename Accion> auto traduce(Accion accion) -> decltype(accion()) {
  try {
    return accion();
  } catch (const ErrorTexto &) {
    throw;
  } catch (const std::bad_alloc &) {
    throw;
  } catch (const GiNaC::pole_error &) {
    falla_derivada(polo);
  } catch (const std::domain_error &) {
    falla_derivada(sin_valor);
  } catch (const std::overflow_error &) {
    falla_derivada("tiene una divisi\xF3n por cero");
  } catch (const std::exception &) {
    falla_derivada("la derivaci\xF3n simb\xF3lica no la admite");
  }
}

// The parameters as symbols of their own names: constants to d/dx.
std::vector<GiNaC::realsymbol> simbolos(const std::vector<std::string> &nombres) {
  std::vector<GiNaC::realsymbol> s;
  s.reserve(nombres.size());
  for (const std::string &n : nombres) s.emplace_back(n);
  return s;
}

} // namespace

Derivacion deriva(const Programa &f, const std::vector<std::string> &parametros) {
  return traduce([&f, &parametros] {
    const GiNaC::realsymbol x("x");
    const ex simbolica = suma_de(terminos(f, x, simbolos(parametros), doble));
    return Derivacion{escribe(simbolica.diff(x)), escribe(simbolica)};
  });
}

namespace {

// Functions defined, and finite, at every real number.
bool total(Funcion f) {
  switch (f) {
  case Funcion::sin:
  case Funcion::cos:
  case Funcion::atan:
  case Funcion::sinh:
  case Funcion::cosh:
  case Funcion::tanh:
  case Funcion::exp:
  case Funcion::abs: return true;
  default: return false;
  }
}

// f is made of x, parameters, numbers, sums,
// products, powers to a literal integer >= 0, and total functions: then
// f is defined at every x, and what GiNaC simplifies it to equals it
// everywhere. A quotient or a root may hide a point where f is not (x/x is
// 1 to GiNaC, not at 0).
bool sin_restricciones(const Programa &f) {
  for (std::size_t i = 0; i < f.size(); ++i) {
    const Paso &p = f[i];
    if (p.tipo == Paso::cociente) return false;
    if (p.tipo == Paso::funcion && !total(p.funcion_)) return false;
    if (p.tipo == Paso::potencia) {
      const bool natural = i > 0 && f[i - 1].tipo == Paso::numero && f[i - 1].numero_ >= 0 &&
                           f[i - 1].numero_ <= 64 &&
                           std::floor(f[i - 1].numero_) == f[i - 1].numero_;
      if (!natural) return false;
    }
  }
  return true;
}

} // namespace

bool nula(const Programa &f, const std::vector<std::string> &parametros) {
  if (!sin_restricciones(f)) return false;
  try {
    const GiNaC::realsymbol x("x");
    return suma_de(terminos(f, x, simbolos(parametros), tecleado)).expand().is_zero();
  } catch (const std::bad_alloc &) {
    throw;
  } catch (...) { // anything GiNaC refuses is not proven 0
    return false;
  }
}

std::string deriva_legible(const Programa &f, const std::vector<std::string> &parametros) {
  return traduce([&f, &parametros] {
    const GiNaC::realsymbol x("x");
    Numeros numeros;
    const Numero numero = [&numeros](const Paso &p) {
      return Numeros::entero(p.numero_) ? exacto(p.numero_) : numeros.simbolo(p.numero_);
    };
    std::vector<ex> derivadas;
    for (const ex &termino : terminos(f, x, simbolos(parametros), numero))
      derivadas.push_back(numeros.pliega(termino.diff(x)));
    return escribe_en_orden(numeros.pliega(suma_de(derivadas)), derivadas);
  });
}
