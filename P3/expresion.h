// Functions typed by the user: f(x) as text, parsed and evaluated in IEEE
// double, and its derivative, typed too or derived symbolically from the
// same text. Front end of rootbench and rootcompare; the step library does
// not depend on it.
#ifndef P3_EXPRESION_H
#define P3_EXPRESION_H

#include <memory>
#include <string>

// A text that is not an acceptable expression in x. mensaje is the context
// line for error(): Spanish, names the problem and, where known, the position
// (1-based character) in the text.
struct ErrorExpresion {
  std::string mensaje;
};

// One parsed expression in the variable x, ready to evaluate.
class Expresion {
public:
  // Throws ErrorExpresion when texto is not acceptable.
  explicit Expresion(const std::string &texto);
  Expresion(Expresion &&) noexcept;
  Expresion &operator=(Expresion &&) noexcept;
  ~Expresion();
  // Value at x; infinities and NaN are returned as they come.
  double operator()(double x) const;
  const std::string &texto() const;

private:
  struct Datos;
  std::unique_ptr<Datos> datos;
};

// f and f' for a search: f as typed; f' as typed (-d) or derived from f.
struct Funciones {
  Expresion f;
  Expresion df;
  bool derivada_calculada; // true when f' was derived, not typed
};

// texto_df == nullptr: derive f' from texto_f. Throws ErrorExpresion.
Funciones prepara_funciones(const std::string &texto_f, const char *texto_df);

#endif
