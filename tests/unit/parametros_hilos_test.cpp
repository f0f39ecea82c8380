// Parameters in the grammar, and one compiled expression evaluated from
// several threads: the values are the parser's own, to the bit, whatever the
// number of threads; the derivative takes parameters as constants; a
// parameter given as a decimal text is exact on balls.
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <muParser.h>

#include "P3/expresion/expresion.h"

namespace {

using raices::Bola;

bool mismos_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The value muParser itself gives, with the same grammar of functions.
double del_parser(const char *texto, double x, double ecc, double m) {
  mu::Parser p;
  p.EnableOptimizer(false);
  p.DefineVar("x", &x);
  p.DefineVar("ecc", &ecc);
  p.DefineVar("M", &m);
  p.DefineConst("pi", 3.14159265358979323846);
  p.DefineFun(
      "sin", [](double v) { return std::sin(v); }, false);
  p.DefineFun(
      "exp", [](double v) { return std::exp(v); }, false);
  p.DefineFun(
      "log", [](double v) { return std::log(v); }, false);
  p.SetExpr(texto);
  return p.Eval();
}

TEST(Parametros, ValoresDelParserDesdeVariosHilos) {
  const char *textos[] = {"x - ecc*sin(x) - M", "-x^2^ecc/M + exp(-x)*log(x)",
                          "(x - M)^3/ecc - pi"};
  for (const char *texto : textos) {
    Expresion f(texto, "f", Expresion::tecleada, {"ecc", "M"});
    const std::size_t n = 4000;
    std::vector<double> uno(n), varios(n);
    auto trozo = [&](std::vector<double> &out, std::size_t desde, std::size_t paso) {
      for (std::size_t i = desde; i < n; i += paso) {
        const double v[2] = {0.001 * static_cast<double>(i % 1000), 0.37 * static_cast<double>(i)};
        out[i] = f.evalua(0.01 * static_cast<double>(i) - 3, v);
      }
    };
    trozo(uno, 0, 1);
    std::vector<std::thread> hilos;
    for (std::size_t h = 0; h < 4; ++h) hilos.emplace_back(trozo, std::ref(varios), h, 4);
    for (std::thread &h : hilos) h.join();
    for (std::size_t i = 0; i < n; i += 97) {
      const double x = 0.01 * static_cast<double>(i) - 3;
      const double ref = del_parser(texto, x, 0.001 * static_cast<double>(i % 1000),
                                    0.37 * static_cast<double>(i));
      EXPECT_TRUE(mismos_bits(uno[i], ref) || (std::isnan(uno[i]) && std::isnan(ref)))
          << texto << " en " << x;
    }
    for (std::size_t i = 0; i < n; ++i)
      ASSERT_TRUE(mismos_bits(uno[i], varios[i])) << texto << " en el elemento " << i;
  }
}

TEST(Parametros, EnlaceDerivadaYBolas) {
  Funciones fs = prepara_funciones("x - ecc*sin(x) - M", nullptr, {"ecc", "M"});
  EXPECT_TRUE(std::isnan(fs.f(1.0))); // unbound
  fs.fija("ecc", "0.1");
  fs.fija("M", 2.0);
  EXPECT_EQ(fs.f(2.0), 2.0 - 0.1 * std::sin(2.0) - 2.0);
  EXPECT_EQ(fs.df(2.0), 1 - 0.1 * std::cos(2.0)); // ecc a constant to d/dx
  // On balls ecc is 1/10 exactly: at x = 0 the value is -2 whatever ecc, at
  // x = pi/2 it is pi/2 - 1/10 - 2, which the ball must hold.
  const Bola v = fs.f(Bola(1.5707963267948966, 256));
  const Bola exacto = Bola(1.5707963267948966, 256) -
                      Bola::decimal("0.1", 256) * sin(Bola(1.5707963267948966, 256)) - 2.0;
  EXPECT_TRUE((v - exacto).contiene_cero()) << v.texto(30, true);
  EXPECT_FALSE((v - exacto - Bola(1e-40, 256)).contiene_cero()); // and tight
}

TEST(Parametros, Errores) {
  struct Caso {
    const char *texto;
    std::vector<std::string> parametros;
    const char *mensaje;
  };
  const Caso casos[] = {
      {"x - a", {}, "nombre desconocido 'a'"},
      {"x - a", {"b"}, "nombre desconocido 'a'"},
      {"x - a", {"x"}, "nombre de par\xE1metro no v\xE1lido 'x'"},
      {"x - a", {"sin"}, "nombre de par\xE1metro no v\xE1lido 'sin'"},
      {"x - a", {"a", "a"}, "est\xE1 repetido"},
      {"x - a", {"2a"}, "escriba una letra"},
  };
  for (const Caso &c : casos) {
    try {
      Expresion f(c.texto, "f", Expresion::tecleada, c.parametros);
      ADD_FAILURE() << c.texto << " aceptada";
    } catch (const ErrorExpresion &e) {
      EXPECT_NE(e.mensaje.find(c.mensaje), std::string::npos) << e.mensaje;
    }
  }
  Expresion f("x - a", "f", Expresion::tecleada, {"a"});
  EXPECT_THROW(f.fija("b", 1.0), ErrorExpresion);
  for (const char *malo : {"", "1,5", "0x10", "1e999", "nan", "1e", "--1", "."})
    EXPECT_THROW(f.fija("a", std::string(malo)), ErrorExpresion) << malo;
  f.fija("a", std::string("-2.5e-1"));
  EXPECT_EQ(f(0.0), 0.25);
}

} // namespace
