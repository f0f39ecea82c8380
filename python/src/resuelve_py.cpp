// raices.resuelve: one search by a method of the table on a text, an
// Expresion or a Python callable, with the library's verdict.
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <utility>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "P3/bolas/comprueba_raiz.h"
#include "Util/error.h"
#include "argumentos.h"
#include "modulo.h"
#include "resultado.h"

namespace raices_py {

namespace {

const char *const DOC_RESUELVE = R"(Una búsqueda de la raíz de f por un método de la tabla.

f: un texto de la gramática de la suite ('cos(x) - x'), una raices.Expresion
o una función de Python de un float.
intervalo=(a, b) para los métodos que acotan ('biseccion', 'regula_falsi',
'illinois', 'brent', 'chandrupatla') y la secante; x0 (y x1) para 'newton',
'steffensen' y 'secante'.
tol: la búsqueda para cuando el intervalo (o el paso) es menor que
tol·max(1, |x|); max_pasos: pasos como mucho.
derivada: f' como texto o función (Newton); de un texto se calcula sola.
parametros: {nombre: valor} para los nombres del texto además de x; con
arrays de NumPy (que se difunden) resuelve cada elemento en C++, en todos
los núcleos (hilos=), sin el GIL, y da arrays (raices.Soluciones).
historial=True guarda los iterados (resultado.historial, resultado.tabla()).
prueba=False no comprueba la raíz de un texto con bolas; la de un texto sin
parámetros se comprueba al leer por primera vez el veredicto (desenlace,
estado, mensaje, prueba, converged, flag), y quien solo lee la raíz no la paga.

Da un raices.Resultado: raiz, f_raiz, desenlace ('raiz', 'singularidad',
'estancada', 'limite', 'falla', 'no_arranca', 'no_alcanza'), estado y su
mensaje del catálogo, pasos, evals_f, evals_df, llamadas_f, llamadas_df, la
prueba de las bolas ('exacta', 'demostrada', 'refutada', 'sin_demostrar'),
y los atributos de scipy.optimize.RootResults: root, converged, flag,
iterations, function_calls.)";

} // namespace

const raices::Solucion &ResultadoPy::veredicto() {
  if (por_demostrar) {
    sol.prueba = raices::comprueba_raiz(*por_demostrar->f, pedida.x, pedida.delta);
    if (sol.prueba == raices::Prueba::refutada) {
      sol.desenlace = raices::Desenlace::no_alcanza;
      sol.estado = raices::NO_ALCANZA;
    }
    por_demostrar.reset();
  }
  return sol;
}

const char *clave_desenlace(raices::Desenlace d) {
  switch (d) {
  case raices::Desenlace::raiz: return "raiz";
  case raices::Desenlace::singularidad: return "singularidad";
  case raices::Desenlace::estancada: return "estancada";
  case raices::Desenlace::limite: return "limite";
  case raices::Desenlace::falla: return "falla";
  case raices::Desenlace::no_arranca: return "no_arranca";
  case raices::Desenlace::no_alcanza: return "no_alcanza";
  }
  return "";
}

std::size_t metodo_de(const std::string &clave) {
  for (std::size_t m = 0; m < raices::NUM_METODOS; ++m)
    if (clave == raices::DESCRIPTORES[m].clave) return m;
  std::string claves;
  for (std::size_t m = 0; m < raices::NUM_METODOS; ++m)
    claves += std::string(m > 0 ? ", " : "") + "'" + raices::DESCRIPTORES[m].clave + "'";
  throw py::value_error("método desconocido '" + clave + "': los métodos son " + claves);
}

