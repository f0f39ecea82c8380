// Derivatives of typed functions: a typed f' checked against differences of
// f, and the derivation answering every text quickly, whatever its numbers.
#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "P3/expresion/expresion.h"

namespace {

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SANITIZADO
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(SANITIZADO)
constexpr bool sanitizado = true;
#else
constexpr bool sanitizado = false;
#endif

struct Tecleada {
  const char *f, *df;
  double a, b;
  const char *aviso; // empty: silent
};

// Wrong derivatives (a sign, a term, a factor) warned; right ones silent,
// also where f has a kink, a pole or no value at a sampled point, or where
// differences are coarse (a fast oscillation, a large constant term).
TEST(Derivada, TecleadaComparadaConDiferencias) {
  const std::string aviso = "Aviso: f'(x) no parece la derivada de f: ";
  const std::vector<Tecleada> casos = {
      {"cos(x) - x", "sin(x) - 1", 0, 1, "en x = 0.25, f' = -0.752596, diferencias: -1.2474"},
      {"x^3 - 2*x - 5", "3*x^2", 2, 3, "en x = 2, f' = 12, diferencias: 10"},
      {"exp(-x) - 2*x^2", "-exp(-x) - 2*x", 0, 1,
       "en x = 0.25, f' = -1.2788, diferencias: -1.7788"},
      {"cos(x) - x", "-sin(x) - 1", 0, 1, ""},
      {"x^2 - 2", "2*x", 0, 2, ""},
      {"log(x)", "1/x", 0, 2, ""},
      {"sqrt(x) - 1", "0.5/sqrt(x)", 0, 4, ""},
      {"tan(x) - x", "tan(x)^2", 0, 1.5, ""},
      {"abs(x - 0.5)", "1", 0.5, 1, ""},
      {"abs(x - 0.5)", "(x - 0.5)/abs(x - 0.5)", 0, 1, ""},
      {"atan(x)", "1/(1 + x^2)", -1e3, 1e3, ""},
      {"1/(x - 1.1)", "-1/(x - 1.1)^2", 0, 2, ""},
      {"sin(1000*x)", "1000*cos(1000*x)", 0, 1, ""},
      {"1e10 + x^20 - 1", "20*x^19", 0, 2.5, ""},
      // Zero on a stretch, where f' rounds to a few ulps of nothing.
      {"(abs(x-1)+(x-1))*(x-2)", "((x-1)/abs(x-1)+1)*(x-2) + abs(x-1)+(x-1)", -3, 3, ""},
      // Faster than the first step of the differences.
      {"sin(300000*x)", "300000*cos(300000*x)", 0, 20, ""},
      {"sin(300000*x)", "300000*sin(300000*x)", 0, 20, "en x = 0, f' = 0, diferencias: 299936"},
  };
  for (const Tecleada &c : casos) {
    const Funciones fs = prepara_funciones(c.f, c.df);
    const std::string esperado = *c.aviso != '\0' ? aviso + c.aviso : "";
    EXPECT_EQ(aviso_derivada(fs, c.a, c.b), esperado) << c.f << " con f' = " << c.df;
  }
  EXPECT_EQ(aviso_derivada(prepara_funciones("x^2", nullptr), 0, 1), "");
}

// A derived f' is never refused, and the derivation's correct ones raise no
// warning on functions built from abs, sqrt, powers and products that vanish
// on a stretch, nor on fast oscillations.
TEST(Derivada, CalculadaNuncaRechazada) {
  for (const char *f : {"(abs(x-1)+(x-1))*(x-2)", "sqrt(abs(x)+x)*x", "(abs(x)-x)^3*(x+2)^2",
                        "(x+abs(x))^2/(1+x^2)", "sin(300000*x)", "cos(300000*x)*x",
                        "exp(-x)*(abs(x-2)+x-2)^1.5", "tan(1e5*x)"}) {
    Funciones fs = prepara_funciones(f, nullptr);
    EXPECT_EQ(aviso_derivada(fs, -2, 20), "") << f << ": " << fs.df.texto();
  }
}

// The classic functions (those of classic_roots.txt) with their derivatives
// typed as the derivation writes them: never warned, on their intervals.
TEST(Derivada, ClasicasSinAviso) {
  const std::vector<Tecleada> clasicas = {
      {"cos(x) - x", "", 0, 1, ""},     {"x^3 - 2*x - 5", "", 2, 3, ""},
      {"x^2 - 2", "", 1, 2, ""},        {"x*exp(x) - 1", "", 0, 1, ""},
      {"sin(x)", "", 3, 4, ""},         {"log(x) - 1", "", 2, 3, ""},
      {"x^10 - 1", "", 0, 1.3, ""},     {"(x-1)^3", "", 0, 3, ""},
      {"x^3 - 2*x + 2", "", 0, 1, ""},  {"x^2 + 1", "", -1, 1, ""},
      {"sqrt(x)", "", -1, 1, ""},       {"log(x)", "", 0, 1, ""},
      {"exp(-x) - 2*x^2", "", 0, 3, ""}};
  for (const Tecleada &c : clasicas) {
    const std::string df = prepara_funciones(c.f, nullptr).df.texto();
    EXPECT_EQ(aviso_derivada(prepara_funciones(c.f, df.c_str()), c.a, c.b), "") << c.f;
  }
}

// Random texts of the grammar built around numbers at the ends of the double
// range, as bases and exponents of powers and inside functions: each is
// derived or refused within a second (a few under the sanitizers).
TEST(Derivada, NumerosExtremosRespondidosEnUnSegundo) {
  const std::vector<std::string> atomos = {"x",     "x",      "1e300",    "1e-320",
                                           "5e299", "-1e308", "4.9e-324", "3",
                                           "e",     "pi",     "0.5",      "1.7976931348623157e308"};
  const std::vector<std::string> funciones = {"sin", "exp", "log", "sqrt", "tan", "abs", "atan"};
  std::mt19937 azar(14);
  const auto elige = [&azar](const std::vector<std::string> &v) { return v[azar() % v.size()]; };
  std::function<std::string(int)> texto = [&](int nivel) -> std::string {
    if (nivel == 0 || azar() % 4 == 0) return elige(atomos);
    switch (azar() % 4) {
    case 0: return elige(funciones) + "(" + texto(nivel - 1) + ")";
    case 1: return "(" + texto(nivel - 1) + ")^(" + texto(nivel - 1) + ")";
    case 2: return "(" + texto(nivel - 1) + ")*(" + texto(nivel - 1) + ")";
    default: return "x + (" + texto(nivel - 1) + ")/(" + texto(nivel - 1) + ")";
    }
  };
  const double tope = sanitizado ? 5.0 : 1.0;
  std::vector<std::string> textos = {"x + (3/e)^(5e299)", "(2*x)^1e300", "(x*1e-320)^-1e300",
                                     "x^(1e300)^(1e300)", "(1e-320)^(5e299)*x"};
  for (int i = 0; i < 2000; ++i) textos.push_back(texto(4));
  for (const std::string &t : textos) {
    const auto inicio = std::chrono::steady_clock::now();
    try {
      (void)prepara_funciones(t, nullptr);
    } catch (const ErrorExpresion &) {
    }
    const std::chrono::duration<double> tiempo = std::chrono::steady_clock::now() - inicio;
    EXPECT_LT(tiempo.count(), tope) << t;
  }
}

} // namespace
