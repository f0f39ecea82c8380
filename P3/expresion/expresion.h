// Functions typed by the user: f(x) as text, parsed and evaluated in IEEE
// double or on balls (P3/bolas/bola.h), and its derivative, typed too or derived
// symbolically from the same text. Front end of rootbench, rootcompare and
// rootscan; the step library does not depend on it.
#ifndef P3_EXPRESION_H
#define P3_EXPRESION_H

#include <cstddef>
#include <memory>
#include <string>

#include "P3/bolas/bola.h"
#include "P3/bolas/chorro.h"
#include "P3/bolas/taylor.h"

// A text that is not an acceptable expression in x. mensaje is the context
// line for error(), one line: Spanish, names the problem and, where known,
// the position (1-based character) in the text and how to write it instead.
// When the fault is at one place of a typed text, texto is that text, nombre
// what it defines ("f(x) = ") and posicion the place; otherwise posicion is 0.
struct ErrorExpresion {
  std::string mensaje;
  std::string texto{};
  std::string nombre{};
  std::size_t posicion = 0;
};

// Two lines that show where the fault is: nombre and the text, then a caret
// under the place. Characters that Latin-1 cannot show, and control
// characters, are shown as '?'. Empty when the fault is not at one place or
// the first line would be wider than ancho columns.
std::string senala(const ErrorExpresion &e, std::size_t ancho);

struct Funciones;

// One parsed expression in the variable x, ready to evaluate.
class Expresion {
public:
  // What is accepted, checked before anything is parsed: at most longitud
  // characters and anidamiento nested parentheses.
  struct Limites {
    std::size_t longitud;
    int anidamiento;
  };
  // Limits of a typed text: short enough that the worst accepted text parses
  // and derives in a moment and never exhausts the stack.
  static constexpr Limites tecleada{1000, 50};

  // Throws ErrorExpresion when texto is not acceptable.
  explicit Expresion(const std::string &texto);
  // The same; the message names the expression (sujeto, e.g. "f") when it is
  // not null.
  Expresion(const std::string &texto, const char *sujeto, Limites limites = tecleada);
  Expresion(Expresion &&otra) noexcept;
  Expresion &operator=(Expresion &&otra) noexcept;
  ~Expresion();
  // Value at x; infinities and NaN are returned as they come. Never throws.
  double operator()(double x) const noexcept;
  // Value on the ball x, at its precision: the same compiled program run in
  // ball arithmetic, so that the ball holds the exact value of f at every
  // point of x (pi and e taken as the true constants, the numbers of the
  // text as the exact numbers typed: 0.1 is 1/10). Undecided (not finite) where f is not
  // defined or not bounded on all of x. Never throws.
  raices::Bola operator()(const raices::Bola &x) const noexcept;
  // Value and derivative on the ball x (first-order Taylor arithmetic on the
  // same program, P3/bolas/chorro.h): what raices::comprueba_raiz uses to bound f
  // near a multiple root. Never throws.
  raices::Chorro operator()(const raices::Chorro &x) const noexcept;
  // Taylor coefficients to the order of x (P3/bolas/taylor.h): what the
  // check of a root uses to bound f nearer a multiple root. Never throws.
  raices::Taylor operator()(const raices::Taylor &x) const noexcept;
  // The text as given (for a derived f', the text of the derivative).
  const std::string &texto() const;

private:
  struct Datos;
  std::unique_ptr<Datos> datos;
  // Derives from the compiled form of f, never from its text a second time.
  friend Funciones prepara_funciones(const std::string &texto_f, const char *texto_df);

  // When f' was typed and clearly disagrees with central differences of f at
  // one of five points spread over [a, b], the ends included: one warning line,
  // without its newline, "Aviso: f'(x) no parece la derivada de f: en x = X,
  // f' = V, diferencias: D". Empty when f' was derived or agrees, and where
  // f is not smooth enough at the points to judge (a kink, a pole, a value
  // that is not finite).
  std::string aviso_derivada(const Funciones &fs, double a, double b);
};

// f and f' for a search: f as typed; f' as typed (-d) or derived from f.
struct Funciones {
  Expresion f;
  Expresion df;
  bool derivada_calculada; // true when f' was derived, not typed
  // A derived f' that disagrees with differences of f: the warning line, without
  // its newline; else empty.
  std::string aviso = {};
};

// texto_df == nullptr: derive f' from texto_f. df evaluates the exact
// derivative; df.texto() is it as a student writes it, in the same grammar:
// term by term in the order of f's terms, the numbers as typed and the
// coefficients with at most 15 significant digits (-1/(x - 1.1)^2), and it
// reads back to df within rounding. Throws ErrorExpresion, and nothing else.
Funciones prepara_funciones(const std::string &texto_f, const char *texto_df);

// When f' was typed and clearly disagrees with central differences of f at
// one of five points spread over [a, b], the ends included: one warning line,
// without its newline, "Aviso: f'(x) no parece la derivada de f: en x = X,
// f' = V, diferencias: D". Empty when f' agrees, and where f is not smooth
// enough at the points to judge (a kink, a pole, a value that is not
// finite). For a derived f', fs.aviso.
std::string aviso_derivada(const Funciones &fs, double a, double b);

#endif
