// The typed expression on balls: the ball holds the double's value wherever
// f is defined, and is undecided exactly where the double is not finite.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "P3/bola.h"
#include "P3/expresion/expresion.h"

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

} // namespace
