// The extension _raices, which the package raices (python/raices) wraps.
#include "modulo.h"

PYBIND11_MODULE(_raices, m) {
  m.doc() = "Núcleo en C++ del módulo raices.";
  m.attr("__version__") = RAICES_VERSION_PY;
  raices_py::registra_expresion(m);
  raices_py::registra_resuelve(m);
  raices_py::registra_todas(m);
  raices_py::registra_compara(m);
}
