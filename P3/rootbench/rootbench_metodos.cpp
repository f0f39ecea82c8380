// Bisection, regula falsi and Newton-Raphson as rows of one table, numbered
// from 1 in the order the dialogue offers them.
#include "P3/rootbench/rootbench_metodos.h"

#include <cmath>
#include <iterator>

#include "P3/raices.h"

// Calls llamada(F, dF) with the objective's func pointers when it has them,
// so that fun and Dfun run through libraices.a, or with its callables.
template <typename Llamada> static int con(const Objetivo &o, Llamada llamada) {
  if (o.f_compilada != nullptr) return llamada(o.f_compilada, o.df_compilada);
  return llamada(o.f, o.df);
}

static int bisec_inicio(const Objetivo &o, Estado &e) {
  return con(o, [&](auto &f, auto &) { return bisecIni(f, e.a, e.b); });
}
static int bisec_paso(const Objetivo &o, Estado &e) {
  return con(o, [&](auto &f, auto &) { return bisecIter(f, e.a, e.b, e.raiz); });
}

static int rfalsi_inicio(const Objetivo &o, Estado &e) {
  return con(o, [&](auto &f, auto &) { return rfalsiIni(f, e.a, e.b); });
}
static int rfalsi_paso(const Objetivo &o, Estado &e) {
  return con(o, [&](auto &f, auto &) { return rfalsiIter(f, e.a, e.b, e.raiz); });
}

// Newton starts from a; its steps leave a and b as typed.
static int newton_inicio(const Objetivo &o, Estado &e) {
  e.raiz = e.a;
  return con(o, [&](auto &f, auto &df) { return newtonIni(f, df, e.f_raiz, e.df_raiz, e.raiz); });
}
static int newton_paso(const Objetivo &o, Estado &e) {
  return con(o, [&](auto &f, auto &df) { return newtonIter(f, df, e.f_raiz, e.df_raiz, e.raiz); });
}

// Bisection measures the bracket left after the step.
static double anchura(const Estado &e, double /*raiz_previa*/) { return std::fabs(e.a - e.b); }
// The other methods measure their last correction.
static double correccion(const Estado &e, double raiz_previa) {
  return std::fabs(e.raiz - raiz_previa);
}

static const bool ACOTADO = true;

static const Metodo METODOS[] = {
    {"bisecci\xF3n", "error en bisecIni", bisec_inicio, bisec_paso, ACOTADO, anchura},
    {"regula falsi", "error en rfalsiIni", rfalsi_inicio, rfalsi_paso, ACOTADO, correccion},
    {"newton rapson", "error en newtonIni", newton_inicio, newton_paso, !ACOTADO, correccion},
};

const Metodo *metodo_numero(int numero) {
  if (numero < 1 || numero > static_cast<int>(std::size(METODOS))) return nullptr;
  return &METODOS[numero - 1];
}
