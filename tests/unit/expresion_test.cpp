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
      {"x^3/2 - 4", [](double x) { return 1.5 * x * x; }},
      {"0/(x^2 + 1) + x - 0.5", [](double) { return 1.0; }},
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

// What the programs show for a typed f (and f'): the opening lines when it
// is accepted, the context line when it is refused; and the place that the
// caret display points at (0: none).
struct Mostrado {
  std::string texto;
  std::size_t posicion;
};
Mostrado muestra(const std::string &f, const char *df) {
  try {
    const Funciones fs = prepara_funciones(f, df);
    return {"f(x) = " + fs.f.texto() + "; f'(x) = " + fs.df.texto(), 0};
  } catch (const ErrorExpresion &e) {
    return {e.mensaje, e.posicion};
  }
}

std::string mensaje(const std::string &f, const char *df) {
  try {
    prepara_funciones(f, df);
  } catch (const ErrorExpresion &e) {
    return e.mensaje;
  }
  return "(aceptada)";
}

struct Fila {
  std::string f;
  const char *df;
  std::string mostrado;
  std::size_t posicion;
};

const std::string en_f = "error en la expresi\xF3n de f: ";
const std::string en_df = "error en la expresi\xF3n de f': ";
const std::string sin_derivada = "no se puede derivar f: ";
const std::string no_admitido = "car\xE1"
                                "cter no admitido ";
const std::string falta_por = "falta el operador * entre ";
const std::string quiso = "; \xBF"
                          "quiso decir ";

// A text of exactly the longest length accepted: 499 terms x, then 10.
std::string mas_larga() {
  std::string t;
  for (int i = 0; i < 499; ++i) t += "x+";
  return t + "10";
}