namespace {

using raices::Arranque;

// obj as a float, or TypeError naming the argument.
double numero(const py::handle &obj, const char *nombre) {
  const double v = PyFloat_AsDouble(obj.ptr());
  if (v == -1 && PyErr_Occurred() != nullptr) {
    PyErr_Clear();
    throw py::type_error(std::string(nombre) + " debe ser un número, no " +
                         py::str(py::type::of(obj).attr("__name__")).cast<std::string>());
  }
  return v;
}

// (a, b) from a sequence of two numbers.
std::pair<double, double> par(const py::object &obj) {
  if (PyTuple_Check(obj.ptr()) && PyTuple_GET_SIZE(obj.ptr()) == 2)
    return {numero(PyTuple_GET_ITEM(obj.ptr(), 0), "a"),
            numero(PyTuple_GET_ITEM(obj.ptr(), 1), "b")};
  if (!py::isinstance<py::sequence>(obj) || py::isinstance<py::str>(obj) || py::len(obj) != 2)
    throw py::type_error("intervalo debe ser un par (a, b) de números");
  const py::sequence s = obj;
  return {numero(s[0], "a"), numero(s[1], "b")};
}

// The two starting numbers of method m from the caller's arguments.
std::pair<double, double> arranque(std::size_t m, const py::object &intervalo, const py::object &x0,
                                   const py::object &x1) {
  const raices::Descriptor &d = raices::DESCRIPTORES[m];
  const std::string nombre = d.clave;
  if (!intervalo.is_none()) {
    if (d.arranque == Arranque::desde_a)
      throw py::value_error("el método '" + nombre +
                            "' empieza en un punto: dé x0=..., no intervalo");
    if (!x0.is_none()) throw py::value_error("dé intervalo=(a, b) o x0=..., no los dos");
    const auto ab = par(intervalo);
    if (!std::isfinite(ab.first) || !std::isfinite(ab.second))
      throw py::value_error("los extremos del intervalo deben ser números finitos");
    if (ab.first > ab.second) throw py::value_error("error en el intervalo: a > b");
    return ab;
  }
  if (x0.is_none())
    throw py::value_error(d.arranque == Arranque::intervalo
                              ? "el método '" + nombre + "' necesita intervalo=(a, b)"
                              : "dé el punto de partida x0=... (o intervalo=(a, b))");
  if (d.arranque == Arranque::intervalo)
    throw py::value_error("el método '" + nombre + "' acota la raíz: dé intervalo=(a, b), no x0");
  const double a = numero(x0, "x0");
  if (!std::isfinite(a)) throw py::value_error("x0 debe ser un número finito");
  double b = a;
  if (d.arranque == Arranque::desde_a_y_b) {
    // The second point, as SciPy's secant takes it when not given.
    b = x1.is_none() ? a * (1 + 1e-4) + (a >= 0 ? 1e-4 : -1e-4) : numero(x1, "x1");
    if (!std::isfinite(b)) throw py::value_error("x1 debe ser un número finito");
  }
  return {a, b};
}

raices::Criterio criterio(double tol, int max_pasos) {
  if (!(tol > 0) || !std::isfinite(tol))
    throw py::value_error("tol debe ser un número positivo y finito");
  if (max_pasos < 1) throw py::value_error("max_pasos debe ser al menos 1");
  raices::Criterio c;
  c.absoluta = c.relativa = tol; // tol max(1, |x|), as the programs stop
  c.max_pasos = max_pasos;
  return c;
}

// The search on F and dF, counted, with the iterates when asked.
template <typename Fn, typename DFn>
ResultadoPy busca(std::size_t m, Fn &F, DFn &dF, std::pair<double, double> ab,
                  const raices::Criterio &c, bool historial) {
  ResultadoPy r;
  r.metodo = raices::DESCRIPTORES[m].clave;
  auto Fc = [&](double x) {
    ++r.llamadas_f;
    return F(x);
  };
  auto dFc = [&](double x) {
    ++r.llamadas_df;
    return dF(x);
  };
  if (historial) {
    r.con_historial = true;
    r.sol = raices::resuelve(m, Fc, dFc, ab.first, ab.second, c,
                             [&](const raices::Paso &p) { r.x.push_back(p.x); });
    for (const double x : r.x) r.fx.push_back(F(x));
  } else {
    r.sol = raices::resuelve(m, Fc, dFc, ab.first, ab.second, c);
  }
  return r;
}

double nan_derivada(double /*x*/) { return std::numeric_limits<double>::quiet_NaN(); }

// The check the search asked for: kept in r for a root, to be made when its
// verdict is read; made now for a step that failed, where the search makes
// a root of what the check proves.
void difiere(ResultadoPy &r, const std::shared_ptr<Compilada> &e, const Pedida &pedida) {
  if (!pedida.hecha) return;
  if (r.sol.desenlace == raices::Desenlace::raiz) {
    r.por_demostrar = e;
    r.pedida = pedida;
    return;
  }
  const raices::Prueba p = raices::comprueba_raiz(*e->f, pedida.x, pedida.delta);
  if (p == raices::Prueba::exacta || p == raices::Prueba::demostrada) {
    r.sol.desenlace = raices::Desenlace::raiz;
    r.sol.estado = raices::SALIDA_BIEN;
    r.sol.prueba = p;
  }
}

// r as a raices.Resultado. The class's record is looked up once: pybind11's
// own cast looks it up by the type's name on every call.
py::object como_objeto(ResultadoPy &&r) {
  static const py::detail::type_info *const tipo =
      py::detail::get_type_info(typeid(ResultadoPy), true);
  auto propio = std::make_unique<ResultadoPy>(std::move(r));
  const py::handle h = py::detail::type_caster_generic::cast(
      propio.get(), py::return_value_policy::take_ownership, {}, tipo, nullptr, nullptr);
  if (!h) throw py::error_already_set();
  propio.release(); // now the Python object's
  return py::reinterpret_steal<py::object>(h);
}

} // namespace

