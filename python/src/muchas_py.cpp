// Many solves of one typed f over arrays of its parameters.
#include "P3/busqueda/resuelve.h"
#include "modulo.h"

namespace raices_py {

py::object resuelve_muchos(const Objetivo & /*o*/, std::size_t /*m*/,
                           std::pair<double, double> /*ab*/, const raices::Criterio & /*c*/,
                           const py::dict & /*parametros*/) {
  throw py::value_error("parametros: todavía no disponible");
}

void registra_muchas(py::module_ & /*m*/) {}

} // namespace raices_py
