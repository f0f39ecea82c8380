// Functions typed by the user: f(x) as text, parsed and evaluated in IEEE
// double, and its derivative, typed too or derived symbolically from the
// same text. Front end of rootbench and rootcompare; the step library does
// not depend on it.
#ifndef P3_EXPRESION_H
#define P3_EXPRESION_H

#include <cstddef>
#include <memory>
#include <string>

// A text that is not an acceptable expression in x. mensaje is the context
// line for error(): Spanish, names the problem and, where known, the position
// (1-based character) in the text.
struct ErrorExpresion {
  std::string mensaje;
};

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
  // The text as given (for a derived f', the text of the derivative).
  const std::string &texto() const;

private:
  struct Datos;
  std::unique_ptr<Datos> datos;
  // Derives from the compiled form of f, never from its text a second time.
  friend Funciones prepara_funciones(const std::string &texto_f, const char *texto_df);
};

// f and f' for a search: f as typed; f' as typed (-d) or derived from f.
struct Funciones {
  Expresion f;
  Expresion df;
  bool derivada_calculada; // true when f' was derived, not typed
};

// texto_df == nullptr: derive f' from texto_f; df.texto() is then the derived
// text, in the same grammar. Throws ErrorExpresion, and nothing else.
Funciones prepara_funciones(const std::string &texto_f, const char *texto_df);

#endif
