// Internal to the expression front end: an expression as the evaluator
// compiled it, in postfix order, so that the derivation works on exactly the
// operations that are evaluated and never parses the text a second time.
#ifndef P3_EXPRESION_INTERNA_H
#define P3_EXPRESION_INTERNA_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "P3/bolas/bola.h"
#include "P3/bolas/chorro.h"
#include "P3/bolas/taylor.h"
#include "P3/expresion/expresion.h"

// The elementary functions of the grammar, in the order of their names.
enum class Funcion {
  sin,
  cos,
  tan,
  asin,
  acos,
  atan,
  sinh,
  cosh,
  tanh,
  exp,
  log,
  log10,
  sqrt,
  abs
};

inline constexpr const char *nombres_funciones[] = {"sin",  "cos",   "tan",  "asin", "acos",
                                                    "atan", "sinh",  "cosh", "tanh", "exp",
                                                    "log",  "log10", "sqrt", "abs"};

// The same functions in the notation of Spanish textbooks.
struct Alias {
  const char *nombre;
  Funcion funcion;
};
inline constexpr Alias alias_funciones[] = {{"sen", Funcion::sin},     {"tg", Funcion::tan},
                                            {"ln", Funcion::log},      {"arcsen", Funcion::asin},
                                            {"arccos", Funcion::acos}, {"arctg", Funcion::atan},
                                            {"senh", Funcion::sinh},   {"tgh", Funcion::tanh}};

// The innermost open parenthesis before a place in a text: where it is and
// the function it calls, empty when it only groups.
struct Llamada {
  std::size_t parentesis = 0;
  std::string funcion;
};
// A hint for the character at i of t, one the grammar lacks but other tools
// use: |x| for abs(x), f = g for the equation f - (g) = 0, a comma inside
// log( or ln( for a base. The problem to report at i, or an empty text.
std::string pista_notacion(const std::string &t, std::size_t i, const Llamada &llamada);

// A function of the grammar, in either notation.
bool es_funcion(const std::string &nombre);
// The name of the grammar that a name it lacks most likely meant (a letter
// in the wrong case, one or two slips of the keyboard), or an empty text.
std::string sugerencia(const std::string &nombre);

// One step of the postfix program: push a value or apply an operation to the
// values on top of the stack.
struct Paso {
  enum Tipo {
    variable,
    pi,
    e,
    numero,
    suma,
    resta,
    producto,
    cociente,
    potencia,
    opuesto,
    funcion,
    parametro
  };
  Tipo tipo;
  double numero_;   // tipo == numero: the double the parser read
  Funcion funcion_; // tipo == funcion
  // tipo == numero: the number as typed ("0.1"), whose exact value the
  // balls hold; empty when the double is that value exactly.
  std::string literal = {};
  std::size_t parametro_ = 0; // tipo == parametro: its place among the parameters
};

using Programa = std::vector<Paso>;

// The values of the parameters for one run of a program, in their order:
// as doubles, and as the decimal texts they were given as (an empty text:
// the double is the value).
struct Valores {
  const double *dobles = nullptr;
  const std::string *decimales = nullptr;
};

// One step of the program in the compact form that runs on doubles: the
// operation, and the number, function or parameter it takes.
struct Instruccion {
  Paso::Tipo tipo;
  Funcion funcion;
  std::uint32_t parametro;
  double numero;
};
using Codigo = std::vector<Instruccion>;
Codigo codigo_doble(const Programa &programa);

// The code run in IEEE double, operation by operation as the parser's own
// evaluator runs it (so with the same results to the bit), with no state
// outside the call.
double evalua(const Codigo &codigo, double x, const double *parametros) noexcept;

// The compiled program of a typed expression, for the readers of its form
// (the polynomials, P3/polinomio).
struct LectorPrograma {
  static const Programa &de(const Expresion &f);
};

// The program run on balls at the precision of x, and on balls with their
// derivative.
raices::Bola evalua(const Programa &programa, const raices::Bola &x, Valores v);
raices::Chorro evalua(const Programa &programa, const raices::Chorro &x, Valores v);
raices::Taylor evalua(const Programa &programa, const raices::Taylor &x, Valores v);

// The function of the grammar on a double, as the parser calls it.
double aplica(Funcion f, double v);

// Checks the text before it is parsed: length, nesting of parentheses,
// characters, names and numbers. Returns the numbers as typed, in the order
// of the text (the order of the program's numbers). Throws ErrorTexto.
std::vector<std::string> revisa_texto(const std::string &texto, std::size_t longitud_maxima,
                                      int anidamiento_maximo,
                                      const std::vector<std::string> &parametros = {});

// Checks the names given as parameters: each a letter followed by letters
// and digits, none of them x, pi, e or a function, none twice. Throws
// ErrorTexto.
void revisa_parametros(const std::vector<std::string> &parametros);
// The value of a decimal number written alone ("0.5", "-1e-3"), as the
// grammar writes numbers, with an optional sign; NaN for any other text or
// a number beyond the doubles.
double valor_decimal(const std::string &texto);

// A fault found in a text: what is wrong, without saying which expression,
// and where (1-based character; 0 when it is not at one place).
struct ErrorTexto {
  std::string problema;
  std::size_t posicion = 0;
};

// Ends the derivation or its writing with a fault at no one place.
[[noreturn]] inline void falla_derivada(const std::string &problema) { throw ErrorTexto{problema}; }

// Longest text the derivation writes: within what the parser reads (it
// refuses 20000 characters or more), and short enough to write and evaluate
// quickly. The derivative of a long product can exceed it; f' is then given
// by the user.
constexpr std::size_t longitud_derivada = 16000;

// Text of the derivative of the program in x, in the grammar the evaluator
// reads; the second text is the function itself as the derivation sees it,
// printed the same way, to be checked against the evaluator. Throws
// ErrorTexto when f cannot be derived.
struct Derivacion {
  std::string derivada;
  std::string funcion;
};
Derivacion deriva(const Programa &f, const std::vector<std::string> &parametros = {});
// Whether f is 0 at every x, for any values of its parameters, as exact
// symbolic algebra shows it; false when not shown (sin(x)^2 + cos(x)^2 - 1)
// or when f may not be defined somewhere.
bool nula(const Programa &f, const std::vector<std::string> &parametros = {});
// The same derivative as shown to the user (deriva_legible.h): term by term
// in the order of f's terms, with the numbers as typed. Throws ErrorTexto.
std::string deriva_legible(const Programa &f, const std::vector<std::string> &parametros = {});

// A point where a derivative clearly disagrees with central differences of
// the function, and both values there.
struct Discrepancia {
  double x;
  double derivada;
  double diferencias;
};
// The first of the points where df is clearly not the derivative of f.
// Points where f is not smooth enough at the scale of the differences to
// judge (a kink, a jump, a pole, rounding noise above the slope, a value that
// is not finite) are passed over.
std::optional<Discrepancia> discrepancia(const Expresion &f, const Expresion &df,
                                         const std::vector<double> &puntos);
// "en x = X, f' = V, diferencias: D".
std::string describe(const Discrepancia &d);
// The first of the points where df is proven not to be the derivative of f:
// its value there and the exact one, from Taylor arithmetic on balls over
// the program of f (in the field diferencias), differ by more than 1e-9 of
// their size. Points where f is not differentiable, or df not defined, are
// passed over.
std::optional<Discrepancia> discrepancia_exacta(const Expresion &f, const Expresion &df,
                                                const std::vector<double> &puntos);

#endif
