// Time per solve of four bracketing solvers in one run: the brentq
// transcription (brentq.h) and our Brent, Boost's toms748_solve and our
// Chandrupatla, on the Alefeld-Potra-Shi problems and on cheap smooth
// functions, each solver under the rule of resolutores_aps.h (brentq under
// its own, the same but for |x| taken at its best point).
//
// A round times one block of solves of the whole workload by each solver in
// turn, the order rotating from round to round, so that the four blocks of
// a round run within a millisecond of each other and a change in the
// machine's load hits them alike. Printed: the calls of F per workload, the
// median time per solve of each solver, and the medians over the rounds of
// the ratios Brent / brentq and Chandrupatla / toms748 (with their
// quartiles, the spread over the rounds).
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

#include "P3/metodos.h"
#include "casos.h"
#include "resolutores_aps.h"

namespace {

using Resolutor = aps::Cuenta (*)(const aps::Problema &);

aps::Cuenta brent(const aps::Problema &p) {
  return aps::con_metodo(raices::indice<raices::Brent>, p);
}
aps::Cuenta chandrupatla(const aps::Problema &p) {
  return aps::con_metodo(raices::indice<raices::Chandrupatla>, p);
}

struct Lado {
  const char *nombre;
  Resolutor r;
};
// Pairs: 0 against 1, 2 against 3.
const Lado LADOS[] = {{"brentq (C++)", aps::con_brentq},
                      {"our Brent", brent},
                      {"Boost toms748", aps::con_toms748},
                      {"our Chandrupatla", chandrupatla}};
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
      c.push_back({n + " on [" + std::to_string(k.a).substr(0, 4) + ", " +
                       std::to_string(k.b).substr(0, 4) + "]",
                   {{n, 0, 0, 0, k.a, k.b, k.f}}});
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
  std::vector<double> r01, r23;
  for (int k = 0; k < rondas; ++k) {
    double ns[NUM_LADOS];
    for (std::size_t j = 0; j < NUM_LADOS; ++j) {
      const std::size_t i = (j + static_cast<std::size_t>(k)) % NUM_LADOS;
      ns[i] = bloque(c, LADOS[i].r, veces);
    }
    for (std::size_t i = 0; i < NUM_LADOS; ++i) t[i].push_back(ns[i]);
    r01.push_back(ns[1] / ns[0]);
    r23.push_back(ns[3] / ns[2]);
  }
  std::printf("| %s |", c.nombre.c_str());
  for (std::size_t i = 0; i < NUM_LADOS; ++i) {
    long llamadas = 0;
    for (const aps::Problema &p : c.problemas) llamadas += LADOS[i].r(p).llamadas;
    std::printf(" %ld / %.0f |", llamadas, cuantil(t[i], 0.5));
  }
  std::printf(" **%.3f** (%.3f–%.3f) | **%.3f** (%.3f–%.3f) |\n", cuantil(r01, 0.5),
              cuantil(r01, 0.25), cuantil(r01, 0.75), cuantil(r23, 0.5), cuantil(r23, 0.25),
              cuantil(r23, 0.75));
  std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
  const int rondas = argc > 1 ? std::max(1, std::atoi(argv[1])) : 201;
  std::printf("| workload |");
  for (const Lado &l : LADOS) std::printf(" %s: calls / ns per solve |", l.nombre);
  std::printf(" Brent / brentq | Chandrupatla / toms748 |\n|---|");
  for (std::size_t i = 0; i < NUM_LADOS + 2; ++i) std::printf("---:|");
  std::printf("\n");
  for (const Carga &c : cargas()) mide(c, rondas);
  return 0;
}
