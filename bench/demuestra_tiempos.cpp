// Times of the search for every root, side by side in one run: the proof
// (demuestra_raices) of sin(1000 x) over [0, 3.15], and the search on
// doubles alone against the same search judged on balls
// (jueces_de_bolas), on the functions of rootscan's examples. Each pair is
// timed in alternating blocks; the median of the blocks is printed, in
// milliseconds per call.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "P3/todas/demuestra_raices.h"
#include "P3/todas/jueces_de_bolas.h"
#include "P3/todas/todas_las_raices.h"

namespace {

using raices::Bola;
using raices::Chorro;

struct Funcion {
  const char *nombre;
  std::function<double(double)> d;
  std::function<Bola(const Bola &)> b;
  std::function<Chorro(const Chorro &)> c;
  double a, b_;
  double operator()(double x) const { return d(x); }
  Bola operator()(const Bola &x) const { return b(x); }
  Chorro operator()(const Chorro &x) const { return c(x); }
};
template <class L> Funcion funcion(const char *n, L l, double a, double b) {
  return {n, l, l, l, a, b};
}

double ms(const std::function<void()> &trabajo) {
  const auto t0 = std::chrono::steady_clock::now();
  trabajo();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double mediana(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

} // namespace

int main() {
  const int bloques = 15;
  const double tol = 1e-12;
  Funcion ondas = funcion(
      "sin(1000x)", [](const auto &x) { return sin(1000.0 * x); }, 0, 3.15);
  std::vector<double> t;
  std::size_t raices = 0, piezas = 0;
  for (int k = 0; k < bloques; ++k) {
    t.push_back(ms([&] {
      const raices::Respuesta d = raices::demuestra_raices(ondas, 0.0, 3.15, tol);
      raices = d.raices.size();
      piezas = d.piezas.size();
    }));
  }
  std::printf("demuestra_raices sin(1000x) [0, 3.15]: %zu raices, %zu piezas, %.2f ms\n", raices,
              piezas, mediana(t));

  const std::vector<Funcion> casos = {
      funcion(
          "sin(5x) [0, 5]", [](const auto &x) { return sin(5.0 * x); }, 0, 5),
      funcion(
          "tan(x) [0, 10]", [](const auto &x) { return tan(x); }, 0, 10),
      funcion(
          "(x-1)^2(x-3)(x-3.5)/(x-2) [0, 4]",
          [](const auto &x) { return (x - 1.0) * (x - 1.0) * (x - 3.0) * (x - 3.5) / (x - 2.0); },
          0, 4),
      funcion(
          "exp(-x) - 2x^2 [0, 1]", [](const auto &x) { return exp(-x) - 2.0 * x * x; }, 0, 1),
      ondas,
  };
  std::printf("%-36s %12s %12s %7s\n", "todas_las_raices", "dobles, ms", "bolas, ms", "razon");
  for (const Funcion &f : casos) {
    std::vector<double> solo, juzgada;
    const raices::Jueces jueces = raices::jueces_de_bolas(f);
    for (int k = 0; k < bloques; ++k) {
      solo.push_back(ms([&] { (void)raices::todas_las_raices(f.d, f.a, f.b_, tol); }));
      juzgada.push_back(ms([&] {
        (void)raices::todas_las_raices(f.d, f.a, f.b_, tol, raices::PRESUPUESTO, jueces);
      }));
    }
    const double s = mediana(solo), j = mediana(juzgada);
    std::printf("%-36s %12.3f %12.3f %7.2f\n", f.nombre, s, j, j / s);
  }
  return 0;
}
