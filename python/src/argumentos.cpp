// Arguments read from Python's fast call (argumentos.h).
#include "argumentos.h"

#include <string>
#include <utility>

namespace raices_py {

Firma::Firma(const char *funcion, std::vector<const char *> nombres, std::size_t obligatorios)
    : funcion_(funcion), nombres_(std::move(nombres)), obligatorios_(obligatorios) {
  for (const char *n : nombres_) {
    PyObject *s = PyUnicode_InternFromString(n);
    if (s == nullptr) throw py::error_already_set();
    internados_.push_back(s);
  }
}

std::size_t Firma::posicion(PyObject *nombre) const {
  for (std::size_t k = 0; k < internados_.size(); ++k)
    if (internados_[k] == nombre) return k;
  for (std::size_t k = 0; k < nombres_.size(); ++k)
    if (PyUnicode_Check(nombre) && PyUnicode_CompareWithASCIIString(nombre, nombres_[k]) == 0)
      return k;
  return nombres_.size();
}

void Firma::lee(PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames,
                PyObject **valores) const {
  const std::size_t n = nombres_.size();
  const auto posiciones = static_cast<std::size_t>(PyVectorcall_NARGS(nargs));
  if (posiciones > n)
    throw py::type_error(std::string(funcion_) + "() admite " + std::to_string(n) +
                         " argumentos como mucho");
  for (std::size_t k = 0; k < n; ++k) valores[k] = k < posiciones ? args[k] : nullptr;
  const Py_ssize_t claves = kwnames == nullptr ? 0 : PyTuple_GET_SIZE(kwnames);
  for (Py_ssize_t j = 0; j < claves; ++j) {
    PyObject *nombre = PyTuple_GET_ITEM(kwnames, j);
    const std::size_t k = posicion(nombre);
    if (k == n)
      throw py::type_error(std::string(funcion_) + "() no tiene el argumento '" +
                           py::str(nombre).cast<std::string>() + "'");
    if (valores[k] != nullptr)
      throw py::type_error(std::string(funcion_) + "() recibió dos veces el argumento '" +
                           nombres_[k] + "'");
    valores[k] = args[posiciones + static_cast<std::size_t>(j)];
  }
  for (std::size_t k = 0; k < obligatorios_; ++k)
    if (valores[k] == nullptr)
      throw py::type_error(std::string(funcion_) + "() necesita el argumento '" + nombres_[k] +
                           "'");
}

} // namespace raices_py
