// The typed expression on balls: the ball holds the double's value wherever
// f is defined, and is undecided exactly where the double is not finite.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "P3/bolas/bola.h"
#include "P3/bolas/chorro.h"
#include "P3/bolas/comprueba_raiz.h"
#include "P3/expresion/expresion.h"
#include "P3/expresion/expresion_interna.h"

namespace {

using raices::Bola;

TEST(ExpresionBola, ContieneElValorDoble) {
  const char *textos[] = {
      "sin(x)",       "cos(x)",       "tan(x)",          "asin(x)",
      "acos(x)",      "atan(x)",      "sinh(x)",         "cosh(x)",
      "tanh(x)",      "exp(x)",       "log(x)",          "log10(x)",
      "sqrt(x)",      "abs(x)",       "sen(x) + tg(x)",  "ln(x)",
      "pi*x + e",     "-x^2",         "-2^2 + x",        "x^2^3",
      "x^-x^2",       "x^0.5",        "x^(1/3)",         "1/x",
      "1/(x - 0.25)", "(1+x)/(x-.5)", "exp(-x) - 2*x*x", "x^3 - 3*x^2 + 3*x - 1",
      "log(1+x) - x", "e^x"};
  const double puntos[] = {-2.75, -1.0, -0.3, 0.0, 0.25, 0.5, 1.0, 1.7, 3.0};
  for (const char *texto : textos) {
    const Expresion f(texto);
    for (double x : puntos)
      for (long p : {53L, 256L}) {
        const double d = f(x);
        const Bola b = f(Bola(x, p));
        ASSERT_EQ(b.finita(), std::isfinite(d)) << texto << " en x = " << x;
        if (!b.finita()) continue;
        EXPECT_EQ(b.precision(), p);
        // The double carries a few roundings: within them of the ball.
        const double holgura = 1e-14 * std::fmax(1, std::fabs(d));
        EXPECT_LE(b.inf(), d + holgura) << texto << " en x = " << x;
        EXPECT_GE(b.sup(), d - holgura) << texto << " en x = " << x;
      }
  }
}

// f and its derived f' on one ball around a point: f' holds the slope of f.
TEST(ExpresionBola, DerivadaEnUnaBola) {
  const Funciones fs = prepara_funciones("x*exp(-x) + sin(x)^2", nullptr);
  const double a = 0.5, b = 0.5 + 1e-9, h = b - a; // h exact
  const Bola i = Bola::entre(a, b, 128);
  const Bola pendiente = (fs.f(Bola(b, 128)) - fs.f(Bola(a, 128))) / h;
  const Bola df = fs.df(i);
  EXPECT_LE(df.inf(), pendiente.sup());
  EXPECT_GE(df.sup(), pendiente.inf());
  EXPECT_LT(df.sup() - df.inf(), 1e-7);
}

// Taylor arithmetic on the program of f gives the slope that the derived f'
// gives, ball against ball, over functions of every kind of the grammar.
TEST(ExpresionBola, ChorroComoLaDerivada) {
  const char *textos[] = {"x*exp(-x) + sin(x)^2",
                          "tan(x)/x - log10(x)",
                          "asin(x/4)*acos(x/4)",
                          "sqrt(x)*atan(x)^3",
                          "sinh(x)-cosh(x)+tanh(x)",
                          "x^x",
                          "2^x*e^-x",
                          "abs(x - 2)*x",
                          "1/(x-1)^2",
                          "(1+x)^(1/3)"};
  for (const char *texto : textos) {
    const Funciones fs = prepara_funciones(texto, nullptr);
    for (double x : {0.3, 1.7, 2.5, 3.9}) {
      const Bola bola = Bola::entre(x, x + 1e-6, 128);
      const raices::Chorro j = fs.f(raices::Chorro::variable(bola));
      const Bola df = fs.df(bola);
      if (!df.finita()) continue;
      ASSERT_TRUE(j.derivada.finita()) << texto << " en x = " << x;
      EXPECT_FALSE(j.derivada.sup() < df.inf() || df.sup() < j.derivada.inf())
          << texto << " en x = " << x;
    }
  }
}

// A derivative against the exact one from Taylor arithmetic: a wrong one
// (a factor, a sign, a term, sin for cos) is caught at the first point, a
// right one never, however it is written or however fast f changes, nor
// where f is not differentiable.
TEST(ExpresionBola, DerivadaContraLaExacta) {
  struct Caso {
    const char *f, *df;
    bool mal;
  };
  const Caso casos[] = {
      {"sin(300000*x)", "300000*sin(300000*x)", true},
      {"x^3 - 2*x - 5", "3*x^2", true},
      {"exp(-x) - 2*x^2", "-exp(-x) - 2*x", true},
      {"x^0.3", "0.3*x^-0.7", false},
      {"sin(300000*x)", "300000*cos(300000*x)", false},
      {"tan(1e5*x)", "1e5/cos(1e5*x)^2", false},
      {"abs(x - 0.75)", "(x - 0.75)/abs(x - 0.75)", false}, // not differentiable at 0.75
      // The typed 0.7390851332151607 is not the double: the kink lies beside it.
      {"abs(x - 0.7390851332151607)", "1", true},
      {"sqrt(x)", "0.5/sqrt(x)", false},
      {"log10(x)*pi", "pi/(x*log(10))", false},
  };
  const std::vector<double> puntos = {0.75, 0.7390851332151607, 1.6180339887498949};
  for (const Caso &c : casos) {
    const Funciones fs = prepara_funciones(c.f, c.df);
    const auto d = discrepancia_exacta(fs.f, fs.df, puntos);
    EXPECT_EQ(d.has_value(), c.mal) << c.f << " con f' = " << c.df;
  }
  // Every derivative the derivation writes agrees, also on a text that no
  // difference quotient can follow.
  for (const char *f : {"sin(300000*x)*exp(x)", "x^x^0.5", "(x+abs(x))^2/(1+x^2)", "asin(x/2)"}) {
    const Funciones fs = prepara_funciones(f, nullptr);
    EXPECT_FALSE(discrepancia_exacta(fs.f, fs.df, puntos).has_value()) << f;
    EXPECT_EQ(fs.aviso, "") << f;
  }
}

// The check of a root on typed functions: both evaluations of the
// expression, on balls and with their derivative.
TEST(ExpresionBola, CompruebaRaiz) {
  struct Caso {
    const char *texto;
    double x, delta;
    raices::Prueba prueba;
  };
  const Caso casos[] = {
      {"exp(-x)", 750, 750e-12, raices::Prueba::refutada},
      {"x^3 - 3*x^2 + 3*x - 1", 1.0000038, 1e-12, raices::Prueba::refutada},
      {"x^3 - 3*x^2 + 3*x - 1", 1, 1e-12, raices::Prueba::exacta},
      {"x^4 - 4*x^3 + 6*x^2 - 4*x + 1", 1.0001, 1e-12, raices::Prueba::refutada},
      {"log(1+x) - x", 1e-9, 1e-12, raices::Prueba::refutada},
      {"cos(x) - x", 0.7390851332151607, 1e-12, raices::Prueba::demostrada},
      {"sin(pi*x)", 1, 1e-12, raices::Prueba::demostrada}, // pi is the true constant
      {"sqrt(x-1)", 0.991, 1e-12, raices::Prueba::sin_demostrar},
      {"abs(sin(x))", 3.141592653589793, 1e-12, raices::Prueba::sin_demostrar},
  };
  for (const Caso &c : casos) {
    const Expresion f(c.texto);
    EXPECT_EQ(raices::comprueba_raiz(f, c.x, c.delta), c.prueba) << c.texto << " en " << c.x;
  }
}

} // namespace

