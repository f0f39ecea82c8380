// The compiled program of an expression run on balls: the same postfix
// steps that muParser runs on doubles, each one on Arb balls at the
// precision of x, or on balls with their derivative (Chorro). The numbers
// of the text are the numbers as typed, exactly (0.1 is 1/10, not the
// double nearest it); pi and e are the true constants.
#include <limits>
#include <utility>
#include <vector>

#include "P3/bolas/chorro.h"
#include "P3/bolas/taylor.h"
#include "P3/expresion/expresion_interna.h"

namespace {

using raices::Bola;
using raices::Chorro;
using raices::Taylor;

// A constant of the program as a value of type V, like x (its order).
template <class V> V constante(const Bola &c, const V &x);
template <> Bola constante<Bola>(const Bola &c, const Bola & /*x*/) { return c; }
template <> Chorro constante<Chorro>(const Bola &c, const Chorro & /*x*/) {
  return {c, Bola(0.0, c.precision())};
}
template <> Taylor constante<Taylor>(const Bola &c, const Taylor &x) {
  return Taylor(c, x.orden());
}

template <class V> V aplica(Funcion f, const V &v) {
  switch (f) {
  case Funcion::sin: return sin(v);
  case Funcion::cos: return cos(v);
  case Funcion::tan: return tan(v);
  case Funcion::asin: return asin(v);
  case Funcion::acos: return acos(v);
  case Funcion::atan: return atan(v);
  case Funcion::sinh: return sinh(v);
  case Funcion::cosh: return cosh(v);
  case Funcion::tanh: return tanh(v);
  case Funcion::exp: return exp(v);
  case Funcion::log: return log(v);
  case Funcion::log10: return log10(v);
  case Funcion::sqrt: return sqrt(v);
  case Funcion::abs: return abs(v);
  }
  return constante<V>(Bola::indefinida(v.precision()), v);
}

template <class V> V opera(Paso::Tipo t, const V &a, const V &b) {
  switch (t) {
  case Paso::suma: return a + b;
  case Paso::resta: return a - b;
  case Paso::producto: return a * b;
  case Paso::cociente: return a / b;
  default: return pow(a, b);
  }
}

// The value of parameter i as a ball: exact when it was given as a decimal.
Bola parametro(const Valores &v, std::size_t i, long p) {
  if (v.decimales != nullptr && !v.decimales[i].empty()) return Bola::decimal(v.decimales[i], p);
  return Bola(v.dobles != nullptr ? v.dobles[i] : std::numeric_limits<double>::quiet_NaN(), p);
}

template <class V> V corre(const Programa &programa, const V &x, const Valores &valores) {
  const long p = x.precision();
  std::vector<V> pila;
  pila.reserve(programa.size());
  for (const Paso &paso : programa) {
    switch (paso.tipo) {
    case Paso::variable: pila.push_back(x); break;
    case Paso::pi: pila.push_back(constante<V>(Bola::pi(p), x)); break;
    case Paso::e: pila.push_back(constante<V>(Bola::e(p), x)); break;
    case Paso::parametro:
      pila.push_back(constante<V>(parametro(valores, paso.parametro_, p), x));
      break;
    case Paso::numero:
      pila.push_back(constante<V>(
          paso.literal.empty() ? Bola(paso.numero_, p) : Bola::decimal(paso.literal, p), x));
      break;
    case Paso::opuesto: pila.back() = -pila.back(); break;
    case Paso::funcion: pila.back() = aplica(paso.funcion_, pila.back()); break;
    default: {
      // A program the parser compiled never runs its stack short.
      if (pila.size() < 2) return constante<V>(Bola::indefinida(p), x);
      V b = std::move(pila.back());
      pila.pop_back();
      pila.back() = opera(paso.tipo, pila.back(), b);
    }
    }
  }
  return pila.size() == 1 ? pila.back() : constante<V>(Bola::indefinida(p), x);
}

} // namespace

Bola evalua(const Programa &programa, const Bola &x, Valores v) { return corre(programa, x, v); }
Chorro evalua(const Programa &programa, const Chorro &x, Valores v) {
  return corre(programa, x, v);
}
Taylor evalua(const Programa &programa, const Taylor &x, Valores v) {
  return corre(programa, x, v);
}
