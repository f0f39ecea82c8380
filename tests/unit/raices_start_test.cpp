// Start checks of the bracketing methods: status and calls of F, the same
// for bisection and regula falsi.
#include <gtest/gtest.h>

#include <vector>

#include "P3/raices.h"
#include "registro.h"

namespace {

struct CasoInicio {
  const char *nombre;
  double fa, fb; // F(a) and F(b), with a = 1 and b = 2
  int status;
  int llamadas; // 1: only F(a); 2: F(a), F(b)
};

const CasoInicio casos[] = {
    {"cambio_de_signo", -1, 1, 0, 2},
    {"cambio_de_signo_inverso", 3, -0.5, 0, 2},
    {"mismo_signo_positivo", 1, 2, 27, 2},
    {"mismo_signo_negativo", -1, -2, 27, 2},
    {"cero_en_a", 0, 5, 0, 2},
    {"cero_en_b", -5, 0, 0, 2},
    {"menos_cero_en_a", -0.0, -5, 0, 2},
    {"ceros_en_ambos", 0, 0, 0, 2},
    {"nan_en_a_sin_evaluar_b", NaN, 1, 9, 1},
    {"infinito_en_a_sin_evaluar_b", Inf, 1, 9, 1},
    {"menos_infinito_en_a", -Inf, 1, 9, 1},
    {"nan_en_b", 1, NaN, 9, 2},
    {"infinito_en_b", -1, -Inf, 9, 2},
    // Products of these underflow to zero in doubles; the sign decides.
    {"diminutos_mismo_signo", 1e-200, 1e-200, 27, 2},
    {"diminutos_negativos_mismo_signo", -1e-200, -1e-300, 27, 2},
    {"diminutos_signo_opuesto", 1e-200, -1e-200, 0, 2},
    {"subnormales_mismo_signo", 4.9e-324, 4.9e-324, 27, 2},
    // Products that overflow keep their sign.
    {"enormes_mismo_signo", 1e200, 1e200, 27, 2},
    {"enormes_signo_opuesto", -1e200, 1e200, 0, 2},
};

// inicio(f, a, b) calls bisecIni or rfalsiIni with the recorder f.
template <typename Inicio> void comprueba(Inicio inicio, const CasoInicio &c, double a, double b) {
  SCOPED_TRACE(c.nombre);
  en_ambas_formas([&](auto &f, auto &) {
    prepara([&](double x) { return x == a ? c.fa : c.fb; });
    EXPECT_EQ(inicio(f, a, b), c.status);
    std::vector<Llamada> esperadas{{'F', a}, {'F', b}};
    esperadas.resize(c.llamadas);
    EXPECT_EQ(llamadas, esperadas);
  });
}

const auto bisec = [](auto &f, double a, double b) { return bisecIni(f, a, b); };
const auto rfalsi = [](auto &f, double a, double b) { return rfalsiIni(f, a, b); };

TEST(InicioAcotado, BisecIniStatusAndCalls) {
  for (const auto &c : casos) comprueba(bisec, c, 1, 2);
}

TEST(InicioAcotado, RfalsiIniStatusAndCalls) {
  for (const auto &c : casos) comprueba(rfalsi, c, 1, 2);
}

TEST(InicioAcotado, OrderOfEndsDoesNotMatter) {
  for (const auto &c : casos) {
    comprueba(bisec, c, 2, -7);
    comprueba(rfalsi, c, 2, -7);
  }
}

TEST(InicioAcotado, EqualEndsAcceptedOnlyAtAZero) {
  prepara([](double x) { return x - 1; });
  EXPECT_EQ(bisecIni(F, 1, 1), 0);
  EXPECT_EQ(rfalsiIni(F, 2, 2), 27);
}

} // namespace
