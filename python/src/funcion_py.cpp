// Python callables as F, and f of a call as an expression or a callable.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <unordered_map>

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

namespace {

// The record of the class raices.Expresion, looked up once: pybind11 looks
// it up by the type's name on every cast.
const py::detail::type_info &tipo_expresion() {
  static const py::detail::type_info *const tipo =
      py::detail::get_type_info(typeid(Compilada), true);
  return *tipo;
}

bool es_expresion(const py::object &f) {
  return PyObject_TypeCheck(f.ptr(), tipo_expresion().type) != 0;
}

// The compiled f of a raices.Expresion, read from its holder.
std::shared_ptr<Compilada> compilada(const py::object &f) {
  auto *instancia = reinterpret_cast<py::detail::instance *>(f.ptr());
  auto vh = instancia->get_value_and_holder(&tipo_expresion(), false);
  if (vh && vh.holder_constructed()) return vh.holder<std::shared_ptr<Compilada>>();
  return f.cast<std::shared_ptr<Compilada>>(); // a subclass not initialised: its error
}

// A text compiled again and again (a solve in a loop) is compiled once: the
// last texts compiled are kept, each with its derivative's text and its
// parameters' names. One is handed out only while no one else holds it (no
// solve on another thread, no object of the caller's), so that binding the
// parameters of one call never changes those of another; else the text is
// compiled afresh; one without parameters, which nothing changes, is shared
// freely. Read and written under the GIL.
class Compiladas {
public:
  std::shared_ptr<Compilada> de(const std::string &texto_f,
                                const std::optional<std::string> &texto_df,
                                const std::vector<std::string> &parametros) {
    std::string clave = texto_f;
    clave += '\0';
    if (texto_df) clave += "'" + *texto_df;
    for (const std::string &p : parametros) clave += '\0' + p;
    const auto hallada = guardadas_.find(clave);
    if (hallada != guardadas_.end()) {
      // Without parameters nothing in it changes: shared freely.
      if (parametros.empty() || hallada->second.use_count() == 1) return hallada->second;
      return compila(texto_f, texto_df, parametros);
    }
    std::shared_ptr<Compilada> c = compila(texto_f, texto_df, parametros);
    if (guardadas_.size() >= CUANTAS) guardadas_.clear();
    guardadas_.emplace(std::move(clave), c);
    return c;
  }

private:
  static constexpr std::size_t CUANTAS = 64;
  std::unordered_map<std::string, std::shared_ptr<Compilada>> guardadas_;
};

} // namespace

Objetivo objetivo(const py::object &f, const py::object &derivada,
                  const std::vector<std::string> &parametros) {
  Objetivo o;
  if (py::isinstance<py::str>(f)) {
    std::optional<std::string> df;
    if (py::isinstance<py::str>(derivada)) df = derivada.cast<std::string>();
    static Compiladas *const compiladas = new Compiladas; // kept for the module's life
    o.expresion = compiladas->de(f.cast<std::string>(), df, parametros);
  } else if (es_expresion(f)) {
    o.expresion = compilada(f);
  } else if (PyCallable_Check(f.ptr()) != 0) {
    o.llamable = f;
  } else {
    throw py::type_error("f debe ser un texto, una raices.Expresion o una función de Python, no " +
                         py::str(py::type::of(f).attr("__name__")).cast<std::string>());
  }
  return o;
}

} // namespace raices_py
