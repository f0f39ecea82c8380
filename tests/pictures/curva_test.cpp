// The curve of f as both programs draw it, before any drawing: its y range,
// the points where it is cut, its removable points and undefined stretches,
// and the x window PLplot can number, on a table of functions.
#include <cfloat>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "P3/dibujo/curva.h"

namespace {

using raices::Curva;
using raices::Tramo;

struct Caso {
  const char *nombre;
  std::function<double(double)> f;
  Tramo x;
  double y_max_desde, y_max_hasta; // the top of the range lies between these
  std::vector<double> cortes;      // where |f| grows without bound
  std::vector<double> evitables;   // removable points
  std::vector<Tramo> indefinidos;  // undefined stretches
};

TEST(Curva, LoQueImportaALaVista) {
  const double pi = 3.14159265358979323846;
  const std::vector<Caso> casos = {
      {"exp(-x^2): a bell, not a wall at 1e-98",
       [](double x) { return std::exp(-x * x); },
       {-30, 30},
       1,
       1.1,
       {},
       {},
       {}},
      {"exp(-x) over [0, 1000]: its value at 0 kept",
       [](double x) { return std::exp(-x); },
       {0, 1000},
       1,
       1.1,
       {},
       {},
       {}},
      {"1/(x - 1.1): a few times its median size",
       [](double x) { return 1 / (x - 1.1); },
       {0, 2},
       2,
       20,
       {1.1},
       {},
       {}},
      {"tan(x): three poles",
       [](double x) { return std::tan(x); },
       {0, 10},
       1,
       20,
       {pi / 2, 3 * pi / 2, 5 * pi / 2},
       {},
       {}},
      {"1/x^2 with a sample at the pole",
       [](double x) { return 1 / (x * x); },
       {-1, 1},
       1,
       100,
       {0},
       {},
       {}},
      {"sin(x)/x: removable at 0",
       [](double x) { return std::sin(x) / x; },
       {-10, 10},
       1,
       1.1,
       {},
       {0},
       {}},
      {"sqrt(x^2 - 1): undefined on (-1, 1)",
       [](double x) { return std::sqrt(x * x - 1); },
       {-3, 3},
       2.8,
       3,
       {},
       {},
       {{-1, 1}}},
      {"a jump is bounded: not cut",
       [](double x) { return x < 0.3 ? -1.0 : 2.0; },
       {0, 1},
       2,
       2.2,
       {},
       {},
       {}},
      {"f = 0 everywhere", [](double) { return 0.0; }, {0, 1}, 0.5, 1.5, {}, {}, {}},
      {"values below PLplot's scale: drawn on 0",
       [](double x) { return 1e-320 * x; },
       {-1, 1},
       1e-250,
       1.2e-250,
       {},
       {},
       {}},
  };
  for (const Caso &c : casos) {
    const Curva curva = raices::analiza_curva(c.f, c.x, 1001);
    EXPECT_GE(curva.y1, c.y_max_desde) << c.nombre;
    EXPECT_LE(curva.y1, c.y_max_hasta) << c.nombre;
    EXPECT_LE(curva.y0, 0) << c.nombre;
    const double paso = (c.x.hasta - c.x.desde) / 1000;
    ASSERT_EQ(curva.cortes.size(), c.cortes.size()) << c.nombre;
    for (std::size_t i = 0; i < c.cortes.size(); ++i)
      EXPECT_NEAR(curva.cortes[i], c.cortes[i], paso) << c.nombre;
    EXPECT_EQ(curva.sale_arriba, !c.cortes.empty()) << c.nombre;
    ASSERT_EQ(curva.evitables.size(), c.evitables.size()) << c.nombre;
    for (std::size_t i = 0; i < c.evitables.size(); ++i) {
      EXPECT_EQ(curva.evitables[i].x, c.evitables[i]) << c.nombre;
      EXPECT_NEAR(curva.evitables[i].y, c.f(c.evitables[i] + 1e-9), 1e-6) << c.nombre;
    }
    ASSERT_EQ(curva.indefinidos.size(), c.indefinidos.size()) << c.nombre;
    for (std::size_t i = 0; i < c.indefinidos.size(); ++i) {
      EXPECT_NEAR(curva.indefinidos[i].desde, c.indefinidos[i].desde, 1e-12) << c.nombre;
      EXPECT_NEAR(curva.indefinidos[i].hasta, c.indefinidos[i].hasta, 1e-12) << c.nombre;
    }
  }
}

// Windows PLplot can number: narrow ones widened about their centre, the
// whole range of doubles held where PLplot's arithmetic stays finite.
TEST(Curva, VentanasQuePLplotNumera) {
  const Tramo ordinario = raices::tramo_dibujable(0, 1);
  EXPECT_EQ(ordinario.desde, 0);
  EXPECT_EQ(ordinario.hasta, 1);
  const Tramo casos[] = {{1, std::nextafter(1.0, 2.0)},
                         {0, 4.9406564584124654e-324},
                         {-DBL_MAX, DBL_MAX},
                         {1e308, DBL_MAX},
                         {-1e-300, 1e-300},
                         {5, 5}};
  for (const Tramo &t : casos) {
    const Tramo v = raices::tramo_dibujable(t.desde, t.hasta);
    const double mayor = std::fmax(std::fabs(v.desde), std::fabs(v.hasta));
    EXPECT_GE(v.hasta - v.desde, 0.999e-6 * mayor) << t.desde << " " << t.hasta;
    EXPECT_GT(v.hasta - v.desde, 0) << t.desde << " " << t.hasta;
    EXPECT_LE(mayor, 1.001e150) << t.desde << " " << t.hasta;
    if (std::fabs(t.desde) < 1e150 && std::fabs(t.hasta) < 1e150) {
      EXPECT_LE(v.desde, t.desde);
      EXPECT_GE(v.hasta, t.hasta);
    }
  }
}

} // namespace