py::object resuelve_muchos(Compilada &e, std::size_t m, std::pair<double, double> ab,
                           const raices::Criterio &c, const py::dict &parametros,
                           const py::object &hilos);

namespace {

// The names of parametros, a dict whose keys are str.
std::vector<std::string> nombres(const py::object &parametros) {
  if (!py::isinstance<py::dict>(parametros))
    throw py::type_error("parametros debe ser un dict {nombre: valor o array de valores}");
  std::vector<std::string> v;
  for (const auto &kv : parametros.cast<py::dict>()) {
    if (!py::isinstance<py::str>(kv.first))
      throw py::type_error("los nombres de parametros deben ser textos");
    v.push_back(kv.first.cast<std::string>());
  }
  return v;
}

// Every parameter of e has a value in nombres, and nothing else.
void comprueba_nombres(const Compilada &e, const std::vector<std::string> &dados) {
  const std::vector<std::string> &suyos = e.f->parametros();
  for (const std::string &n : suyos)
    if (std::find(dados.begin(), dados.end(), n) == dados.end())
      throw py::value_error("falta el valor del parámetro '" + n + "' en parametros");
  for (const std::string &n : dados)
    if (std::find(suyos.begin(), suyos.end(), n) == suyos.end())
      throw py::value_error("'" + n + "' no es un parámetro de f (los suyos: " +
                            py::str(py::tuple(py::cast(suyos))).cast<std::string>() + ")");
}

// Some value of parametros is an array of more than one number, or of none.
bool son_arrays(const py::dict &parametros) {
  for (const auto &kv : parametros)
    if (py::module_::import("numpy").attr("ndim")(kv.second).cast<int>() > 0) return true;
  return false;
}

} // namespace

py::object resuelve(const py::object &f, const py::object &intervalo, const py::object &x0,
                    const std::string &metodo, double tol, int max_pasos,
                    const py::object &derivada, const py::object &parametros, bool historial,
                    const py::object &x1, const py::object &hilos, bool prueba) {
  const std::size_t m = metodo_de(metodo);
  const auto ab = arranque(m, intervalo, x0, x1);
  raices::Criterio c = criterio(tol, max_pasos);
  const bool con_df = raices::DESCRIPTORES[m].evals_df > 0;
  std::vector<std::string> dados;
  if (!parametros.is_none()) {
    dados = nombres(parametros);
    if (!py::isinstance<py::str>(f) && !py::isinstance<Compilada>(f))
      throw py::type_error("parametros necesita f como texto o raices.Expresion; a una función "
                           "de Python dele los valores usted mismo (functools.partial)");
  }
  const Objetivo o = objetivo(f, derivada, dados);
  if (!parametros.is_none()) {
    Compilada &e = *o.expresion;
    comprueba_nombres(e, dados);
    if (con_df && !e.df)
      throw py::value_error("el método '" + metodo + "' necesita f', que no se pudo derivar: " +
                            texto_py(e.sin_derivada).cast<std::string>());
    const py::dict valores = parametros.cast<py::dict>();
    if (son_arrays(valores)) {
      if (!derivada.is_none() && !py::isinstance<py::str>(derivada))
        throw py::type_error("con arrays en parametros, la derivada es un texto o la calculada");
      return resuelve_muchos(e, m, ab, c, valores, hilos);
    }
    for (const auto &kv : valores) fija(e, kv.first.cast<std::string>(), kv.second);
  }
  if (o.expresion) {
    const Compilada &e = *o.expresion;
    // The check on balls: made in the search when f has parameters (their
    // values may change before the answer is read), else asked for there
    // and made later (difiere).
    const bool diferida = prueba && e.f->parametros().empty();
    Pedida pedida;
    if (diferida) {
      c.comprueba = [&pedida](double x, double delta) {
        pedida = {true, x, delta};
        return raices::Prueba::sin_demostrar;
      };
    } else if (prueba) {
      c.comprueba = [&e](double x, double delta) { return raices::comprueba_raiz(*e.f, x, delta); };
    }
    auto F = [&e](double x) { return (*e.f)(x); };
    ResultadoPy r;
    if (con_df && !derivada.is_none() && !py::isinstance<py::str>(derivada)) {
      LlamadaPy dF(derivada);
      r = busca(m, F, dF, ab, c, historial);
      dF.relanza();
      r.llamadas_df = dF.llamadas();
    } else {
      if (con_df && !e.df)
        throw py::value_error("el método '" + metodo + "' necesita f', que no se pudo derivar: " +
                              texto_py(e.sin_derivada).cast<std::string>());
      auto dF = [&e](double x) { return e.df ? (*e.df)(x) : nan_derivada(x); };
      r = busca(m, F, dF, ab, c, historial);
    }
    if (diferida) difiere(r, o.expresion, pedida);
    return como_objeto(std::move(r));
  }
  LlamadaPy F(o.llamable);
  if (!con_df) {
    ResultadoPy r = busca(m, F, nan_derivada, ab, c, historial);
    F.relanza();
    r.llamadas_f = F.llamadas();
    return como_objeto(std::move(r));
  }
  if (derivada.is_none() || PyCallable_Check(derivada.ptr()) == 0)
    throw py::value_error("el método '" + metodo +
                          "' necesita la derivada de f: dé derivada=una función");
  LlamadaPy dF(derivada);
  ResultadoPy r = busca(m, F, dF, ab, c, historial);
  F.relanza();
  dF.relanza();
  r.llamadas_f = F.llamadas();
  r.llamadas_df = dF.llamadas();
  return como_objeto(std::move(r));
}

