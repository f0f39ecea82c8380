// raices.compara: every method of the table on one problem, as rootcompare
// runs them, with the observed order and every iterate.
#include <cmath>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "P3/bolas/comprueba_raiz.h"
#include "P3/rootcompare/compara_metodos.h"
#include "P3/rootcompare/desenlace.h"
#include "P3/rootcompare/orden.h"
#include "modulo.h"

namespace raices_py {

namespace {

py::list filas(const std::vector<raices::Resultado> &todos) {
  py::list l;
  for (const raices::Resultado &r : todos) {
    py::dict d;
    d["metodo"] = texto_py(raices::nombre(r));
    d["clave"] = raices::clave(r);
    d["pasos"] = r.iterados.size();
    d["evals"] = r.evals_f + r.evals_df;
    d["raiz"] = r.raiz;
    d["abs_f"] = std::fabs(r.f_raiz);
    const raices::Orden o = raices::orden_observado(r, raices::raiz_referencia(todos, r));
    d["orden"] = o.p;
    d["n"] = o.usados;
    d["resultado"] = texto_py(raices::texto_desenlace(r, raices::Detalle::palabra));
    d["detalle"] = texto_py(raices::texto_desenlace(r, raices::Detalle::catalogo));
    d["estado"] = r.estado;
    d["fuera"] = r.fuera;
    d["prueba"] = raices::clave_prueba(r.prueba);
    std::vector<double> paso{0}, x{r.inicio.x}, fx{r.inicio.fx};
    for (const raices::Iterado &it : r.iterados) {
      paso.push_back(it.paso);
      x.push_back(it.x);
      fx.push_back(it.fx);
    }
    d["it_paso"] = py::array_t<double>(static_cast<py::ssize_t>(paso.size()), paso.data());
    d["it_x"] = py::array_t<double>(static_cast<py::ssize_t>(x.size()), x.data());
    d["it_f"] = py::array_t<double>(static_cast<py::ssize_t>(fx.size()), fx.data());
    l.append(d);
  }
  return l;
}

py::list compara(const py::object &f, double a, double b, double tol, int max_pasos,
                 const py::object &derivada) {
  comprueba_intervalo(a, b, tol);
  if (max_pasos < 1) throw py::value_error("max_pasos debe ser al menos 1");
  const Objetivo o = objetivo(f, derivada);
  raices::Problema p{nullptr, nullptr, a, b, tol, max_pasos};
  if (o.expresion) {
    const Compilada &e = *o.expresion;
    p.f = [&e](double x) { return (*e.f)(x); };
    p.df = [&e](double x) { return e.df ? (*e.df)(x) : NAN; };
    if (!derivada.is_none() && !py::isinstance<py::str>(derivada)) {
      LlamadaPy dF(derivada);
      p.df = [&dF](double x) { return dF(x); };
      py::list l = filas(raices::compara(p));
      dF.relanza();
      return l;
    }
    p.comprueba = [&e](double x, double delta) { return raices::comprueba_raiz(*e.f, x, delta); };
    p.f_bolas = [&e](double x) { return raices::valor_decidido(*e.f, x).texto(2); };
    return filas(raices::compara(p));
  }
  LlamadaPy F(o.llamable);
  std::optional<LlamadaPy> dF;
  if (!derivada.is_none()) dF.emplace(derivada);
  p.f = [&F](double x) { return F(x); };
  p.df = [&dF](double x) { return dF ? (*dF)(x) : NAN; };
  py::list l = filas(raices::compara(p));
  F.relanza();
  if (dF) dF->relanza();
  return l;
}

} // namespace

void registra_compara(py::module_ &m) {
  m.def("_compara", &compara, py::arg("f"), py::arg("a"), py::arg("b"), py::arg("tol") = 1e-12,
        py::arg("max_pasos") = 100, py::arg("derivada") = py::none());
}

} // namespace raices_py
