// Every root of F in [a, b]: one table of functions whose roots, singular
// points and near misses are known, each checked for the exact count, every
// point within its tolerance and of the right kind, and for the calls of F
// counted against a wrapper's own count. Then the thousand-root case and
// the budget.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "P3/todas_las_raices.h"

namespace {

using raices::Clase;
using Fn = std::function<double(double)>;
const double PI = 3.141592653589793;
const double TOL = 1e-12;

struct Esperado {
  double x;
  Clase clase;
};

struct Caso {
  const char *nombre;
  Fn f, df; // df empty: F' from differences of F
  double a, b;
  std::vector<Esperado> raices, singulares, casi;
  double error = 0; // how far a point may lie from x: 0 for 2 TOL max(1, |x|)
};

std::vector<Esperado> serie(int n, const std::function<double(int)> &x, Clase c = Clase::simple) {
  std::vector<Esperado> v;
  v.reserve(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) v.push_back({x(k), c});
  return v;
}

std::vector<Caso> casos() {
  auto chebyshev = [](double x) { return std::cos(20 * std::acos(x)); };
  return {
      {"sin(5x) en [0, 5]",
       [](double x) { return std::sin(5 * x); },
       {},
       0,
       5,
       serie(8, [](int k) { return k * PI / 5; }),
       {},
       {}},
      {"Chebyshev T20, raices junto a los extremos",
       chebyshev,
       {},
       -1,
       1,
       serie(20, [](int k) { return -std::cos((2 * k + 1) * PI / 40); }),
       {},
       {}},
      {"raiz doble junto a una simple",
       [](double x) { return (x - 1) * (x - 1) * (x - 2); },
       [](double x) { return (x - 1) * (3 * x - 5); },
       0,
       3,
       {{1, Clase::par}, {2, Clase::simple}},
       {},
       {}},
      {"raiz doble sin f'",
       [](double x) { return (x - 1) * (x - 1) * (x - 2); },
       {},
       0,
       3,
       {{1, Clase::par}, {2, Clase::simple}},
       {},
       {},
       1e-7},
      {"tan(x) con polos",
       [](double x) { return std::tan(x); },
       {},
       0,
       10,
       serie(4, [](int k) { return k * PI; }),
       serie(
           3, [](int k) { return (2 * k + 1) * PI / 2; }, Clase::polo),
       {}},
      {"x sin(1/x): raices que se acumulan",
       [](double x) { return x * std::sin(1 / x); },
       {},
       0.02,
       1,
       serie(15, [](int k) { return 1 / ((15 - k) * PI); }),
       {},
       {}},
      {"sin raiz", [](double x) { return x * x + 1; }, {}, -1, 1, {}, {}, {}},
      {"raiz triple",
       [](double x) { return (x - 1) * (x - 1) * (x - 1); },
       {},
       0,
       3,
       {{1, Clase::impar}},
       {},
       {}},
      {"raices en A y en B",
       [](double x) { return x * (x - 1) * (x - 2); },
       {},
       0,
       2,
       serie(3, [](int k) { return k; }),
       {},
       {}},
      {"sin(x) en [0, pi]: f(B) es 1.2e-16",
       [](double x) { return std::sin(x); },
       {},
       0,
       PI,
       {{0, Clase::simple}, {PI, Clase::simple}},
       {},
       {}},
      {"tangente: sin(x) + 1",
       [](double x) { return std::sin(x) + 1; },
       [](double x) { return std::cos(x); },
       0,
       10,
       {{3 * PI / 2, Clase::par}},
       {},
       {}},
      {"casi raiz",
       [](double x) { return x * x + 1e-6; },
       {},
       -1,
       1,
       {},
       {},
       {{0, Clase::casi}},
       1e-6},
      {"par de raices a 2e-10, simples",
       [](double x) { return x * x - 1e-20; },
       {},
       -1,
       1,
       {{-1e-10, Clase::simple}, {1e-10, Clase::simple}},
       {},
       {}},
      {"salto con 0/0 en una muestra",
       [](double x) { return (x - 1.5) / std::fabs(x - 1.5) + 0.5; },
       {},
       0,
       3,
       {},
       {{1.5, Clase::salto}},
       {}},
      {"par de raices a 2e-6",
       [](double x) { return x * x - 1e-12; },
       {},
       -1,
       1,
       {{-1e-6, Clase::simple}, {1e-6, Clase::simple}},
       {},
       {}},
      {"salto",
       [](double x) { return (x - 0.3) / std::fabs(x - 0.3); },
       {},
       0,
       1,
       {},
       {{0.3, Clase::salto}},
       {}},
      {"salto sin 0/0",
       [](double x) { return x < 1 / 3.0 ? -1.0 : 2.0; },
       {},
       0,
       1,
       {},
       {{1 / 3.0, Clase::salto}},
       {}},
      {"polo en una muestra, f = -inf, junto a una raiz doble",
       [](double x) { return (x - 1) * (x - 1) * (x - 3) / (x - 2); },
       {},
       0,
       4,
       {{1, Clase::par}, {3, Clase::simple}},
       {{2, Clase::polo}},
       {},
       1e-7},
      {"polo sin cambio de signo",
       [](double x) { return 1 / (x * x); },
       {},
       -1,
       1.1,
       {},
       {{0, Clase::polo}},
       {},
       1e-6},
  };
}

void comprueba(const std::vector<Esperado> &esperados,
               const std::vector<raices::Hallazgo> &hallados, double error, const char *que) {
  ASSERT_EQ(hallados.size(), esperados.size()) << que;
  for (std::size_t k = 0; k < esperados.size(); ++k) {
    const double x = esperados[k].x;
    const double e = error > 0 ? error : 2 * TOL * std::fmax(1.0, std::fabs(x));
    EXPECT_NEAR(hallados[k].x, x, e) << que << " " << k;
    EXPECT_EQ(hallados[k].clase, esperados[k].clase) << que << " " << k;
  }
}

TEST(TodasLasRaices, TablaDeFuncionesConRaicesConocidas) {
  for (const Caso &c : casos()) {
    SCOPED_TRACE(c.nombre);
    long llamadas = 0;
    auto f = [&](double x) { return ++llamadas, c.f(x); };
    const raices::Exploracion e = c.df ? raices::todas_las_raices(f, c.df, c.a, c.b, TOL)
                                       : raices::todas_las_raices(f, c.a, c.b, TOL);
    comprueba(c.raices, e.raices, c.error, "raices");
    comprueba(c.singulares, e.singulares, c.error, "singulares");
    comprueba(c.casi, e.casi, c.error, "casi");
    EXPECT_EQ(e.evaluaciones, llamadas);
    EXPECT_EQ(e.estado, raices::SALIDA_BIEN);
    EXPECT_EQ(e.explorado, c.b);
    EXPECT_GT(e.resolucion, 0);
    EXPECT_LE(e.resolucion, (c.b - c.a) / raices::CELDAS_INICIALES);
  }
}

// A thousand roots: all found, every one simple, in a number of calls that
// grows about as the number of roots.
TEST(TodasLasRaices, MilRaicesEnPocasLlamadasPorRaiz) {
  auto ondas = [](double w) {
    return raices::todas_las_raices([w](double x) { return std::sin(w * x); }, 0.0, 3.15, TOL);
  };
  const raices::Exploracion mil = ondas(1000), cien = ondas(100);
  ASSERT_EQ(mil.raices.size(), 1003U);
  ASSERT_EQ(cien.raices.size(), 101U);
  for (std::size_t k = 0; k < mil.raices.size(); ++k)
    EXPECT_NEAR(mil.raices[k].x, k * PI / 1000, 2 * TOL * std::fmax(1.0, k * PI / 1000));
  EXPECT_LE(mil.evaluaciones, 40 * 1003);
  EXPECT_LT(mil.evaluaciones, 12 * cien.evaluaciones);
  EXPECT_LT(mil.resolucion, PI / 1000);
}

// A budget too small for the whole interval: status 11, the calls spent to
// the last, and every root listed lies in the part searched, all of whose
// roots are listed.
TEST(TodasLasRaices, ElPresupuestoAcabaLaBusquedaConLoHallado) {
  const long presupuesto = 5000;
  long llamadas = 0;
  auto f = [&](double x) { return ++llamadas, std::sin(1000 * x); };
  const raices::Exploracion e = raices::todas_las_raices(f, 0.0, 3.15, TOL, presupuesto);
  EXPECT_EQ(e.estado, raices::MAX_ITERACIONES);
  EXPECT_EQ(e.evaluaciones, presupuesto);
  EXPECT_EQ(llamadas, presupuesto);
  ASSERT_GT(e.explorado, 0.1);
  ASSERT_LT(e.explorado, 3.15);
  const auto en_lo_explorado = static_cast<std::size_t>(std::floor(e.explorado * 1000 / PI)) + 1;
  EXPECT_GE(e.raices.size(), en_lo_explorado);
  EXPECT_LE(e.raices.size(), en_lo_explorado + 1);
}

} // namespace