// Every kind of typed text, accepted or refused, with the hint for each of
// the slips students make most.
TEST(Expresion, TextosTecleados) {
  const std::vector<Fila> casos = {
      // The Spanish names, unary plus, a long text and derivatives that once went wrong.
      {"sen(x) + tg(x) - ln(x)", nullptr,
       "f(x) = sen(x) + tg(x) - ln(x); f'(x) = cos(x) + tan(x)^2 + 1 - 1/x", 0},
      {"arcsen(x) - arccos(x) + arctg(x) + senh(x) + tgh(x)", nullptr,
       "f(x) = arcsen(x) - arccos(x) + arctg(x) + senh(x) + tgh(x); f'(x) = 2/sqrt(-x^2 + 1) + "
       "1/(x^2 + 1) + cosh(x) - tanh(x)^2 + 1",
       0},
      {"+x - 1", nullptr, "f(x) = +x - 1; f'(x) = 1", 0},
      {"2*+x^+2", "+4*x", "f(x) = 2*+x^+2; f'(x) = +4*x", 0},
      {"0/(x^2 + 1) + x - 0.5", nullptr, "f(x) = 0/(x^2 + 1) + x - 0.5; f'(x) = 1", 0},
      {"x^3/2 - 4", nullptr, "f(x) = x^3/2 - 4; f'(x) = 3*x^2/2", 0},
      {"x*1e-320", nullptr, "f(x) = x*1e-320; f'(x) = 1e-320", 0},
      {mas_larga(), nullptr, "f(x) = " + mas_larga() + "; f'(x) = 499", 0},
      {mas_larga() + " ", nullptr, en_f + "demasiado larga (1001 caracteres; el m\xE1ximo es 1000)",
       0},
      // The hints.
      {"x**2", nullptr,
       en_f + "operador '**' en la posici\xF3n 2: la potencia se escribe con ^, como en x^2", 2},
      {"0,5*x - 1", nullptr,
       en_f + "coma en la posici\xF3n 2: los decimales se escriben con punto, como en 0.5", 2},
      {"x - 12,75", nullptr,
       en_f + "coma en la posici\xF3n 7: los decimales se escriben con punto, como en 12.75", 7},
      {"2(x+1)", nullptr, en_f + falta_por + "'2' y '(' en la posici\xF3n 2", 2},
      {"(x+1)(x-1)", nullptr, en_f + falta_por + "')' y '(' en la posici\xF3n 6", 6},
      {"2x", nullptr, en_f + falta_por + "'2' y 'x' en la posici\xF3n 2", 2},
      {"3 sin(x)", nullptr, en_f + falta_por + "'3' y 'sin' en la posici\xF3n 3", 3},
      {"x(x - 1)", nullptr, en_f + falta_por + "'x' y '(' en la posici\xF3n 2", 2},
      {"x 2", nullptr, en_f + falta_por + "'x' y '2' en la posici\xF3n 3", 3},
      {"2e", nullptr, en_f + falta_por + "'2' y 'e' en la posici\xF3n 2", 2},
      {"sin x", nullptr,
       en_f +
           "a la funci\xF3n 'sin' en la posici\xF3n 1 le faltan los par\xE9ntesis: escriba sin(x)",
       1},
      {"x", "2*sen",
       en_df +
           "a la funci\xF3n 'sen' en la posici\xF3n 3 le faltan los par\xE9ntesis: escriba sen(x)",
       3},
      {"(x-1", nullptr, en_f + "falta cerrar el par\xE9ntesis abierto en la posici\xF3n 1", 1},
      {"((x - 1)*(x", nullptr, en_f + "falta cerrar el par\xE9ntesis abierto en la posici\xF3n 10",
       10},
      {"x)", nullptr, en_f + "par\xE9ntesis ')' sin abrir en la posici\xF3n 2", 2},
      {"x\xC2\xB2 - 2", nullptr,
       en_f + "car\xE1"
              "cter '\xB2' en la posici\xF3n 2: escriba ^2",
       2},
      {"x\xB2 - 2", nullptr,
       en_f + "car\xE1"
              "cter '\xB2' en la posici\xF3n 2: escriba ^2",
       2},
      {"x\xC2\xB3", nullptr,
       en_f + "car\xE1"
              "cter '\xB3' en la posici\xF3n 2: escriba ^3",
       2},
      {"x \xE2\x88\x92 1", nullptr,
       en_f + "car\xE1"
              "cter U+2212 en la posici\xF3n 3: escriba -",
       3},
      {"2\xC3\x97x", nullptr,
       en_f + "car\xE1"
              "cter '\xD7' en la posici\xF3n 2: escriba *",
       2},
      {"2\xD7x", nullptr,
       en_f + "car\xE1"
              "cter '\xD7' en la posici\xF3n 2: escriba *",
       2},
      {"2\xC2\xB7x", nullptr,
       en_f + "car\xE1"
              "cter '\xB7' en la posici\xF3n 2: escriba *",
       2},
      {"2\xB7x", nullptr,
       en_f + "car\xE1"
              "cter '\xB7' en la posici\xF3n 2: escriba *",
       2},
      {"2\xCF\x80x", nullptr,
       en_f + "car\xE1"
              "cter U+03C0 en la posici\xF3n 2: escriba pi",
       2},
      {"sinn(x)", nullptr,
       en_f + "funci\xF3n desconocida 'sinn' en la posici\xF3n 1" + quiso + "sin?", 1},
      {"seno(x)", nullptr,
       en_f + "funci\xF3n desconocida 'seno' en la posici\xF3n 1" + quiso + "sen?", 1},
      {"Cos(x)", nullptr,
       en_f + "funci\xF3n desconocida 'Cos' en la posici\xF3n 1" + quiso + "cos?", 1},
      {"x - PI", nullptr, en_f + "nombre desconocido 'PI' en la posici\xF3n 5" + quiso + "pi?", 5},
      {"X", nullptr, en_f + "nombre desconocido 'X' en la posici\xF3n 1" + quiso + "x?", 1},
      // Two swapped letters are one edit.
      {"sqtr(x)", nullptr,
       en_f + "funci\xF3n desconocida 'sqtr' en la posici\xF3n 1" + quiso + "sqrt?", 1},
      {"atna(x)", nullptr,
       en_f + "funci\xF3n desconocida 'atna' en la posici\xF3n 1" + quiso + "atan?", 1},
      {"x + cso(x)", nullptr,
       en_f + "funci\xF3n desconocida 'cso' en la posici\xF3n 5" + quiso + "cos?", 5},
      // Notations of calculators, CAS tools and other languages.
      {"raiz(x)", nullptr,
       en_f + "funci\xF3n desconocida 'raiz' en la posici\xF3n 1" + quiso + "sqrt?", 1},
      {"2*ra\xEDz(x)", nullptr,
       en_f + "funci\xF3n desconocida 'ra\xEDz' en la posici\xF3n 3" + quiso + "sqrt?", 3},
      {"ra\xC3\xADz(x)", nullptr,
       en_f + "funci\xF3n desconocida 'ra\xEDz' en la posici\xF3n 1" + quiso + "sqrt?", 1},
      {"sqr(x)", nullptr,
       en_f + "funci\xF3n desconocida 'sqr' en la posici\xF3n 1" + quiso + "sqrt?", 1},
      {"Root(x)", nullptr,
       en_f + "funci\xF3n desconocida 'Root' en la posici\xF3n 1" + quiso + "sqrt?", 1},
      {"x2 - 2", nullptr,
       en_f + "nombre desconocido 'x2' en la posici\xF3n 1" + quiso + "x^2 o 2*x?", 1},
      {"x^3 + x10", nullptr,
       en_f + "nombre desconocido 'x10' en la posici\xF3n 7" + quiso + "x^10 o 10*x?", 7},
      {"|x| - 1", nullptr,
       en_f + "car\xE1"
              "cter '|' en la posici\xF3n 1: el valor absoluto se escribe abs(x)",
       1},
      {"2*| x - 1 |", nullptr,
       en_f + "car\xE1"
              "cter '|' en la posici\xF3n 3: el valor absoluto se escribe abs(x - 1)",
       3},
      {"log(x,2)", nullptr,
       en_f + "coma en la posici\xF3n 6: log tiene un solo argumento; en base 2, escriba "
              "log(x)/log(2)",
       6},
      {"ln(sin(x) , (1+1)) - 1", nullptr,
       en_f + "coma en la posici\xF3n 11: ln tiene un solo argumento; en base (1+1), escriba "
              "ln(sin(x))/ln((1+1))",
       11},
      {"cos(x) = x", nullptr,
       en_f + "signo '=' en la posici\xF3n 8: para resolver f = g, escriba f - (g); aqu\xED"
              " cos(x) - (x)",
       8},
      {"x = 3", "1",
       en_f + "signo '=' en la posici\xF3n 3: para resolver f = g, escriba f - (g); aqu\xED"
              " x - (3)",
       3},
      // Refusals without a hint.
      {"", nullptr,
       en_f + "est\xE1 vac\xED"
              "a",
       0},
      {" \t ", nullptr,
       en_f + "est\xE1 vac\xED"
              "a",
       0},
      {"x^2", "",
       en_df + "est\xE1 vac\xED"
               "a",
       0},
      {"x + y", nullptr,
       en_f + "nombre desconocido 'y' en la posici\xF3n 5 (la \xFAnica variable es x)", 5},
      {"x", "log2 (x)", en_df + "funci\xF3n desconocida 'log2' en la posici\xF3n 1", 1},
      {"_pi*x", nullptr, en_f + no_admitido + "'_' en la posici\xF3n 1", 1},
      {"x == 3", nullptr, en_f + no_admitido + "'=' en la posici\xF3n 3", 3},
      {"x <= 3", nullptr, en_f + no_admitido + "'<' en la posici\xF3n 3", 3},
      {"x = 1 = 2", nullptr, en_f + no_admitido + "'=' en la posici\xF3n 3", 3},
      {"sqrt(x,2)", nullptr, en_f + no_admitido + "',' en la posici\xF3n 7", 7},
      {"x<1", nullptr, en_f + no_admitido + "'<' en la posici\xF3n 2", 2},
      {"1,x", nullptr, en_f + no_admitido + "',' en la posici\xF3n 2", 2},
      {"x\xF1", nullptr, en_f + no_admitido + "'\xF1' en la posici\xF3n 2", 2},
      {"x\xC3\xB1", nullptr, en_f + no_admitido + "'\xF1' en la posici\xF3n 2", 2},
      {"x\x85", nullptr, en_f + no_admitido + "(byte 0x85) en la posici\xF3n 2", 2},
      {"x\xE2\x82\xAC", nullptr, en_f + no_admitido + "U+20AC en la posici\xF3n 2", 2},
      {std::string("x+\0", 3), nullptr, en_f + no_admitido + "(byte 0x00) en la posici\xF3n 3", 3},
      {"x+\x1B[2J", nullptr, en_f + no_admitido + "(byte 0x1B) en la posici\xF3n 3", 3},
      {"x +", nullptr, en_f + "falta un operando al final", 4},
      {"x*/2", nullptr, en_f + "operador inesperado '/' en la posici\xF3n 3", 3},
      {"1.2.3", nullptr,
       en_f + "n\xFAmero inesperado '.3' en la posici\xF3n 4 (\xBF"
              "falta un operador?)",
       4},
      {"1e999*x", nullptr, en_f + "n\xFAmero fuera del rango de double '1e999' en la posici\xF3n 1",
       1},
      {std::string(131072, '('), nullptr,
       en_f + "demasiado larga (131072 caracteres; el m\xE1ximo es 1000)", 0},
      {std::string(51, '(') + "x" + std::string(51, ')'), nullptr,
       en_f + "demasiados par\xE9ntesis anidados en la posici\xF3n 51 (el m\xE1ximo es 50)", 51},
      {"^", "x", en_f + "operador inesperado '^' en la posici\xF3n 1", 1},
      // What the derivation refuses.
      {"1/(x - x)", nullptr,
       sin_derivada + "tiene un polo (como 1/0, log(0) o tan(pi/2)); escriba f' con -d", 0},
      {"pi*e^tan(x)^-0^x - e", nullptr,
       sin_derivada + "tiene un polo (como 1/0, log(0) o tan(pi/2)); escriba f' con -d", 0},
      {"0^0 + x", nullptr,
       sin_derivada + "tiene una operaci\xF3n sin valor definido (como 0^0); escriba f' con -d", 0},
      {"log(-1)*x", nullptr, sin_derivada + "el resultado no es real; escriba f' con -d", 0},
      {"1e300*x^2*1e300", nullptr,
       sin_derivada + "un coeficiente excede el rango de double; escriba f' con -d", 0},
      {"x^25^3^3333333 + 2^-x", nullptr,
       sin_derivada + "tiene una potencia de n\xFAmeros demasiado grande para calcularla exacta; "
                      "escriba f' con -d",
       0},
      {"x + (3/e)^(5e299)", nullptr,
       sin_derivada + "tiene una potencia de n\xFAmeros demasiado grande para calcularla exacta; "
                      "escriba f' con -d",
       0},
  };
  for (const Fila &c : casos) {
    const Mostrado m = muestra(c.f, c.df);
    EXPECT_EQ(m.texto, c.mostrado) << c.f;
    EXPECT_EQ(m.posicion, c.posicion) << c.f;
  }
}

