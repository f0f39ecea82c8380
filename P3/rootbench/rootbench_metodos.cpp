// Bisection, regula falsi and Newton-Raphson, numbered from 1 in the order
// the dialogue offers them; each is a row of the library's table.
#include "P3/rootbench/rootbench_metodos.h"

#include <iterator>

#include "P3/paradas.h"

namespace raices {

namespace {

// Calls llamada(F, dF) with the objective's func pointers when it has them,
// so that fun and Dfun run through libraices.a, or with its callables.
template <typename Llamada> int con(const Objetivo &o, Llamada llamada) {
  if (o.f_compilada != nullptr) return llamada(o.f_compilada, o.df_compilada);
  return llamada(o.f, o.df);
}

const OpcionBench OPCIONES[] = {
    {indice<Biseccion>, "bisecci\xF3n", "error en bisecIni", Cambio::anchura},
    {indice<RegulaFalsi>, "regula falsi", "error en rfalsiIni", Cambio::correccion},
    {indice<Newton>, "newton rapson", "error en newtonIni", Cambio::correccion},
};

} // namespace

const OpcionBench *metodo_numero(int numero) {
  if (numero < 1 || numero > static_cast<int>(std::size(OPCIONES))) return nullptr;
  return &OPCIONES[numero - 1];
}

int inicia(const OpcionBench &m, const Objetivo &o, double a, double b, Busqueda &s) {
  return con(o, [&](auto &f, auto &df) { return raices::inicia(m.metodo, f, df, a, b, s); });
}

int avanza(const OpcionBench &m, const Objetivo &o, Busqueda &s) {
  return con(o, [&](auto &f, auto &df) { return raices::avanza(m.metodo, f, df, s); });
}

bool bajo_tolerancia(const OpcionBench &m, const Busqueda &s, double raiz_previa, double tol) {
  if (m.cambio == Cambio::anchura) return ancho_menor(s.a, s.b, tol);
  return cambio_menor(estimacion(m.metodo, s), raiz_previa, tol);
}

} // namespace raices
