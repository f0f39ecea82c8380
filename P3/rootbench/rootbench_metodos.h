// The methods rootbench offers, one row each over the library's method
// table: what the dialogue, the report and the search loop need to know.
#ifndef P3_ROOTBENCH_METODOS_H
#define P3_ROOTBENCH_METODOS_H

#include <cstddef>
#include <functional>

#include "P3/busqueda/resuelve.h"
#include "P3/metodos/metodos.h"
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
  // What balls prove of a root x within delta; empty: no check.
  std::function<Prueba(double x, double delta)> comprueba{};
};

struct OpcionBench {
  std::size_t metodo;         // row of the library's table
  const char *nombre;         // line of the parameter report
  const char *mensaje_inicio; // context of error() when the start call fails
  Parada parada;              // the width of the bracket left, or the change of the estimate
};

// The method of the number the user typed (1, 2, 3), or nullptr.
const OpcionBench *metodo_numero(int numero);

// The library's search by the method on o, stopped by the row's test on
// the absolute tolerance tol and judged, after at most max_pasos steps,
// with observa called after the start and every step. Exact zeros are
// looked for only where the steps report them.
Solucion resuelve(const OpcionBench &m, const Objetivo &o, double a, double b, double tol,
                  int max_pasos, const std::function<void(const Paso &)> &observa);

} // namespace raices

#endif
