// Texts between the library and Python, the errors of typed expressions,
// and the class Expresion.
#include <cmath>
#include <utility>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "P3/expresion/caracteres.h"
#include "modulo.h"

namespace raices_py {

py::str texto_py(const std::string &texto) {
  std::u32string puntos;
  for (std::size_t i = 0; i < texto.size();) {
    const Caracter c = lee_caracter(texto, i);
    puntos.push_back(c.codigo);
    i += c.largo;
  }
  PyObject *s = PyUnicode_FromKindAndData(PyUnicode_4BYTE_KIND, puntos.data(),
                                          static_cast<Py_ssize_t>(puntos.size()));
  if (s == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(s);
}

namespace {

py::object &tipo_error() {
  static py::object tipo; // set once by registra_expresion, kept for the module's life
  return tipo;
}

} // namespace

void lanza_error_expresion(const ErrorExpresion &e) {
  py::object error = tipo_error()(texto_py(e.mensaje));
  error.attr("posicion") = e.posicion == 0 ? py::object(py::none()) : py::int_(e.posicion);
  error.attr("texto") = texto_py(e.texto);
  // The text with a caret under the fault, as the programs show it on a
  // terminal, but in the str's own characters.
  std::string senal;
  if (e.posicion > 0) {
    const py::str linea = texto_py(e.nombre + e.texto);
    const std::size_t columna = py::len(texto_py(e.nombre)) + e.posicion - 1;
    senal = linea.cast<std::string>() + "\n" + std::string(columna, ' ') + "^";
  }
  error.attr("senala") = py::str(senal);
  PyErr_SetObject(tipo_error().ptr(), error.ptr());
  throw py::error_already_set();
}

std::shared_ptr<Compilada> compila(const std::string &texto_f,
                                   const std::optional<std::string> &texto_df,
                                   const std::vector<std::string> &parametros) {
  auto c = std::make_shared<Compilada>();
  c->texto_f = texto_f;
  try {
    Funciones fs = prepara_funciones(texto_f, texto_df ? texto_df->c_str() : nullptr, parametros);
    c->f = std::make_unique<Expresion>(std::move(fs.f));
    c->df = std::make_unique<Expresion>(std::move(fs.df));
    c->derivada_calculada = fs.derivada_calculada;
    return c;
  } catch (const ErrorExpresion &e) {
    if (texto_df) lanza_error_expresion(e);
    // f may still read without its derivative: kept for the methods that
    // need none.
    try {
      c->f = std::make_unique<Expresion>(texto_f, "f", Expresion::tecleada, parametros);
    } catch (const ErrorExpresion &ef) {
      lanza_error_expresion(ef);
    }
    c->sin_derivada = e.mensaje;
    return c;
  }
}

void fija(Compilada &c, const std::string &nombre, const py::handle &valor) {
  if (c.en_uso > 0)
    throw py::value_error("no se puede fijar '" + nombre +
                          "' mientras otro hilo resuelve con esta Expresion");
  try {
    if (py::isinstance<py::str>(valor)) {
      const std::string texto = valor.cast<std::string>();
      c.f->fija(nombre, texto);
      if (c.df) c.df->fija(nombre, texto);
    } else {
      const double v = PyFloat_AsDouble(valor.ptr());
      if (v == -1 && PyErr_Occurred() != nullptr) {
        PyErr_Clear();
        throw py::type_error("el valor del parámetro '" + nombre +
                             "' debe ser un número o un texto decimal");
      }
      c.f->fija(nombre, v);
      if (c.df) c.df->fija(nombre, v);
    }
  } catch (const ErrorExpresion &e) {
    lanza_error_expresion(e);
  }
}

namespace {

// The values of every parameter of c from valores (by name), in c's order;
// empty when valores is empty: the bound values are used.
std::vector<double> valores_de(const Compilada &c, const py::kwargs &valores) {
  if (valores.empty()) return {};
  std::vector<double> v;
  for (const std::string &n : c.f->parametros()) {
    if (!valores.contains(n)) throw py::value_error("falta el valor del parámetro '" + n + "'");
    v.push_back(valores[py::str(n)].cast<double>());
  }
  if (v.size() != valores.size())
    throw py::value_error("se dieron valores de nombres que no son parámetros de f");
  return v;
}

// f at every element of x, a float or an array of any shape, with the
// parameters' values given, or the bound ones.
py::object evalua(const Compilada &c, const py::object &x, const py::kwargs &valores) {
  const std::vector<double> v = valores_de(c, valores);
  const auto en = [&c, &v](double t) { return v.empty() ? (*c.f)(t) : c.f->evalua(t, v.data()); };
  if (py::isinstance<py::float_>(x) || py::isinstance<py::int_>(x))
    return py::float_(en(x.cast<double>()));
  auto a = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(x);
  if (!a) throw py::type_error("Expresion: se esperaba un número o un array de números");
  py::array_t<double> r(std::vector<py::ssize_t>(a.shape(), a.shape() + a.ndim()));
  const double *p = a.data();
  double *q = r.mutable_data();
  for (py::ssize_t k = 0; k < a.size(); ++k) q[k] = en(p[k]);
  return std::move(r);
}

} // namespace

void registra_expresion(py::module_ &m) {
  tipo_error() = py::reinterpret_steal<py::object>(
      PyErr_NewExceptionWithDoc("raices.ErrorExpresion",
                                "Texto que no es una expresión válida de la gramática: "
                                "atributos posicion (1 = primer carácter; None si la falta "
                                "no está en un lugar), texto y senala.",
                                PyExc_ValueError, nullptr));
  if (!tipo_error()) throw py::error_already_set();
  m.attr("ErrorExpresion") = tipo_error();

  py::class_<Compilada, std::shared_ptr<Compilada>>(
      m, "Expresion",
      "f(x) compilada desde un texto de la gramática de la suite, con su derivada "
      "(calculada o dada); se evalúa en C++ sobre números y arrays de NumPy.")
      .def(py::init(&compila), py::arg("texto"), py::arg("derivada") = py::none(),
           py::arg("parametros") = std::vector<std::string>{})
      .def_property_readonly(
          "parametros", [](const Compilada &c) { return py::tuple(py::cast(c.f->parametros())); })
      .def(
          "fija",
          [](Compilada &c, const py::kwargs &valores) {
            for (const auto &kv : valores) fija(c, kv.first.cast<std::string>(), kv.second);
          },
          "Da valor a los parámetros: e.fija(ecc=0.5, M='0.1'); un texto decimal es exacto "
          "sobre bolas.")
      .def("__call__", &evalua, py::arg("x"),
           "f en x (un número o un array); e(x, ecc=0.5, M=1) con los valores de los "
           "parámetros dados, si no con los fijados.")
      .def_property_readonly("texto", [](const Compilada &c) { return texto_py(c.f->texto()); })
      .def_property_readonly("derivada",
                             [](const Compilada &c) -> py::object {
                               if (!c.df) return py::none();
                               return texto_py(c.df->texto());
                             })
      .def_readonly("derivada_calculada", &Compilada::derivada_calculada)
      .def("__repr__", [](const Compilada &c) {
        return py::str("Expresion({!r})").format(texto_py(c.f->texto()));
      });
}

void comprueba_intervalo(double a, double b, double tol) {
  if (!std::isfinite(a) || !std::isfinite(b))
    throw py::value_error("los extremos del intervalo deben ser números finitos");
  if (a > b) throw py::value_error("error en el intervalo: a > b");
  if (!(tol > 0) || !std::isfinite(tol))
    throw py::value_error("tol debe ser un número positivo y finito");
}

} // namespace raices_py
