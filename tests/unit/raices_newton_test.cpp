// Newton start and step: status, what is written to f_raiz, df_raiz and
// raiz (including before a test fails) and the calls of F and dF.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "P3/raices.h"
#include "registro.h"

namespace {

struct CasoNewton {
  const char *nombre;
  std::function<double(double)> f, df;
  double raiz;
  int status;
  double f_despues, df_despues, raiz_despues; // INTACTO: not written
  std::vector<Llamada> llamadas;
};

// newton(f, df, f_raiz, df_raiz, raiz) calls newtonIni or newtonIter.
template <typename Newton> void comprueba(Newton newton, const CasoNewton &c) {
  SCOPED_TRACE(c.nombre);
  en_ambas_formas([&](auto &f, auto &df) {
    prepara(c.f, c.df);
    double f_raiz = INTACTO, df_raiz = INTACTO, raiz = c.raiz;
    EXPECT_EQ(newton(f, df, f_raiz, df_raiz, raiz), c.status);
    EXPECT_PRED2(identico, f_raiz, c.f_despues);
    EXPECT_PRED2(identico, df_raiz, c.df_despues);
    EXPECT_PRED2(identico, raiz, c.raiz_despues);
    EXPECT_EQ(llamadas, c.llamadas);
  });
}

double parabola(double x) { return x * x - 2; }
double dparabola(double x) { return 2 * x; }

TEST(NewtonIni, ChecksWithoutMoving) {
  // One case per entry, laid out by hand.
  // clang-format off
  const CasoNewton casos[] = {
      {"valores_finitos", parabola, dparabola, 1, 0, -1, 2, 1,
       {{'F', 1}, {'D', 1}}},
      {"derivada_nula_aceptada", parabola, [](double) { return 0.0; }, 3, 0,
       7, 0, 3, {{'F', 3}, {'D', 3}}},
      {"f_nan_sin_derivada", [](double) { return NaN; }, dparabola, 1, 9, NaN,
       INTACTO, 1, {{'F', 1}}},
      {"f_infinita_sin_derivada", [](double) { return -Inf; }, dparabola, 1, 9,
       -Inf, INTACTO, 1, {{'F', 1}}},
      {"derivada_infinita", parabola, [](double) { return Inf; }, 2, 9, 2, Inf,
       2, {{'F', 2}, {'D', 2}}},
      {"derivada_nan", parabola, [](double) { return NaN; }, 2, 9, 2, NaN, 2,
       {{'F', 2}, {'D', 2}}},
  };
  // clang-format on
  for (const auto &c : casos) comprueba([](auto &f, auto &...v) { return newtonIni(f, v...); }, c);
}

TEST(NewtonIter, StepsAndCalls) {
  // One case per entry, laid out by hand.
  // clang-format off
  const CasoNewton casos[] = {
      // 1 - (-1) / 2 = 1.5
      {"paso", parabola, dparabola, 1, -2, -1, 2, 1.5, {{'F', 1}, {'D', 1}}},
      {"derivada_nula", parabola, [](double) { return 0.0; }, 3, 12, 7, 0, 3,
       {{'F', 3}, {'D', 3}}},
      {"derivada_menos_cero", parabola, [](double) { return -0.0; }, 3, 12, 7,
       -0.0, 3, {{'F', 3}, {'D', 3}}},
      // No exact-root test: at a root the step goes on and stays put.
      {"en_la_raiz", [](double) { return 0.0; }, dparabola, 4, -2, 0, 8, 4,
       {{'F', 4}, {'D', 4}}},
      {"f_no_finita", [](double) { return Inf; }, dparabola, 1, 9, Inf,
       INTACTO, 1, {{'F', 1}}},
      {"derivada_no_finita", parabola, [](double) { return -Inf; }, 2, 9, 2,
       -Inf, 2, {{'F', 2}, {'D', 2}}},
      // A quotient that overflows is stored as it comes: the next call reports it.
      {"correccion_enorme", [](double) { return 1e300; },
       [](double) { return 1e-300; }, 0, -2, 1e300, 1e-300, -Inf,
       {{'F', 0}, {'D', 0}}},
  };
  // clang-format on
  for (const auto &c : casos) comprueba([](auto &f, auto &...v) { return newtonIter(f, v...); }, c);
}

} // namespace
