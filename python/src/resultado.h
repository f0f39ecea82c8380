// The answer of one solve, as the module gives it to Python.
#ifndef PYTHON_RESULTADO_H
#define PYTHON_RESULTADO_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "P3/busqueda/resuelve.h"
#include "modulo.h"

namespace raices_py {

// The check on balls that a search asked for at x within delta.
struct Pedida {
  bool hecha = false;
  double x = 0, delta = 0;
};

struct ResultadoPy {
  const char *metodo = ""; // the method's ASCII key, a text of the table
  raices::Solucion sol;
  long llamadas_f = 0, llamadas_df = 0; // every call, the verdict's included
  bool con_historial = false;
  std::vector<double> x, fx; // the estimate after the start and every step, f there
  // The check on balls of a root of a text without parameters, made when
  // the verdict is first read: what comprueba would have made of it in the
  // search, where it may only turn a root into one that misses (14).
  std::shared_ptr<const Compilada> por_demostrar;
  Pedida pedida;

  // The verdict with the check made; every reader of the verdict calls it.
  const raices::Solucion &veredicto();
};

// The key of an outcome: "raiz", "singularidad", "estancada", "limite",
// "falla", "no_arranca", "no_alcanza".
const char *clave_desenlace(raices::Desenlace d);

} // namespace raices_py

#endif
