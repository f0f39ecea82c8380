// Brent told the caller's width: on three multiple roots it closes the
// bracket on the width, around the root, with the calls of SciPy's brentq
// (measured with SciPy 1.10.1, xtol = 2e-12, rtol = 4 eps, and made by the
// benchmarks' transcription of it), and without it with the calls of
// before; told through the method table, it makes the same calls. And the test for neighbouring
// doubles that ends its steps agrees with std::nextafter.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "P3/raices.h"
#include "bench/brentq.h"

namespace {

constexpr double ANCHO = 2e-12;

// brentq's test on the bracket: narrower than ANCHO + 4 eps |b|.
bool cerrado(const EstadoBrent &s) {
  return raices::ancho_menor(s.b, s.c, raices::tolerancia_mixta(ANCHO, 4 * DBL_EPSILON, s.b));
}

struct Multiple {
  const char *nombre;
  double (*f)(double);
  double a, b, raiz;
  long llamadas_dicho, llamadas_sin_decir; // calls of F, start included
};

const Multiple MULTIPLES[] = {
    {"(x-1)^3", [](double x) { return std::pow(x - 1, 3); }, 0, 2.5, 1, 103, 107},
    {"(x-1)^5", [](double x) { return std::pow(x - 1, 5); }, -1, 4, 1, 104, 112},
    {"x^9", [](double x) { return std::pow(x, 9); }, -1, 4, 0, 110, 118},
};

// Calls of F until the test holds, stepping EstadoBrent directly; s is the
// final state.
long resuelve(const Multiple &m, double tolerancia, EstadoBrent &s) {
  long llamadas = 0;
  const auto F = [&](double x) { return ++llamadas, m.f(x); };
  EXPECT_EQ(brentIni(F, m.a, m.b, s, tolerancia), RAICES_EXITO);
  while (s.fb != 0 && !cerrado(s) && llamadas < 1000) EXPECT_EQ(brentIter(F, s), RAICES_CONTINUA);
  return llamadas;
}

// The same through the method table, told by Busqueda::tolerancia.
long por_la_tabla(const Multiple &m) {
  long llamadas = 0;
  const auto F = [&](double x) { return ++llamadas, m.f(x); };
  const std::size_t brent = raices::indice<raices::Brent>;
  raices::Busqueda s;
  s.tolerancia = ANCHO;
  EXPECT_EQ(raices::inicia(brent, F, m.a, m.b, s), RAICES_EXITO);
  const EstadoBrent *e = raices::estado_de<raices::Brent>(s);
  EXPECT_NE(e, nullptr);
  while (e != nullptr && e->fb != 0 && !cerrado(*e) && llamadas < 1000)
    EXPECT_EQ(raices::avanza(brent, F, s), RAICES_CONTINUA);
  return llamadas;
}

TEST(BrentTolerancia, ClosesOnTheWidthWithBrentqsCallsOnMultipleRoots) {
  for (const Multiple &m : MULTIPLES) {
    SCOPED_TRACE(m.nombre);
    EstadoBrent dicho{}, sin_decir{};
    EXPECT_EQ(resuelve(m, ANCHO, dicho), m.llamadas_dicho);
    EXPECT_EQ(resuelve(m, 0, sin_decir), m.llamadas_sin_decir);
    EXPECT_EQ(por_la_tabla(m), m.llamadas_dicho);
    long de_brentq = 0;
    brentq::resuelve([&](double x) { return ++de_brentq, m.f(x); }, m.a, m.b, ANCHO,
                     4 * DBL_EPSILON, 1000);
    EXPECT_EQ(de_brentq, m.llamadas_dicho);
    for (const EstadoBrent &s : {dicho, sin_decir}) {
      EXPECT_TRUE(cerrado(s));
      EXPECT_LE(std::fmin(s.b, s.c), m.raiz);
      EXPECT_GE(std::fmax(s.b, s.c), m.raiz);
      EXPECT_FALSE(raices::detalle::mismo_signo(s.fb, s.fc));
    }
  }
}

TEST(BrentTolerancia, NeighboursAgreeWithNextafter) {
  const double min = std::numeric_limits<double>::denorm_min();
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double uno_menos = std::nextafter(1.0, 0.0), uno_mas = std::nextafter(1.0, 2.0);
  const double pares[][2] = {
      {1, uno_mas},
      {uno_mas, 1},
      {1, uno_menos},
      {uno_menos, 1},
      {uno_menos, uno_mas},
      {1, 1},
      {-1, -uno_mas},
      {-uno_mas, -1},
      {-1, -uno_menos},
      {0, min},
      {0, -min},
      {-0.0, min},
      {min, 0},
      {-min, 0},
      {-min, min},
      {0, -0.0},
      {0, 2 * min},
      {DBL_MIN, DBL_MIN - min},
      {DBL_MAX, inf},
      {inf, DBL_MAX},
      {-inf, -DBL_MAX},
      {-DBL_MAX, -inf},
      {1, nan},
      {nan, 1},
      {1e300, -1e300},
      {-2, 3},
      {1, 1 + 2 * DBL_EPSILON},
  };
  for (const auto &p : pares)
    EXPECT_EQ(raices::detalle::contiguos(p[0], p[1]), std::nextafter(p[0], p[1]) == p[1])
        << p[0] << " " << p[1];
}

} // namespace
