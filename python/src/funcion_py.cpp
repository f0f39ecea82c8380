// Python callables as F, and f of a call as an expression or a callable.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "modulo.h"

namespace raices_py {

double LlamadaPy::operator()(double x) {
  if (error_) return std::numeric_limits<double>::quiet_NaN();
  std::uint64_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  for (std::size_t k = 0; k < n_vistos_; ++k)
    if (vistos_[k].x == bits) return vistos_[k].fx;
  ++llamadas_;
  PyObject *arg = PyFloat_FromDouble(x);
  PyObject *r = arg != nullptr ? PyObject_CallOneArg(f_, arg) : nullptr;
  Py_XDECREF(arg);
  double v = std::numeric_limits<double>::quiet_NaN();
  if (r != nullptr) {
    v = PyFloat_AsDouble(r);
    Py_DECREF(r);
  }
  if (PyErr_Occurred() != nullptr) {
    error_.emplace(); // takes the exception out of the interpreter
    return std::numeric_limits<double>::quiet_NaN();
  }
  vistos_[siguiente_] = {bits, v};
  siguiente_ = (siguiente_ + 1) % RECUERDA;
  n_vistos_ = std::min(n_vistos_ + 1, RECUERDA);
  return v;
}

void LlamadaPy::relanza() {
  if (!error_) return;
  py::error_already_set e = std::move(*error_);
  error_.reset();
  throw e;
}

Objetivo objetivo(const py::object &f, const py::object &derivada,
                  const std::vector<std::string> &parametros) {
  Objetivo o;
  if (py::isinstance<py::str>(f)) {
    std::optional<std::string> df;
    if (py::isinstance<py::str>(derivada)) df = derivada.cast<std::string>();
    o.expresion = compila(f.cast<std::string>(), df, parametros);
  } else if (py::isinstance<Compilada>(f)) {
    o.expresion = f.cast<std::shared_ptr<Compilada>>();
  } else if (PyCallable_Check(f.ptr()) != 0) {
    o.llamable = f;
  } else {
    throw py::type_error("f debe ser un texto, una raices.Expresion o una función de Python, no " +
                         py::str(py::type::of(f).attr("__name__")).cast<std::string>());
  }
  return o;
}

} // namespace raices_py