// The numbers of the text are the numbers typed, not the doubles read: the
// sign of f on balls at a double is the sign of the typed f there, checked
// against exact rationals (the double 0.1 is 3602879701896397/2^55, above
// 1/10; the double nearest 12345678901234567891 is 12345678901234567168).
TEST(ExpresionBola, LiteralesExactos) {
  const double d01 = 0.1;
  struct Caso {
    const char *f;
    double x;
    int signo; // of the typed f at x: -1, 0 or 1
  };
  const Caso casos[] = {
      {"x - 0.1", d01, 1},
      {"x^2 - 0.2*x + 0.01", d01, 1}, // (x - 1/10)^2 > 0 away from 1/10
      {"x - 0.5", 0.5, 0},            // dyadic: the double is the number
      {"x - 12345678901234567891", 12345678901234567891.0, -1},
      {"x - 1e-400", 0.0, -1},
      {"x*1e30 - 1e30*x", 5.0, 0}, // 10^30 is exact from 100 bits on
  };
  for (const Caso &c : casos) {
    const Expresion f(c.f);
    for (long bits : {53L, 128L, 1024L}) {
      const Bola v = f(Bola(c.x, bits));
      const int signo = v.positiva() ? 1 : v.negativa() ? -1 : v.es_cero() ? 0 : 2;
      // Undecided at a low precision is honest; a wrong sign or a false 0 never.
      EXPECT_TRUE(signo == c.signo || (signo == 2 && bits < 1024))
          << c.f << " a " << bits << " bits: " << v.texto(20, true);
    }
  }
  EXPECT_TRUE(Bola::decimal("0.25").exacta());
  EXPECT_FALSE(Bola::decimal("0.1").exacta());
  EXPECT_FALSE(Bola::decimal("0x12").finita());
}
