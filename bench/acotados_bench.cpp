// Time per solve of bracketing solvers in one run: the brentq transcription
// (brentq.h) and our Brent, Boost's toms748_solve and our Chandrupatla, on
// the Alefeld-Potra-Shi problems and on cheap smooth functions, every
// solver under the rule of resolutores_aps.h. Ours run twice: through the
// search, raices::resuelve, as every program runs them, and with their step
// functions called directly in a loop of their own; the difference between
// the two is what the search adds to the steps, the direct loop what the
// steps cost against the peer's whole solve.
//
// A round times one block of solves of the whole workload by each solver in
// turn, the order rotating from round to round, so that the four blocks of
// a round run within a millisecond or so of each other and a change in the
// machine's load hits them alike. Printed: the calls of F per workload, the
// median time per solve of each solver, and the medians over the rounds of
// the ratios of our Brent to brentq and of our Chandrupatla to toms748
// (with their quartiles, the spread over the rounds).
//
// acotados_bench [rounds]   (default 201)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "P3/metodos/metodos.h"
#include "casos.h"
#include "resolutores_aps.h"

namespace {

using Resolutor = aps::Cuenta (*)(const aps::Problema &);

aps::Cuenta brentq_comun(const aps::Problema &p) { return aps::con_brentq(p, true); }
aps::Cuenta brent(const aps::Problema &p) {
  return aps::con_metodo(raices::indice<raices::Brent>, p);
}
aps::Cuenta chandrupatla(const aps::Problema &p) {
  return aps::con_metodo(raices::indice<raices::Chandrupatla>, p);
}

// The same rule with the step functions called directly, in a loop of
// their own, and F counted as brentq's is: what the steps themselves cost,
// without the search's loop, stopping test and verdict around them. Kept to
// tell the step's cost from the search's.
aps::Cuenta brent_directo(const aps::Problema &p) {
  aps::Cuenta c;
  const auto F = [&p, &c](double x) { return ++c.llamadas, p(x); };
  EstadoBrent s{};
  if (brentIni(F, p.a, p.b, s, aps::ANCHO) != RAICES_EXITO) return c;
  while (c.llamadas < aps::MAX_LLAMADAS) {
    const int estado = brentIter(F, s);
    c.x = s.b;
    c.resuelto = estado == RAICES_EXITO || (estado == RAICES_CONTINUA && aps::cerrado(s.b, s.c));
    if (c.resuelto || estado != RAICES_CONTINUA) break;
  }
  return c;
}
aps::Cuenta chandrupatla_directo(const aps::Problema &p) {
  aps::Cuenta c;
  const auto F = [&p, &c](double x) { return ++c.llamadas, p(x); };
  EstadoChandrupatla s{};
  if (chandrupatlaIni(F, p.a, p.b, s, aps::ANCHO) != RAICES_EXITO) return c;
  while (c.llamadas < aps::MAX_LLAMADAS) {
    const int estado = chandrupatlaIter(F, s);
    const bool a_mejor = std::fabs(s.fa) < std::fabs(s.fb);
    c.x = a_mejor ? s.a : s.b;
    c.resuelto = estado == RAICES_EXITO || (estado == RAICES_CONTINUA && aps::cerrado(s.a, s.b));
    if (c.resuelto || estado != RAICES_CONTINUA) break;
  }
  return c;
}

struct Lado {
  const char *nombre;
  Resolutor r;
};
// Ratios: 1 and 2 against 0, 4 and 5 against 3.
const Lado LADOS[] = {
    {"brentq (C++)", brentq_comun},         {"Brent, search", brent},
    {"Brent, direct", brent_directo},       {"Boost toms748", aps::con_toms748},
    {"Chandrupatla, search", chandrupatla}, {"Chandrupatla, direct", chandrupatla_directo}};
constexpr std::size_t NUM_LADOS = sizeof LADOS / sizeof LADOS[0];

struct Carga {
  std::string nombre;
  std::vector<aps::Problema> problemas;
};

std::vector<Carga> cargas() {
  std::vector<aps::Problema> todos = aps::problemas();
  std::vector<aps::Problema> v(todos.begin(), todos.begin() + aps::NUM_APS);
  std::vector<Carga> c{{"APS (154 problems)", v}};
  for (const casos::Caso &k : casos::CASOS) {
    const std::string n = k.nombre;
    if (n == "cos(x)-x" || n == "sin(x)-x/2" || n == "x^3-2x-5")
      c.push_back({n, {{n, 0, 0, 0, k.a, k.b, k.f}}});
  }
  return c;
}

double bloque(const Carga &c, Resolutor r, long veces) {
  const auto t0 = std::chrono::steady_clock::now();
  double x = 0;
  for (long i = 0; i < veces; ++i)
    for (const aps::Problema &p : c.problemas) x += r(p).x;
  benchmark::DoNotOptimize(x);
  const auto t1 = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::nano>(t1 - t0).count() /
         static_cast<double>(veces * static_cast<long>(c.problemas.size()));
}

double cuantil(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5)];
}

void mide(const Carga &c, int rondas) {
  // Blocks of some 50 microseconds for the slowest solver.
  double lento = 0;
  for (const Lado &l : LADOS) lento = std::max(lento, bloque(c, l.r, 20));
  const double por_bloque = lento * static_cast<double>(c.problemas.size());
  const long veces = std::clamp(std::lround(50e3 / por_bloque), 1L, 100000L);
  std::vector<std::vector<double>> t(NUM_LADOS);
  std::vector<std::vector<double>> r(4);
  for (int k = 0; k < rondas; ++k) {
    double ns[NUM_LADOS];
    for (std::size_t j = 0; j < NUM_LADOS; ++j) {
      const std::size_t i = (j + static_cast<std::size_t>(k)) % NUM_LADOS;
      ns[i] = bloque(c, LADOS[i].r, veces);
    }
    for (std::size_t i = 0; i < NUM_LADOS; ++i) t[i].push_back(ns[i]);
    r[0].push_back(ns[1] / ns[0]);
    r[1].push_back(ns[2] / ns[0]);
    r[2].push_back(ns[4] / ns[3]);
    r[3].push_back(ns[5] / ns[3]);
  }
  std::printf("| %s |", c.nombre.c_str());
  for (std::size_t i = 0; i < NUM_LADOS; ++i) {
    long llamadas = 0;
    for (const aps::Problema &p : c.problemas) llamadas += LADOS[i].r(p).llamadas;
    std::printf(" %ld / %.0f |", llamadas, cuantil(t[i], 0.5));
  }
  for (const std::vector<double> &v : r)
    std::printf(" **%.3f** (%.3f–%.3f) |", cuantil(v, 0.5), cuantil(v, 0.25), cuantil(v, 0.75));
  std::printf("\n");
  std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
  const int rondas = argc > 1 ? std::max(1, std::atoi(argv[1])) : 201;
  std::printf("| workload |");
  for (const Lado &l : LADOS) std::printf(" %s: calls / ns per solve |", l.nombre);
  std::printf(" Brent, search / brentq | Brent, direct / brentq | Chandrupatla, search / toms748 |"
              " Chandrupatla, direct / toms748 |\n|---|");
  for (std::size_t i = 0; i < NUM_LADOS + 4; ++i) std::printf("---:|");
  std::printf("\n");
  for (const Carga &c : cargas()) mide(c, rondas);
  return 0;
}
