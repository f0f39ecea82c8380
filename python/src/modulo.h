// The pieces of the Python module _raices, each registered by its own file.
#ifndef PYTHON_MODULO_H
#define PYTHON_MODULO_H

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/pybind11.h>

#include "P3/expresion/expresion.h"

namespace py = pybind11;

namespace raices_py {

// A text of the library (its own letters Latin-1, a user's text quoted in
// it UTF-8) as a Python str: well-formed UTF-8 sequences read as UTF-8,
// every other byte as Latin-1, as the library reads a typed text.
py::str texto_py(const std::string &texto);

// ErrorExpresion raised in Python as raices.ErrorExpresion (a ValueError)
// with its message, the 1-based position of the fault in the str (None
// when it is not at one place) and the two lines that point at it.
[[noreturn]] void lanza_error_expresion(const ErrorExpresion &e);
// ValueError unless a <= b are finite and tol is positive and finite.
void comprueba_intervalo(double a, double b, double tol);

// A typed f compiled with its derivative: f' derived, or typed; when f
// cannot be derived, f alone and the reason kept for a method that needs f'.
struct Compilada {
  std::string texto_f;
  std::unique_ptr<Expresion> f, df;
  bool derivada_calculada = false;
  std::string sin_derivada; // why df is missing, empty when it is not
  // Solves running on it without the GIL; fija refuses to bind meanwhile.
  std::atomic<int> en_uso{0};
};
// parametros: the names the texts may use besides x, pi and e.
std::shared_ptr<Compilada> compila(const std::string &texto_f,
                                   const std::optional<std::string> &texto_df,
                                   const std::vector<std::string> &parametros = {});

// Binds a parameter in f and f' (a float, or a decimal text exact on balls).
void fija(Compilada &c, const std::string &nombre, const py::handle &valor);

// A Python callable as F of a search: called with a float, its answer read
// as a float. The last few answers are kept, so that the verdict's second
// look at a point the steps have seen (the ends, the answer) calls nothing.
// The first exception it raises is kept and every later call returns NaN
// without calling it, so that the search ends at once; the caller re-raises
// it unchanged with relanza().
class LlamadaPy {
public:
  explicit LlamadaPy(py::handle f) : f_(f.ptr()) {}
  double operator()(double x);
  // Raises the kept exception, if any.
  void relanza();
  // The calls of the Python callable so far.
  long llamadas() const { return llamadas_; }

private:
  static constexpr std::size_t RECUERDA = 8;
  struct Visto {
    std::uint64_t x; // the bits of x: f(-0.0) need not be f(0.0)
    double fx;
  };
  PyObject *f_;
  std::optional<py::error_already_set> error_;
  std::array<Visto, RECUERDA> vistos_{};
  std::size_t n_vistos_ = 0, siguiente_ = 0;
  long llamadas_ = 0;
};

// f of a call: a text, an Expresion, or a Python callable (None when f is
// not callable by Python either).
struct Objetivo {
  std::shared_ptr<Compilada> expresion;
  py::object llamable;
};
// parametros: the names a text may use (the keys of resuelve's parametros).
Objetivo objetivo(const py::object &f, const py::object &derivada,
                  const std::vector<std::string> &parametros = {});

void registra_expresion(py::module_ &m);
void registra_resuelve(py::module_ &m);
void registra_todas(py::module_ &m);
void registra_compara(py::module_ &m);

} // namespace raices_py

#endif