namespace {

py::array_t<double> como_array(const std::vector<double> &v) {
  return py::array_t<double>(static_cast<py::ssize_t>(v.size()), v.data());
}

} // namespace

namespace {

// The text of a str argument, or TypeError naming it.
std::string texto(PyObject *obj, const char *nombre) {
  Py_ssize_t n = 0;
  const char *t = PyUnicode_Check(obj) ? PyUnicode_AsUTF8AndSize(obj, &n) : nullptr;
  if (t == nullptr) {
    PyErr_Clear();
    throw py::type_error(std::string(nombre) + " debe ser un texto");
  }
  return {t, static_cast<std::size_t>(n)};
}

// An int argument (not a float), kept within int; TypeError naming it.
int entero(PyObject *obj, const char *nombre) {
  const long v = PyFloat_Check(obj) ? -1 : PyLong_AsLong(obj);
  if (PyFloat_Check(obj) || (v == -1 && PyErr_Occurred() != nullptr)) {
    const bool grande = PyErr_Occurred() != nullptr && PyErr_ExceptionMatches(PyExc_OverflowError);
    PyErr_Clear();
    if (!grande) throw py::type_error(std::string(nombre) + " debe ser un entero");
    const bool negativo = PyObject_RichCompareBool(obj, py::int_(0).ptr(), Py_LT) == 1;
    return negativo ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  }
  return static_cast<int>(
      std::clamp<long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool verdad(PyObject *obj) {
  const int v = PyObject_IsTrue(obj);
  if (v < 0) throw py::error_already_set();
  return v != 0;
}

// resuelve's arguments read from the call, in the order of the signature.
enum Argumento {
  F,
  INTERVALO,
  X0,
  METODO,
  TOL,
  MAX_PASOS,
  DERIVADA,
  PARAMETROS,
  HISTORIAL,
  X1,
  HILOS,
  PRUEBA,
  NUM_ARGUMENTOS
};

const Firma &firma_resuelve() {
  static const Firma *firma =
      new Firma("resuelve",
                {"f", "intervalo", "x0", "metodo", "tol", "max_pasos", "derivada", "parametros",
                 "historial", "x1", "hilos", "prueba"},
                1); // built once under the GIL, kept for the module's life
  return *firma;
}

PyObject *resuelve_rapido(PyObject * /*modulo*/, PyObject *const *args, Py_ssize_t nargs,
                          PyObject *kwnames) {
  return protege([&] {
    PyObject *v[NUM_ARGUMENTOS];
    firma_resuelve().lee(args, nargs, kwnames, v);
    const auto objeto = [&v](Argumento k) {
      return v[k] == nullptr ? py::none() : py::reinterpret_borrow<py::object>(v[k]);
    };
    return resuelve(objeto(F), objeto(INTERVALO), objeto(X0),
                    v[METODO] == nullptr ? "chandrupatla" : texto(v[METODO], "metodo"),
                    v[TOL] == nullptr ? 1e-12 : numero(v[TOL], "tol"),
                    v[MAX_PASOS] == nullptr ? 100 : entero(v[MAX_PASOS], "max_pasos"),
                    objeto(DERIVADA), objeto(PARAMETROS),
                    v[HISTORIAL] != nullptr && verdad(v[HISTORIAL]), objeto(X1), objeto(HILOS),
                    v[PRUEBA] == nullptr || verdad(v[PRUEBA]))
        .release()
        .ptr();
  });
}

// resuelve as a function of the module, called through Python's fast call.
py::object funcion_resuelve(const py::module_ &m) {
  static const std::string doc =
      std::string("resuelve(f, intervalo=None, x0=None, metodo='chandrupatla', tol=1e-12, "
                  "max_pasos=100, derivada=None, parametros=None, historial=False, x1=None, "
                  "hilos=None, prueba=True)\n--\n\n") +
      DOC_RESUELVE;
  static PyMethodDef def{
      "resuelve", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(&resuelve_rapido)),
      METH_FASTCALL | METH_KEYWORDS, doc.c_str()};
  PyObject *f = PyCFunction_NewEx(&def, nullptr, m.attr("__name__").ptr());
  if (f == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::object>(f);
}

} // namespace

void registra_resuelve(py::module_ &m) {
  py::class_<ResultadoPy>(m, "Resultado",
                          "Lo que da una búsqueda: la raíz, f allí, el "
                          "veredicto y las cuentas; también con los atributos de "
                          "scipy.optimize.RootResults.")
      .def_readonly("metodo", &ResultadoPy::metodo)
      .def_property_readonly("raiz", [](const ResultadoPy &r) { return r.sol.raiz; })
      .def_property_readonly("f_raiz", [](const ResultadoPy &r) { return r.sol.f_raiz; })
      .def_property_readonly("otro", [](const ResultadoPy &r) { return r.sol.otro; })
      .def_property_readonly("estado", [](ResultadoPy &r) { return r.veredicto().estado; })
      .def_property_readonly("mensaje",
                             [](ResultadoPy &r) {
                               const int estado = r.veredicto().estado;
                               const char *t = texto_catalogado(estado);
                               return texto_py(estado == 0 || t == nullptr ? "" : t);
                             })
      .def_property_readonly(
          "desenlace", [](ResultadoPy &r) { return clave_desenlace(r.veredicto().desenlace); })
      .def_property_readonly("pasos", [](const ResultadoPy &r) { return r.sol.pasos; })
      .def_property_readonly("evals_f", [](const ResultadoPy &r) { return r.sol.evals_f; })
      .def_property_readonly("evals_df", [](const ResultadoPy &r) { return r.sol.evals_df; })
      .def_readonly("llamadas_f", &ResultadoPy::llamadas_f)
      .def_readonly("llamadas_df", &ResultadoPy::llamadas_df)
      .def_property_readonly(
          "prueba", [](ResultadoPy &r) { return raices::clave_prueba(r.veredicto().prueba); })
      .def_property_readonly("historial",
                             [](const ResultadoPy &r) -> py::object {
                               if (!r.con_historial) return py::none();
                               py::dict d;
                               d["x"] = como_array(r.x);
                               d["f"] = como_array(r.fx);
                               return std::move(d);
                             })
      // scipy.optimize.RootResults
      .def_property_readonly("root", [](const ResultadoPy &r) { return r.sol.raiz; })
      .def_property_readonly(
          "converged",
          [](ResultadoPy &r) { return r.veredicto().desenlace == raices::Desenlace::raiz; })
      .def_property_readonly("flag",
                             [](ResultadoPy &r) -> py::object {
                               const raices::Solucion &sol = r.veredicto();
                               if (sol.desenlace == raices::Desenlace::raiz)
                                 return py::str("converged");
                               return texto_py(texto_error(sol.estado));
                             })
      .def_property_readonly("iterations", [](const ResultadoPy &r) { return r.sol.pasos; })
      .def_property_readonly("function_calls",
                             [](const ResultadoPy &r) { return r.llamadas_f + r.llamadas_df; });

  m.add_object("resuelve", funcion_resuelve(m));
}

} // namespace raices_py
