// The compiled program of an expression run in IEEE double: the steps the
// parser compiled, each performed as its own evaluator performs it (the same
// operations on the same operands, std::pow for ^), so every value is the
// parser's to the bit. The stack lives in the call, so any number of threads
// can evaluate one program at once.
#include <cmath>
#include <limits>
#include <vector>

#include "P3/expresion/expresion_interna.h"

namespace {

// Depth of stack that a typed expression needs at most in practice; a deeper
// one (a long chain of right-associative powers) gets a stack of its own.
constexpr std::size_t pila_corta = 64;

// The top of the stack is kept in tope, out of memory, and the values below
// it in pila; n counts them all. Each operation takes the same operands in
// the same order as on a stack held wholly in memory.
double corre(const Codigo &codigo, double x, const double *parametros, double *pila,
             std::size_t capacidad) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  std::size_t n = 0;
  double tope = 0;
  for (const Instruccion &paso : codigo) {
    double v = 0;
    switch (paso.tipo) {
    case Paso::variable: v = x; break;
    case Paso::pi: v = 3.14159265358979323846; break;
    case Paso::e: v = 2.71828182845904523536; break;
    case Paso::numero: v = paso.numero; break;
    case Paso::parametro: v = parametros[paso.parametro]; break;
    case Paso::opuesto:
      if (n == 0) return nan;
      tope = -tope;
      continue;
    case Paso::funcion:
      if (n == 0) return nan;
      tope = aplica(paso.funcion, tope);
      continue;
    // A program the parser compiled never runs its stack short.
    case Paso::suma:
      if (n < 2) return nan;
      tope = pila[--n - 1] + tope;
      continue;
    case Paso::resta:
      if (n < 2) return nan;
      tope = pila[--n - 1] - tope;
      continue;
    case Paso::producto:
      if (n < 2) return nan;
      tope = pila[--n - 1] * tope;
      continue;
    case Paso::cociente:
      if (n < 2) return nan;
      tope = pila[--n - 1] / tope;
      continue;
    case Paso::potencia:
      if (n < 2) return nan;
      tope = std::pow(pila[--n - 1], tope);
      continue;
    }
    if (n == capacidad) return nan;
    if (n > 0) pila[n - 1] = tope;
    tope = v;
    ++n;
  }
  return n == 1 ? tope : nan;
}

} // namespace

Codigo codigo_doble(const Programa &programa) {
  Codigo codigo;
  codigo.reserve(programa.size());
  for (const Paso &p : programa)
    codigo.push_back({p.tipo, p.funcion_, static_cast<std::uint32_t>(p.parametro_), p.numero_});
  return codigo;
}

double evalua(const Codigo &codigo, double x, const double *parametros) noexcept {
  if (codigo.size() <= pila_corta) {
    double pila[pila_corta];
    return corre(codigo, x, parametros, pila, pila_corta);
  }
  try {
    std::vector<double> pila(codigo.size());
    return corre(codigo, x, parametros, pila.data(), pila.size());
  } catch (...) {
    return std::numeric_limits<double>::quiet_NaN();
  }
}
