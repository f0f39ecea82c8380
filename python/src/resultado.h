// The answer of one solve, as the module gives it to Python.
#ifndef PYTHON_RESULTADO_H
#define PYTHON_RESULTADO_H

#include <string>
#include <vector>

#include "P3/busqueda/resuelve.h"

namespace raices_py {

struct ResultadoPy {
  const char *metodo = ""; // the method's ASCII key, a text of the table
  raices::Solucion sol;
  long llamadas_f = 0, llamadas_df = 0; // every call, the verdict's included
  bool con_historial = false;
  std::vector<double> x, fx; // the estimate after the start and every step, f there
};

// The key of an outcome: "raiz", "singularidad", "estancada", "limite",
// "falla", "no_arranca", "no_alcanza".
const char *clave_desenlace(raices::Desenlace d);

} // namespace raices_py

#endif
