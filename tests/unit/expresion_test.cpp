// The expression front end: values against the C++ library, derivatives
// against closed forms, bit-for-bit agreement with the compiled objective
// function, and the error line of every kind of bad text.
#include "P3/expresion/expresion.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e_p3/func.h"

namespace {

using Real = std::function<double(double)>;

struct Caso {
  const char *texto;
  Real esperado;
};

const double puntos[] = {-2.75, -1.0, -0.3, 0.0, 0.25, 0.5, 1.0, 1.7, 3.0};

bool mismos_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Each operation is the C++ one, performed in the written order, so the
// values agree to the bit (NaN included).
TEST(Expresion, ValoresComoLaBibliotecaDeC) {
  const double pi = 3.14159265358979323846, e = 2.71828182845904523536;
  const std::vector<Caso> casos = {
      {"sin(x)", [](double x) { return std::sin(x); }},
      {"cos(x)", [](double x) { return std::cos(x); }},
      {"tan(x)", [](double x) { return std::tan(x); }},
      {"asin(x)", [](double x) { return std::asin(x); }},
      {"acos(x)", [](double x) { return std::acos(x); }},
      {"atan(x)", [](double x) { return std::atan(x); }},
      {"sinh(x)", [](double x) { return std::sinh(x); }},
      {"cosh(x)", [](double x) { return std::cosh(x); }},
      {"tanh(x)", [](double x) { return std::tanh(x); }},
      {"exp(x)", [](double x) { return std::exp(x); }},
      {"log(x)", [](double x) { return std::log(x); }}, // natural
      {"log10(x)", [](double x) { return std::log10(x); }},
      {"sqrt(x)", [](double x) { return std::sqrt(x); }},
      {"abs(x)", [](double x) { return std::fabs(x); }},
      {"pi*x + e", [=](double x) { return pi * x + e; }},
      {"-x^2", [](double x) { return -std::pow(x, 2); }}, // -(x^2)
      {"-2^2 + x", [](double x) { return -4 + x; }},
      {"2^-1*x", [](double x) { return 0.5 * x; }},
      {"x^2^3", [](double x) { return std::pow(x, 8); }}, // x^(2^3)
      {"x^-x^2", [](double x) { return std::pow(x, -std::pow(x, 2)); }},
      {"2*-x+1", [](double x) { return 2 * -x + 1; }},
      {"x - 1 - 2", [](double x) { return (x - 1) - 2; }},
      {"x / 2 / 4", [](double x) { return (x / 2) / 4; }},
      {"1 + 2*x^3", [](double x) { return 1 + 2 * std::pow(x, 3); }},
      {"(1 + x)*(x - .5)", [](double x) { return (1 + x) * (x - .5); }},
      {"2.5e-3*x - 1E2", [](double x) { return 2.5e-3 * x - 1E2; }},
      {"\tx*e^x ", [=](double x) { return x * std::pow(e, x); }},
      {"exp(-x) - 2*x*x", fun},
  };
  for (const Caso &c : casos) {
    const Expresion f(c.texto);
    EXPECT_EQ(f.texto(), c.texto);
    for (double x : puntos)
      EXPECT_TRUE(mismos_bits(f(x), c.esperado(x))) << c.texto << " en x = " << x;
  }
}

// Derived f' against the derivative worked by hand, to rounding.
TEST(Expresion, DerivadasComoLasCerradas) {
  const std::vector<Caso> casos = {
      {"x^3 - 2*x - 5", [](double x) { return 3 * x * x - 2; }},
      {"cos(x) - x", [](double x) { return -std::sin(x) - 1; }},
      {"tan(x)", [](double x) { return 1 / (std::cos(x) * std::cos(x)); }},
      {"asin(x/4)", [](double x) { return 1 / std::sqrt(16 - x * x); }},
      {"acos(x/4)", [](double x) { return -1 / std::sqrt(16 - x * x); }},
      {"atan(2*x)", [](double x) { return 2 / (1 + 4 * x * x); }},
      {"sinh(x) + cosh(x)", [](double x) { return std::cosh(x) + std::sinh(x); }},
      {"tanh(x)", [](double x) { return 1 / (std::cosh(x) * std::cosh(x)); }},
      {"log(x^2 + 1)", [](double x) { return 2 * x / (x * x + 1); }},
      {"log10(x^2 + 1)", [](double x) { return 2 * x / ((x * x + 1) * std::log(10.0)); }},
      {"sqrt(x^2 + 1)", [](double x) { return x / std::sqrt(x * x + 1); }},
      {"abs(x - 0.1)", [](double x) { return x > 0.1 ? 1.0 : -1.0; }},
      {"abs(x)^3", [](double x) { return 3 * x * std::fabs(x); }},
      {"2^x", [](double x) { return std::log(2.0) * std::pow(2, x); }},
      {"(x^2 + 1)^x",
       [](double x) {
         return std::pow(x * x + 1, x) * (std::log(x * x + 1) + 2 * x * x / (x * x + 1));
       }},
      {"e^x + pi*x", [](double x) { return std::exp(x) + 3.14159265358979323846; }},
      {"-x^2", [](double x) { return -2 * x; }},
      {"x^-2 + 1", [](double x) { return -2 / (x * x * x); }},
      {"x^(1/3) + 1", // pow: no real value at x < 0
       [](double x) { return x < 0 ? std::nan("") : 1 / (3 * std::cbrt(x * x)); }},
      {"0.1*x^3", [](double x) { return 0.3 * x * x; }},
      {"7", [](double) { return 0.0; }},
  };
  const double donde[] = {-2.75, -0.3, 0.25, 0.5, 1.7, 3.0};
  for (const Caso &c : casos) {
    const Funciones fs = prepara_funciones(c.texto, nullptr);
    EXPECT_TRUE(fs.derivada_calculada);
    EXPECT_EQ(fs.f.texto(), c.texto);
    for (double x : donde) {
      const double esperado = c.esperado(x), calculado = fs.df(x);
      if (std::isnan(esperado)) continue; // outside the domain of f
      EXPECT_NEAR(calculado, esperado, 1e-13 * std::fmax(1.0, std::fabs(esperado)))
          << c.texto << " -> " << fs.df.texto() << " en x = " << x;
    }
  }
}

// The compiled objective and its derivative, through the typed path: the
// same bits at every x, so that every table printed agrees byte for byte.
TEST(Expresion, ObjetivoCompiladoBitABit) {
  const Funciones fs = prepara_funciones("exp(-x) - 2*x*x", nullptr);
  std::vector<double> xs = {0.0,
                            -0.0,
                            5e-324,
                            -5e-324,
                            2.2250738585072014e-308,
                            1e-310,
                            -1e-310,
                            1e300,
                            -1e300,
                            1.7976931348623157e308,
                            -745.2,
                            709.8,
                            -2.6180,
                            -1.4880,
                            0.5398,
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
  std::mt19937_64 azar(20240601);
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t bits = azar();
    double x = 0;
    std::memcpy(&x, &bits, sizeof x);
    xs.push_back(x);                                                       // any double
    xs.push_back(std::ldexp(static_cast<double>(bits >> 11), -50) - 4096); // near the roots
  }
  for (double x : xs) {
    ASSERT_TRUE(mismos_bits(fs.f(x), fun(x))) << "f en x = " << x;
    ASSERT_TRUE(mismos_bits(fs.df(x), Dfun(x))) << "f' (" << fs.df.texto() << ") en x = " << x;
  }
}

TEST(Expresion, DerivadaTecleada) {
  const Funciones fs = prepara_funciones("x^2 - 2", "2*x");
  EXPECT_FALSE(fs.derivada_calculada);
  EXPECT_EQ(fs.df.texto(), "2*x");
  EXPECT_EQ(fs.df(1.5), 3.0);
}

struct Malo {
  std::string f;
  const char *df;
  std::string mensaje;
};

std::string mensaje(const std::string &f, const char *df) {
  try {
    prepara_funciones(f, df);
  } catch (const ErrorExpresion &e) {
    return e.mensaje;
  }
  return "(aceptada)";
}

const std::string en_f = "error en la expresi\xF3n de f: ";
const std::string en_df = "error en la expresi\xF3n de f': ";
const std::string sin_derivada = "no se puede derivar f: ";

TEST(Expresion, TextosMalos) {
  const std::vector<Malo> casos = {
      {"", nullptr,
       en_f + "est\xE1 vac\xED"
              "a"},
      {" \t ", nullptr,
       en_f + "est\xE1 vac\xED"
              "a"},
      {"x^2", "",
       en_df + "est\xE1 vac\xED"
               "a"},
      {"x + y", nullptr,
       en_f + "nombre desconocido 'y' en la posici\xF3n 5 (la \xFAnica variable es x)"},
      {"X", nullptr,
       en_f + "nombre desconocido 'X' en la posici\xF3n 1 (la \xFAnica variable es x)"},
      {"ln(x)", nullptr, en_f + "funci\xF3n desconocida 'ln' en la posici\xF3n 1"},
      {"x", "log2 (x)", en_df + "funci\xF3n desconocida 'log2' en la posici\xF3n 1"},
      {"_pi*x", nullptr,
       en_f + "car\xE1"
              "cter no admitido '_' en la posici\xF3n 1"},
      {"x = 3", nullptr,
       en_f + "car\xE1"
              "cter no admitido '=' en la posici\xF3n 3"},
      {"x<1", nullptr,
       en_f + "car\xE1"
              "cter no admitido '<' en la posici\xF3n 2"},
      {"1,x", nullptr,
       en_f + "car\xE1"
              "cter no admitido ',' en la posici\xF3n 2"},
      {"x\xF1", nullptr,
       en_f + "car\xE1"
              "cter no admitido (byte 0xF1) en la posici\xF3n 2"},
      {std::string("x+\0", 3), nullptr,
       en_f + "car\xE1"
              "cter no admitido (byte 0x00) en la posici\xF3n 3"},
      {"x +", nullptr, en_f + "falta un operando al final"},
      {"+x", nullptr, en_f + "operador inesperado '+' en la posici\xF3n 1"},
      {"2x", nullptr,
       en_f + "variable o constante inesperada 'x' en la posici\xF3n 2 (\xBF"
              "falta un operador?)"},
      {"x 2", nullptr,
       en_f + "n\xFAmero inesperado '2' en la posici\xF3n 3 (\xBF"
              "falta un operador?)"},
      {"1.2.3", nullptr,
       en_f + "n\xFAmero inesperado '.3' en la posici\xF3n 4 (\xBF"
              "falta un operador?)"},
      {"2e", nullptr, en_f + "s\xEDmbolo no reconocido '2e' en la posici\xF3n 1"},
      {"(x", nullptr, en_f + "falta cerrar un par\xE9ntesis"},
      {"x)", nullptr, en_f + "par\xE9ntesis inesperado en la posici\xF3n 2"},
      {"sin", nullptr, en_f + "s\xEDmbolo no reconocido 'sin' en la posici\xF3n 1"},
      {"1e999*x", nullptr,
       en_f + "n\xFAmero fuera del rango de double '1e999' en la posici\xF3n 1"},
      {std::string(1001, 'x'), nullptr,
       en_f + "demasiado larga (1001 caracteres; el m\xE1ximo es 1000)"},
      {std::string(131072, '('), nullptr,
       en_f + "demasiado larga (131072 caracteres; el m\xE1ximo es 1000)"},
      {std::string(51, '(') + "x" + std::string(51, ')'), nullptr,
       en_f + "demasiados par\xE9ntesis anidados en la posici\xF3n 51 (el m\xE1ximo es 50)"},
      {"1/(x - x)", nullptr,
       sin_derivada + "tiene un polo (como 1/0, log(0) o tan(pi/2)); escriba f' con -d"},
      {"pi*e^tan(x)^-0^x - e", nullptr,
       sin_derivada + "tiene un polo (como 1/0, log(0) o tan(pi/2)); escriba f' con -d"},
      {"0^0 + x", nullptr,
       sin_derivada + "tiene una operaci\xF3n sin valor definido (como 0^0); escriba f' con -d"},
      {"log(-1)*x", nullptr, sin_derivada + "el resultado no es real; escriba f' con -d"},
      {"1e300*x^2*1e300", nullptr,
       sin_derivada + "un coeficiente excede el rango de double; escriba f' con -d"},
      {"x^25^3^3333333 + 2^-x", nullptr,
       sin_derivada + "tiene una potencia de n\xFAmeros demasiado grande para calcularla exacta; "
                      "escriba f' con -d"},
      {"^", "x", en_f + "operador inesperado '^' en la posici\xF3n 1"},
  };
  for (const Malo &c : casos) EXPECT_EQ(mensaje(c.f, c.df), c.mensaje) << c.f;
}

// Where the derivation reads f otherwise than the evaluator computes it,
// the derivative would silently belong to another function: refused.
TEST(Expresion, LecturaSimbolicaComprobada) {
  EXPECT_EQ(mensaje("(x + 1e15) - 1e15", nullptr).rfind(sin_derivada + "su forma simb\xF3lica", 0),
            0U);
}

// Texts whose derivative grows fast: refused, and quickly, or derived.
TEST(Expresion, DerivadasGrandesAcotadas) {
  std::string torre = "x";
  for (int i = 0; i < 400; ++i) torre += "^x";
  EXPECT_EQ(mensaje(torre, nullptr),
            sin_derivada + "la derivada es demasiado larga; escriba f' con -d");
  std::string exponenciales = "x";
  for (int i = 0; i < 50; ++i) exponenciales = "exp(" + exponenciales + ")";
  EXPECT_EQ(mensaje(exponenciales, nullptr), "(aceptada)");
}

// Arbitrary bytes end in ErrorExpresion or in an expression, never in
// anything else.
TEST(Expresion, BytesCualesquiera) {
  std::mt19937 azar(8);
  const std::string alfabeto = "x+-*/^().e0123456789 sincoxptanlgqrbh\xF1";
  for (int i = 0; i < 3000; ++i) {
    std::string t(azar() % 40, ' ');
    for (char &c : t)
      c = i % 2 != 0 ? alfabeto[azar() % alfabeto.size()] : static_cast<char>(azar());
    try {
      const Funciones fs = prepara_funciones(t, nullptr);
      (void)fs.df(0.5);
    } catch (const ErrorExpresion &e) {
      EXPECT_FALSE(e.mensaje.empty());
    }
  }
}

} // namespace
