// Functions typed by the user: f(x) as text, parsed and evaluated in IEEE
// double or on balls (bolas/bola.h), and its derivative, typed too or derived
// symbolically from the same text. Front end of rootbench, rootcompare and
// rootscan; the step library does not depend on it.
#ifndef P3_EXPRESION_H
#define P3_EXPRESION_H

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "../bolas/bola.h"
#include "../bolas/chorro.h"
#include "../bolas/taylor.h"

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

// One parsed expression in the variable x, ready to evaluate; it may name
// parameters besides x, pi and e, whose values the caller binds.
//
// Threads: compiling (the constructors, prepara_funciones) and binding
// (fija) must not run at the same time as anything else on the same
// expression. Evaluating is read-only: any number of threads may evaluate
// one expression at once, on doubles, balls or jets, and get the values one
// thread gets.
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
  // not null. parametros are the names, besides x, pi and e, that the text
  // may use: each a letter followed by letters and digits, not a function of
  // the grammar; each unbound (NaN) until fija gives it a value.
  Expresion(const std::string &texto, const char *sujeto, Limites limites = tecleada,
            const std::vector<std::string> &parametros = {});
  Expresion(Expresion &&otra) noexcept;
  Expresion &operator=(Expresion &&otra) noexcept;
  ~Expresion();

  // The parameters, in the order evalua takes their values.
  const std::vector<std::string> &parametros() const;
  // Binds a parameter. As a decimal text ("0.1") the value is exact on balls;
  // as a double, it is that double. Throws ErrorExpresion when nombre is not
  // a parameter or texto not a finite decimal number.
  void fija(const std::string &nombre, double valor);
  void fija(const std::string &nombre, const std::string &texto);

  // Value at x; infinities and NaN are returned as they come. Never throws.
  double operator()(double x) const noexcept;
  // Value at x with the parameters' values given here (valores: one per
  // parameter, in their order), not the bound ones. Never throws.
  double evalua(double x, const double *valores) const noexcept;
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
  // Whether f is proven 0 at every x, whatever its parameters: its text
  // simplifies to 0 exactly (sin(x) - sin(x)) and is made of sums,
  // products, natural powers and functions defined everywhere. False when
  // not proven. Compiles with GiNaC: not to run beside anything else.
  bool nula() const;

private:
  struct Datos;
  std::unique_ptr<Datos> datos;
  // Derives from the compiled form of f, never from its text a second time.
  friend Funciones prepara_funciones(const std::string &texto_f, const char *texto_df,
                                     const std::vector<std::string> &parametros);
  // Reads the compiled program (expresion_interna.h).
  friend struct LectorPrograma;

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

  // Binds a parameter in f and in f' alike (Expresion::fija).
  void fija(const std::string &nombre, const std::string &texto);
  void fija(const std::string &nombre, double valor);
};

// texto_df == nullptr: derive f' from texto_f. df evaluates the exact
// derivative; df.texto() is it as a student writes it, in the same grammar:
// term by term in the order of f's terms, the numbers as typed and the
// coefficients with at most 15 significant digits (-1/(x - 1.1)^2), and it
// reads back to df within rounding. parametros: the names f and f' may use
// besides x, pi and e; the derivative takes them as constants. Throws
// ErrorExpresion, and nothing else.
Funciones prepara_funciones(const std::string &texto_f, const char *texto_df,
                            const std::vector<std::string> &parametros = {});

// When f' was typed and clearly disagrees with central differences of f at
// one of five points spread over [a, b], the ends included: one warning line,
// without its newline, "Aviso: f'(x) no parece la derivada de f: en x = X,
// f' = V, diferencias: D". Empty when f' agrees, and where f is not smooth
// enough at the points to judge (a kink, a pole, a value that is not
// finite). For a derived f', fs.aviso.
std::string aviso_derivada(const Funciones &fs, double a, double b);

#endif
