// raices.todas_las_raices: every root of f in [a, b] with its kind, the
// singular points, near misses and stretches, as rootscan finds them; or,
// with demuestra, every root proven on balls and the pieces left unproven.
#include <cmath>
#include <limits>

#include <pybind11/stl.h>

#include "P3/polinomio/raices_exactas.h"
#include "P3/todas/demuestra_raices.h"
#include "P3/todas/jueces_de_bolas.h"
#include "P3/todas/todas_las_raices.h"
#include "Util/corto.h"
#include "modulo.h"

namespace raices_py {

namespace {

// A typed f on doubles, balls, Chorro and Taylor, for the judges and the
// proof, as rootscan has it.
struct EnBolas {
  const Compilada &c;
  double operator()(double x) const { return (*c.f)(x); }
  raices::Bola operator()(const raices::Bola &x) const { return (*c.f)(x); }
  raices::Chorro operator()(const raices::Chorro &x) const { return (*c.f)(x); }
  raices::Taylor operator()(const raices::Taylor &x) const { return (*c.f)(x); }
};

py::list hallazgos(const std::vector<raices::Hallazgo> &v) {
  py::list l;
  for (const raices::Hallazgo &h : v)
    l.append(py::make_tuple(h.x, h.fx, raices::clave_clase(h.clase), h.inf, h.sup,
                            raices::clave_prueba(h.prueba), h.multiplicidad));
  return l;
}

// Either search's answer in the form raices.todas reads: on doubles, the
// points found by kind; proven, the roots with their certainty and the
// pieces not proven.
py::dict como_dict(const raices::Respuesta &r) {
  py::dict d;
  d["demuestra"] = r.demostrada;
  if (r.demostrada) {
    py::list raices, piezas;
    for (const raices::Hallazgo &z : r.raices)
      raices.append(py::make_tuple(
          z.x, z.inf, z.sup, z.certeza ? raices::clave_certeza(*z.certeza) : "", z.multiplicidad));
    for (const raices::Pieza &q : r.piezas)
      piezas.append(py::make_tuple(q.inf, q.sup, raices::clave_razon(q.razon)));
    d["raices"] = raices;
    d["piezas"] = piezas;
  } else {
    d["raices"] = hallazgos(r.raices);
    d["singulares"] = hallazgos(r.singulares);
    d["casi"] = hallazgos(r.casi);
    d["tramos"] = hallazgos(r.tramos);
    d["resolucion"] = r.resolucion;
  }
  d["evaluaciones"] = r.evaluaciones;
  d["explorado"] = r.explorado;
  d["estado"] = r.estado;
  return d;
}

py::dict todas(const py::object &f, double a, double b, bool demuestra, double tol,
               long presupuesto, const py::object &derivada) {
  comprueba_intervalo(a, b, tol);
  if (presupuesto < 1) throw py::value_error("presupuesto debe ser al menos 1");
  const Objetivo o = objetivo(f, derivada);
  if (o.expresion) {
    // A polynomial, or f proven 0, answered exactly as rootscan does.
    const std::string ta = corto(a), tb = corto(b);
    std::optional<raices::Respuesta> r;
    try {
      r = raices::raices_exactas(*o.expresion->f, ta, tb, a, b, tol, demuestra);
    } catch (const ErrorExpresion &e) {
      lanza_error_expresion(e); // past the polynomials' limits
    }
    if (r) return como_dict(*r);
    EnBolas bolas{*o.expresion};
    if (demuestra) return como_dict(raices::demuestra_raices(bolas, a, b, tol, presupuesto));
    const raices::Jueces j = raices::jueces_de_bolas(bolas);
    if (!o.expresion->df)
      return como_dict(raices::todas_las_raices(bolas, a, b, tol, presupuesto, j));
    auto dF = [&bolas](double x) { return (*bolas.c.df)(x); };
    return como_dict(raices::todas_las_raices(bolas, dF, a, b, tol, presupuesto, j));
  }
  if (demuestra)
    throw py::type_error("demuestra=True necesita f como texto o raices.Expresion: una función "
                         "de Python no se evalúa sobre bolas");
  LlamadaPy F(o.llamable);
  raices::Respuesta e;
  if (derivada.is_none()) {
    e = raices::todas_las_raices(F, a, b, tol, presupuesto);
  } else {
    LlamadaPy dF(derivada);
    e = raices::todas_las_raices(F, dF, a, b, tol, presupuesto);
    dF.relanza();
  }
  F.relanza();
  return como_dict(e);
}

} // namespace

void registra_todas(py::module_ &m) {
  m.def("_todas_las_raices", &todas, py::arg("f"), py::arg("a"), py::arg("b"),
        py::arg("demuestra") = false, py::arg("tol") = 1e-12,
        py::arg("presupuesto") = raices::PRESUPUESTO, py::arg("derivada") = py::none());
}

} // namespace raices_py
