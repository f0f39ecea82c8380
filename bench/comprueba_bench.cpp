// The price of checking roots on balls: rootcompare's engine on a typed f,
// with the check of every reported root and without it, side by side in one
// run, and the check alone of its eight roots. The difference is what the
// check adds to a comparison (target: under 10 ms for the eight roots).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "P3/bolas/comprueba_raiz.h"
#include "P3/expresion/expresion.h"
#include "P3/rootcompare/compara_metodos.h"

namespace {

struct Caso {
  const char *texto;
  double a, b;
};

// Smooth roots, an expanded triple root, an underflowing tail.
const Caso casos[] = {{"cos(x) - x", 0, 1},
                      {"x^3 - 2*x - 5", 2, 3},
                      {"x^3 - 3*x^2 + 3*x - 1", 0, 2.5},
                      {"exp(-x)", 0, 1000},
                      {"sin(10*x)*exp(-x) + log(1+x)/10", 0.2, 0.5}};

raices::Problema problema(const Funciones &fs, const Caso &c, bool con_prueba) {
  raices::Problema p{[&fs](double x) { return fs.f(x); },
                     [&fs](double x) { return fs.df(x); },
                     c.a,
                     c.b,
                     1e-12,
                     100};
  if (con_prueba)
    p.comprueba = [&fs](double x, double delta) { return raices::comprueba_raiz(fs.f, x, delta); };
  return p;
}

void compara(benchmark::State &state, bool con_prueba) {
  const Caso &c = casos[state.range(0)];
  const Funciones fs = prepara_funciones(c.texto, nullptr);
  const raices::Problema p = problema(fs, c, con_prueba);
  for (auto _ : state) benchmark::DoNotOptimize(raices::compara(p));
  state.SetLabel(c.texto);
}

void BM_compara_sin_prueba(benchmark::State &state) { compara(state, false); }
void BM_compara_con_prueba(benchmark::State &state) { compara(state, true); }

// The check alone, at the roots the eight methods reported.
void BM_pruebas_de_las_raices(benchmark::State &state) {
  const Caso &c = casos[state.range(0)];
  const Funciones fs = prepara_funciones(c.texto, nullptr);
  std::vector<double> raices;
  for (const raices::Resultado &r : raices::compara(problema(fs, c, false)))
    raices.push_back(r.raiz);
  for (auto _ : state)
    for (double x : raices)
      benchmark::DoNotOptimize(raices::comprueba_raiz(fs.f, x, 1e-12 * std::max(1.0, std::abs(x))));
  state.SetLabel(std::string(c.texto) + ", " + std::to_string(raices.size()) + " roots");
}

constexpr int numero_casos = static_cast<int>(std::size(casos));

} // namespace

BENCHMARK(BM_compara_sin_prueba)->DenseRange(0, numero_casos - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_compara_con_prueba)->DenseRange(0, numero_casos - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pruebas_de_las_raices)->DenseRange(0, numero_casos - 1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