// The caret display: the text with the fault pointed at, control characters
// and characters beyond Latin-1 as one '?' each; nothing when it is wider
// than the terminal or the fault has no place.
TEST(Expresion, SenalDelFallo) {
  const auto senal = [](const std::string &f, const char *df, std::size_t ancho) {
    try {
      prepara_funciones(f, df);
    } catch (const ErrorExpresion &e) {
      return senala(e, ancho);
    }
    return std::string("(aceptada)");
  };
  EXPECT_EQ(senal("x**2", nullptr, 80), "f(x) = x**2\n        ^\n");
  EXPECT_EQ(senal("x", "2(x", 80), "f'(x) = 2(x\n         ^\n");
  EXPECT_EQ(senal("x +", nullptr, 80), "f(x) = x +\n          ^\n");
  EXPECT_EQ(senal("\tx \xE2\x88\x92 1\xC2\xB2\x01", nullptr, 80),
            "f(x) =  x ? 1\xB2?\n          ^\n");
  EXPECT_EQ(senal("x**2", nullptr, 10), "");
  EXPECT_EQ(senal("x**2", nullptr, 11), "f(x) = x**2\n        ^\n");
  EXPECT_EQ(senal("", nullptr, 80), "");
  EXPECT_EQ(senal("1/(x - x)", nullptr, 80), "");
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

// f proven 0 everywhere only where exact algebra shows it and f is defined
// at every x: not x/x - 1 (not at 0), not a decimal a digit past its double.
TEST(Expresion, NulaSoloDondeSeDemuestra) {
  const struct {
    const char *texto;
    bool nula;
  } casos[] = {
      {"sin(x) - sin(x)", true},
      {"x*sin(x) - sin(x)*x + 0*exp(x)", true},
      {"0.1*sin(x) - sin(x)/10", false}, // a quotient: not looked at
      {"0.1*sin(x) - sin(x)*0.1", true},
      {"0.1*sin(x) - sin(x)*0.1000000000000000055511151231257827", false},
      {"(x + 1)^2 - x^2 - 2*x - 1", true},
      {"x/x - 1", false},
      {"sqrt(x)^2 - x", false},
      {"sin(x)^2 + cos(x)^2 - 1", false}, // true, but not shown
      {"x^0.5*0", false},
      {"a*x - x*a", true},
  };
  for (const auto &c : casos) {
    const Expresion f(c.texto, "f", Expresion::tecleada, {"a"});
    EXPECT_EQ(f.nula(), c.nula) << c.texto;
  }
}
