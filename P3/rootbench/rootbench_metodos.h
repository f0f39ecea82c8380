// The methods rootbench offers, one row each over the library's method
// table: what the dialogue, the report and the search loop need to know.
#ifndef P3_ROOTBENCH_METODOS_H
#define P3_ROOTBENCH_METODOS_H

#include <cstddef>
#include <functional>

#include "P3/metodos.h"
#include "Util/matutil.h"

namespace raices {

// The function searched and its derivative (used by Newton only): fun and
// Dfun as func pointers, which go to the library's compiled forms, or a
// typed function and its derivative as callables (compilada == nullptr).
struct Objetivo {
  func f_compilada;
  func df_compilada;
  std::function<double(double)> f;
  std::function<double(double)> df;
};

// What is compared with the tolerance after a step.
enum class Cambio {
  anchura,   // the width of the bracket left
  correccion // the change of the estimate
};

struct OpcionBench {
  std::size_t metodo;         // row of the library's table
  const char *nombre;         // line of the parameter report
  const char *mensaje_inicio; // context of error() when the start call fails
  Cambio cambio;
};

// The method of the number the user typed (1, 2, 3), or nullptr.
const OpcionBench *metodo_numero(int numero);

// The start and the step of the method on o, over s.
int inicia(const OpcionBench &m, const Objetivo &o, double a, double b, Busqueda &s);
int avanza(const OpcionBench &m, const Objetivo &o, Busqueda &s);

// The row's stopping test after a step, raiz_previa being the estimate
// before it: the bracket's width or the estimate's change is below tol.
bool bajo_tolerancia(const OpcionBench &m, const Busqueda &s, double raiz_previa, double tol);

} // namespace raices

#endif
