// The arguments of a module function read straight from Python's fast call
// (positions, then keywords named in a tuple), with no dict built and no
// name converted per call: the way in for a function called many times in
// a loop, where pybind11's general reading of a dozen keywords costs more
// than the search itself.
#ifndef PYTHON_ARGUMENTOS_H
#define PYTHON_ARGUMENTOS_H

#include <cstddef>
#include <vector>

#include <pybind11/pybind11.h>

namespace raices_py {

namespace py = pybind11;

class Firma {
public:
  // funcion: its name in messages; nombres: its parameters in order, the
  // first `obligatorios` of them required.
  Firma(const char *funcion, std::vector<const char *> nombres, std::size_t obligatorios);

  // The values given, by position or by keyword, in the order of the
  // names; nullptr where a parameter was not given. TypeError on too many
  // positions, a name unknown or given twice, or a required one missing.
  void lee(PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames, PyObject **valores) const;
  std::size_t tamano() const { return nombres_.size(); }

private:
  std::size_t posicion(PyObject *nombre) const;

  const char *funcion_;
  std::vector<const char *> nombres_;
  // The names as interned str, kept for the module's life: a keyword at a
  // call site is usually this very object.
  std::vector<PyObject *> internados_;
  std::size_t obligatorios_;
};

// Runs cuerpo, which returns a new reference, and turns any C++ exception
// into the Python error pybind11 would raise for it: for functions
// registered by hand.
template <typename F> PyObject *protege(F &&cuerpo) noexcept {
  try {
    return cuerpo();
  } catch (...) {
    auto &locales = py::detail::get_local_internals().registered_exception_translators;
    if (py::detail::apply_exception_translators(locales)) return nullptr;
    auto &globales = py::detail::get_internals().registered_exception_translators;
    if (py::detail::apply_exception_translators(globales)) return nullptr;
    PyErr_SetString(PyExc_SystemError, "excepción desconocida en el módulo raices");
    return nullptr;
  }
}

} // namespace raices_py

#endif
