// Every root of F in [a, b]: one table of functions whose roots, singular
// points and near misses are known, each checked for the exact count, every
// point within its tolerance and of the right kind, and for the calls of F
// counted against a wrapper's own count. Then the thousand-root case and
// the budget.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "P3/todas/todas_las_raices.h"

namespace {

using raices::Clase;
using Fn = std::function<double(double)>;
const double PI = 3.141592653589793;
const double TOL = 1e-12;

struct Esperado {
  double x;
  Clase clase;
};

struct Tramo {
  double inf, sup; // exactly
  Clase clase;
};

struct Caso {
  const char *nombre;
  Fn f, df; // df empty: F' from differences of F
  double a, b;
  std::vector<Esperado> raices, singulares, casi;
  double error = 0; // how far a point may lie from x: 0 for 2 TOL max(1, |x|)
  std::vector<Tramo> tramos = {};
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
      // Corners of |F| where F is 0: at a double (0.3), or 1e-16 from one.
      {"esquina: |x - 0.3|",
       [](double x) { return std::fabs(x - 0.3); },
       {},
       0,
       1,
       {{0.3, Clase::par}},
       {},
       {}},
      {"esquinas: |sin(x)|",
       [](double x) { return std::fabs(std::sin(x)); },
       {},
       1,
       10,
       serie(
           3, [](int k) { return (k + 1) * PI; }, Clase::par),
       {},
       {}},
      // Even roots where F rounds to 0 on a band: its middle, found without F'.
      {"raiz doble (x - 0.0123)^2 (1 + x^2)",
       [](double x) { return (x - 0.0123) * (x - 0.0123) * (1 + x * x); },
       {},
       -0.5,
       3.5,
       {{0.0123, Clase::par}},
       {},
       {},
       1e-9},
      {"raices dobles de cos(2 (x - 0.07078)) - 1",
       [](double x) { return std::cos(2 * (x - 0.07078)) - 1; },
       {},
       -0.5,
       3.5,
       {{0.07078, Clase::par}, {0.07078 + PI, Clase::par}},
       {},
       {},
       1e-9},
      {"raiz doble de cos(x - 0.16581) - 1 sin f'",
       [](double x) { return std::cos(x - 0.16581) - 1; },
       {},
       -1,
       1,
       {{0.16581, Clase::par}},
       {},
       {},
       1e-9},
      // Stretches: where F is not defined, with their ends to the last
      // doubles, the poles beside them; where F is 0 throughout.
      {"log(1 - x): polo en 1, no definida despues",
       [](double x) { return std::log(1 - x); },
       {},
       0,
       2,
       {{0, Clase::simple}},
       {{1, Clase::polo}},
       {},
       0,
       {{std::nextafter(1.0, 2.0), 2, Clase::indefinida}}},
      {"sqrt(1 - x): no definida desde justo despues de 1, su raiz en el borde",
       [](double x) { return std::sqrt(1 - x); },
       {},
       0,
       2,
       {{1, Clase::borde}},
       {},
       {},
       0,
       {{std::nextafter(1.0, 2.0), 2, Clase::indefinida}}},
      {"log(x) en [-1, 2]",
       [](double x) { return std::log(x); },
       {},
       -1,
       2,
       {{1, Clase::simple}},
       {{0, Clase::polo}},
       {},
       0,
       {{-1, -std::numeric_limits<double>::denorm_min(), Clase::indefinida}}},
      {"f = 0 en todo [A, B]",
       [](double) { return 0.0; },
       {},
       0,
       1,
       {},
       {},
       {},
       0,
       {{0, 1, Clase::nula}}},
      {"f = 0 en un tramo",
       [](double x) { return std::fmin(0.0, x - 0.25) + std::fmax(0.0, x - 0.75); },
       {},
       0,
       1,
       {},
       {},
       {},
       0,
       {{0.25, 0.75, Clase::nula}}},
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
    const raices::Respuesta e = c.df ? raices::todas_las_raices(f, c.df, c.a, c.b, TOL)
                                     : raices::todas_las_raices(f, c.a, c.b, TOL);
    comprueba(c.raices, e.raices, c.error, "raices");
    comprueba(c.singulares, e.singulares, c.error, "singulares");
    comprueba(c.casi, e.casi, c.error, "casi");
    ASSERT_EQ(e.tramos.size(), c.tramos.size());
    for (std::size_t k = 0; k < c.tramos.size(); ++k) {
      EXPECT_EQ(e.tramos[k].inf, c.tramos[k].inf) << k;
      EXPECT_EQ(e.tramos[k].sup, c.tramos[k].sup) << k;
      EXPECT_EQ(e.tramos[k].clase, c.tramos[k].clase) << k;
    }
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
  const raices::Respuesta mil = ondas(1000), cien = ondas(100);
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
  const raices::Respuesta e = raices::todas_las_raices(f, 0.0, 3.15, TOL, presupuesto);
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

namespace {

// Intervals at the ends of the doubles: every point and stretch reported
// lies in [a, b], finite, with inf <= x <= sup, and the search ends within
// the budget on every one of them.
TEST(TodasLasRaices, TodoLoHalladoEstaEnElIntervaloEnLosExtremosDeLosDobles) {
  const double sub = std::numeric_limits<double>::denorm_min();
  const std::vector<std::pair<double, double>> intervalos = {
      {-DBL_MAX, DBL_MAX}, {-1e308, 1e308}, {sub, 2 * sub},    {-sub, sub},
      {1e300, 1e308},      {0, DBL_MAX},    {-1e-310, 1e-310}, {-DBL_MAX, -1e300}};
  const std::vector<Fn> funciones = {
      [](double x) { return x; },           [](double x) { return x - 1; },
      [](double x) { return 1 / (x - 1); }, [](double x) { return std::sin(x); },
      [](double x) { return x * x - 4; },   [](double x) { return std::log(x); }};
  for (const auto &[a, b] : intervalos) {
    for (std::size_t k = 0; k < funciones.size(); ++k) {
      SCOPED_TRACE(std::to_string(a) + " " + std::to_string(b) + " f" + std::to_string(k));
      const raices::Respuesta e = raices::todas_las_raices(funciones[k], a, b, TOL, 20000L);
      for (const auto *v : {&e.raices, &e.singulares, &e.casi, &e.tramos}) {
        for (const raices::Hallazgo &h : *v) {
          EXPECT_TRUE(h.inf >= a && h.inf <= h.x && h.x <= h.sup && h.sup <= b)
              << h.inf << " " << h.x << " " << h.sup;
        }
      }
      EXPECT_TRUE(e.explorado >= a && e.explorado <= b);
    }
  }
  // The pole at 1 in the middle of the widest interval, and the root at 1.
  const raices::Respuesta polo =
      raices::todas_las_raices([](double x) { return 1 / (x - 1); }, -1e308, 1e308, TOL);
  ASSERT_EQ(polo.singulares.size(), 1U);
  EXPECT_EQ(polo.singulares[0].x, 1);
  const raices::Respuesta raiz =
      raices::todas_las_raices([](double x) { return x - 1; }, -DBL_MAX, DBL_MAX, TOL);
  ASSERT_EQ(raiz.raices.size(), 1U);
  EXPECT_EQ(raiz.raices[0].x, 1);
}

} // namespace

// Two simple roots 4e-16 apart, beside the extremum of f: split by the sign
// of a double next to it, the first at its best double (f(1) = 0 exactly),
// every call of F counted.
TEST(TodasLasRaices, DosRaicesSimplesMasCercaQueLaTolerancia) {
  long llamadas = 0;
  auto f = [&](double x) { return ++llamadas, (x - 1) * (x - 1 - 4e-16) * std::exp(x); };
  auto df = [](double x) { return (2 * x - 2 - 4e-16 + (x - 1) * (x - 1 - 4e-16)) * std::exp(x); };
  const raices::Respuesta e = raices::todas_las_raices(f, df, 0, 3, TOL);
  ASSERT_EQ(e.raices.size(), 2U);
  EXPECT_EQ(e.raices[0].x, 1.0);
  EXPECT_GT(e.raices[1].x, 1.0);
  EXPECT_LE(e.raices[1].x - 1, 1e-15);
  for (const raices::Hallazgo &h : e.raices) EXPECT_EQ(h.clase, raices::Clase::simple);
  EXPECT_EQ(e.evaluaciones, llamadas);
}
