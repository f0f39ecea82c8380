// Steps of bisection and regula falsi: status, the caller's variables
// afterwards and the exact sequence of calls of F.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "P3/raices.h"
#include "registro.h"

namespace {

struct CasoPaso {
  const char *nombre;
  std::function<double(double)> f;
  double a, b;
  int status;
  double a_despues, b_despues, raiz_despues; // INTACTO: not written
  std::vector<Llamada> llamadas;
};

// paso(f, a, b, raiz) calls one step function with the recorder f.
template <typename Paso> void comprueba(Paso paso, const CasoPaso &c) {
  SCOPED_TRACE(c.nombre);
  en_ambas_formas([&](auto &f, auto &) {
    prepara(c.f);
    double a = c.a, b = c.b, raiz = INTACTO;
    EXPECT_EQ(paso(f, a, b, raiz), c.status);
    EXPECT_PRED2(identico, a, c.a_despues);
    EXPECT_PRED2(identico, b, c.b_despues);
    EXPECT_PRED2(identico, raiz, c.raiz_despues);
    EXPECT_EQ(llamadas, c.llamadas);
  });
}

double lineal(double x) { return x - 1; }
// -1 up to 1, +1 above: a sign change between two adjacent doubles.
double escalon(double x) { return x <= 1 ? -1 : 1; }

TEST(BisecIter, StepsAndCalls) {
  const double justo_encima = std::nextafter(1.0, 2.0);
  // One case per entry, laid out by hand.
  // clang-format off
  const CasoPaso casos[] = {
      {"mitad_izquierda", lineal, 0, 3, -2, 0, 1.5, 1.5,
       {{'F', 0}, {'F', 3}, {'F', 1.5}}},
      {"mitad_derecha", lineal, 0.5, 4, -2, 0.5, 2.25, 2.25,
       {{'F', 0.5}, {'F', 4}, {'F', 2.25}}},
      {"intervalo_invertido", lineal, 3, 0, -2, 1.5, 0, 1.5,
       {{'F', 3}, {'F', 0}, {'F', 1.5}}},
      {"raiz_exacta", lineal, 0, 2, 0, 0, 2, 1,
       {{'F', 0}, {'F', 2}, {'F', 1}}},
      {"menos_cero_es_raiz", [](double x) { return x == 1 ? -0.0 : x - 1; },
       0, 2, 0, 0, 2, 1, {{'F', 0}, {'F', 2}, {'F', 1}}},
      // A zero at a is the root: kept, with no third call.
      {"cero_en_a_es_la_raiz", [](double x) { return x; }, 0, 2, 0, 0, 2, 0,
       {{'F', 0}, {'F', 2}}},
      {"menos_cero_en_a_es_la_raiz", [](double x) { return x == 0 ? -0.0 : x; },
       0, 2, 0, 0, 2, 0, {{'F', 0}, {'F', 2}}},
      {"no_finito_en_el_punto", [](double x) { return x == 1 ? NaN : x - 1; },
       0, 2, 9, 0, 2, 1, {{'F', 0}, {'F', 2}, {'F', 1}}},
      {"infinito_en_el_punto", [](double x) { return x == 1 ? -Inf : x + 1; },
       0, 2, 9, 0, 2, 1, {{'F', 0}, {'F', 2}, {'F', 1}}},
      // F(b) is evaluated but takes no part, whatever it is.
      {"f_de_b_no_cuenta", [](double x) { return x == 3 ? NaN : x - 1; }, 0,
       3, -2, 0, 1.5, 1.5, {{'F', 0}, {'F', 3}, {'F', 1.5}}},
      {"nan_en_a_mueve_a", [](double x) { return x == 0 ? NaN : x - 1; }, 0,
       3, -2, 1.5, 3, 1.5, {{'F', 0}, {'F', 3}, {'F', 1.5}}},
      // Adjacent doubles: the midpoint is a itself; nothing moves, and the
      // step still reports that the search goes on.
      {"extremos_contiguos", escalon, 1, justo_encima, -2, 1, justo_encima, 1,
       {{'F', 1}, {'F', justo_encima}, {'F', 1}}},
      // Opposite signs whose product underflows to -0: b must move.
      {"diminutos_signo_opuesto",
       [](double x) { return x == 0 ? -1e-200 : 1e-200; }, 0, 2, -2, 0, 1, 1,
       {{'F', 0}, {'F', 2}, {'F', 1}}},
      {"diminutos_mismo_signo", [](double) { return 1e-200; }, 0, 2, -2, 1, 2,
       1, {{'F', 0}, {'F', 2}, {'F', 1}}},
  };
  // clang-format on
  for (const auto &c : casos) comprueba([](auto &f, auto &...v) { return bisecIter(f, v...); }, c);
}

TEST(RfalsiIter, StepsAndCalls) {
  auto parabola = [](double x) { return x * x - 2; };
  // One case per entry, laid out by hand.
  // clang-format off
  const CasoPaso casos[] = {
      // (F(a) b - F(b) a) / (F(a) - F(b)) = (-2*2 - 2*0) / -4 = 1.
      {"secante", parabola, 0, 2, -2, 1, 2, 1,
       {{'F', 0}, {'F', 2}, {'F', 1}}},
      {"secante_decreciente", [](double x) { return 2 - x * x; }, 0, 2, -2, 1,
       2, 1, {{'F', 0}, {'F', 2}, {'F', 1}}},
      // (-1*2 - 3*0) / (-1 - 3) = 0.5, where F has the sign of F(b).
      {"secante_mueve_b",
       [](double x) { return x == 0 ? -1.0 : (x == 2 ? 3.0 : 1.0); }, 0, 2,
       -2, 0, 0.5, 0.5, {{'F', 0}, {'F', 2}, {'F', 0.5}}},
      {"raiz_exacta", lineal, 0, 3, 0, 0, 3, 1,
       {{'F', 0}, {'F', 3}, {'F', 1}}},
      {"menos_cero_es_raiz", [](double x) { return x == 1 ? -0.0 : x - 1; },
       0, 2, 0, 0, 2, 1, {{'F', 0}, {'F', 2}, {'F', 1}}},
      // Equal values at both ends: nothing written, only two calls.
      {"ceros_en_ambos_extremos", [](double) { return 0.0; }, 0, 2, 12, 0, 2,
       INTACTO, {{'F', 0}, {'F', 2}}},
      {"iguales_no_nulos", [](double) { return 5.0; }, -1, 1, 12, -1, 1,
       INTACTO, {{'F', -1}, {'F', 1}}},
      {"no_finito_en_el_punto", [](double x) { return x == 1 ? Inf : x - 1; },
       0, 3, 9, 0, 3, 1, {{'F', 0}, {'F', 3}, {'F', 1}}},
      // A NaN at an end is not tested: the new point is NaN, F(NaN) too.
      {"nan_en_a", [](double x) { return x == 0 ? NaN : x; }, 0, 2, 9, 0, 2,
       NaN, {{'F', 0}, {'F', 2}, {'F', NaN}}},
      // (-1e-200*2) / (-2e-200) = 1; the sign product there underflows.
      {"diminutos_signo_opuesto",
       [](double x) { return x == 0 ? -1e-200 : 1e-200; }, 0, 2, -2, 0, 1, 1,
       {{'F', 0}, {'F', 2}, {'F', 1}}},
  };
  // clang-format on
  for (const auto &c : casos) comprueba([](auto &f, auto &...v) { return rfalsiIter(f, v...); }, c);
}

} // namespace
