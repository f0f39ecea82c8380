// Bisection, regula falsi and Newton-Raphson, numbered from 1 in the order
// the dialogue offers them; each is a row of the library's table.
#include "P3/rootbench/rootbench_metodos.h"

#include <iterator>

namespace raices {

namespace {

// Calls llamada(F, dF) with the objective's func pointers when it has them,
// else with its callables.
template <typename Llamada> auto con(const Objetivo &o, Llamada llamada) {
  if (o.f_compilada != nullptr) return llamada(o.f_compilada, o.df_compilada);
  return llamada(o.f, o.df);
}

const OpcionBench OPCIONES[] = {
    {indice<Biseccion>, "bisecci\xF3n", "error en bisecIni", Parada::anchura},
    {indice<RegulaFalsi>, "regula falsi", "error en rfalsiIni", Parada::cambio},
    {indice<Newton>, "newton rapson", "error en newtonIni", Parada::cambio},
};

} // namespace

const OpcionBench *metodo_numero(int numero) {
  if (numero < 1 || numero > static_cast<int>(std::size(OPCIONES))) return nullptr;
  return &OPCIONES[numero - 1];
}

Solucion resuelve(const OpcionBench &m, const Objetivo &o, double a, double b, double tol,
                  int max_pasos, const std::function<void(const Paso &)> &observa) {
  Criterio c;
  c.absoluta = tol;
  c.max_pasos = max_pasos;
  c.parada = m.parada;
  c.ceros_exactos = false;
  c.comprueba = o.comprueba;
  return con(
      o, [&](auto &f, auto &df) { return raices::resuelve(m.metodo, f, df, a, b, c, observa); });
}

} // namespace raices
