// Balls: bounds that hold the exact value, undecided balls where a function
// is not defined, and the four answers of the check of a root.
#include "P3/bolas/bola.h"

#include <cfloat>
#include <cmath>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "P3/bolas/chorro.h"
#include "P3/bolas/comprueba_raiz.h"

namespace {

using raices::Bola;
using raices::Chorro;
using raices::Prueba;

// The same generic callable runs on doubles and on balls, and the ball holds
// the double's value.
TEST(Bola, UnaFuncionGenericaEnDoblesYEnBolas) {
  const auto f = [](auto x) { return sin(x) - x / 2 + pow(x, 3) * exp(-x) / (1 + abs(x)); };
  for (double x : {-3.0, -0.5, 0.0, 1.9, 40.0}) {
    const Bola v = f(Bola(x, 128));
    ASSERT_TRUE(v.finita()) << x;
    EXPECT_EQ(v.precision(), 128);
    EXPECT_LE(v.inf(), f(x) + 1e-15 * std::fabs(f(x)) + 1e-300) << x;
    EXPECT_GE(v.sup(), f(x) - 1e-15 * std::fabs(f(x)) - 1e-300) << x;
  }
}

// Where a function is not defined on all of the ball, or an operand is
// undecided, the result is undecided; where it is, finite.
TEST(Bola, IndefinidaFueraDelDominio) {
  const Bola cero(0.0), uno(1.0), menos(-1.0), cerca = Bola::entre(-1e-300, 1e-300);
  const Bola tocando = Bola::entre(0, 1); // touches 0 from above
  struct Caso {
    const char *que;
    Bola valor;
    bool finita;
  };
  const std::vector<Caso> casos = {
      {"log 0", log(cero), false},
      {"log [-1e-300, 1e-300]", log(cerca), false},
      {"log10 -1", log10(menos), false},
      {"sqrt [-1e-300, 1e-300]", sqrt(cerca), false},
      {"sqrt |[-1, 1]|", sqrt(abs(Bola::entre(-1, 1))), true},
      {"sqrt [0, 1] (its ball reaches below 0, [0, 1] does not)", sqrt(tocando), true},
      {"sqrt of 0.25 + [-0.5, 0.5]", sqrt(Bola(0.25) + Bola::entre(-0.5, 0.5)), false},
      {"sqrt 0", sqrt(cero), true},
      {"asin 1", asin(uno), true},
      {"asin 1 + 2^-52", asin(Bola(1 + DBL_EPSILON)), false},
      {"acos -1", acos(Bola(-1.0)), true},
      {"acos [-1, 1] (its radius reaches beyond)", acos(Bola::entre(-1, 1)), false},
      {"1/0", 1 / cero, false},
      {"1/[-1e-300, 1e-300]", uno / cerca, false},
      {"tan ball over pi/2", tan(Bola::entre(1.5, 1.6)), false},
      {"(-8)^3", pow(Bola(-8.0), 3), true},
      {"(-8)^(1/3)", pow(Bola(-8.0), 1.0 / 3), false},
      {"0^-1", pow(cero, -1), false},
      {"[0,1]^-2", pow(tocando, -2), false},
      {"0^0", pow(cero, 0), true},
      {"[-1e-300, 1e-300]^0.5", pow(cerca, 0.5), false},
      {"NaN", Bola(NAN), false},
      {"inf", Bola(HUGE_VAL), false},
      {"0 * (1/0)", 0 * (1 / cero), false},
      {"sin exp [1e300, 2e300] (no ball bounds exp)", sin(exp(Bola::entre(1e300, 2e300))), false},
      {"sin exp 1e300", sin(exp(Bola(1e300))), true},
      {"entre(2, 1)", Bola::entre(2, 1), false},
  };
  for (const Caso &c : casos) {
    EXPECT_EQ(c.valor.finita(), c.finita) << c.que;
    if (!c.valor.finita()) {
      EXPECT_TRUE(c.valor.contiene_cero()) << c.que;
      EXPECT_FALSE(c.valor.positiva() || c.valor.negativa() || c.valor.es_cero()) << c.que;
      EXPECT_EQ(c.valor.inf(), -HUGE_VAL) << c.que;
      EXPECT_EQ(c.valor.sup(), HUGE_VAL) << c.que;
      EXPECT_EQ(c.valor.texto(5), "indefinida") << c.que;
    }
  }
  EXPECT_EQ(pow(cero, 0).medio(), 1);
  EXPECT_EQ(pow(Bola(-8.0), 3).medio(), -512);
}

// inf() and sup() round outward, also beyond the doubles at both ends.
TEST(Bola, CotasHaciaFuera) {
  const Bola diminuto = exp(Bola(-750.0)); // about 1.9e-326, below every double
  EXPECT_TRUE(diminuto.positiva());
  EXPECT_EQ(diminuto.inf(), 0.0);
  EXPECT_EQ(diminuto.sup(), 0x1p-1074);
  EXPECT_EQ(diminuto.texto(2), "1.9e-326");
  const Bola enorme = exp(Bola(710.0)); // above DBL_MAX
  EXPECT_EQ(enorme.inf(), DBL_MAX);
  EXPECT_EQ(enorme.sup(), HUGE_VAL);
  const Bola tercio = Bola(1.0, 200) / 3;
  EXPECT_EQ(tercio.inf(), 1.0 / 3); // the double below 1/3
  EXPECT_EQ(tercio.sup(), std::nextafter(1.0 / 3, 1.0));
  const Bola i = Bola::entre(-0x1p-1074, DBL_MAX);
  EXPECT_LE(i.inf(), -0x1p-1074);
  EXPECT_EQ(i.sup(), HUGE_VAL);
  EXPECT_TRUE(i.finita());
  EXPECT_EQ(Bola::suma_exacta(1e300, 1e-300, 4096).medio(), 1e300);
  EXPECT_FALSE((Bola::suma_exacta(1e300, 1e-300) - 1e300).es_cero());
}

// e^x beyond Arb's own range, against mpmath at 40 digits, and the signs
// that hold where no ball can show them: e^x > 0 over [-1e308, -9.9e307],
// where every ball of it holds 0, and what sums and products keep of it.
TEST(Bola, ExponencialEnLosExtremos) {
  EXPECT_EQ(exp(Bola(-1e20)).texto(10), "7.710953929e-43429448190325182766");
  EXPECT_EQ(exp(Bola(1e300)).texto(4),
            "2.499e+434294481903251850453656571405056984009141741681734700039"
            "539973598006300185154093073132508496370285044860636997097982346"
            "728628908616314684435910358280837233461819942222285242899931160"
            "168620757923392697261416912615500784578756219618461075464841541"
            "674066478869923120403965604911866786772338500237163275");
  EXPECT_EQ(exp(Bola(-745.2)).texto(10), "2.310745339e-324");
  const Bola lejos = Bola::entre(-1e308, -9.9e307);
  EXPECT_TRUE(exp(lejos).positiva());
  EXPECT_TRUE((exp(lejos) + exp(-Bola(1.0))).positiva());
  EXPECT_TRUE((-exp(lejos) * exp(lejos)).negativa());
  const Bola cociente = cosh(Bola::entre(1e300, 2e300)) / exp(lejos); // by a ball holding 0
  EXPECT_FALSE(cociente.finita());
  EXPECT_TRUE(cociente.positiva());
  EXPECT_TRUE((exp(lejos) - exp(lejos)).contiene_cero());
  EXPECT_FALSE(exp(log(Bola(-1.0))).positiva()); // e^x of an x not defined
  EXPECT_GE(exp(lejos).inf(), 0.0);
}

// The precision ladder is finite and each rung above the last.
TEST(Bola, EscaleraDePrecision) {
  std::vector<long> escalera;
  for (long p = Bola::precision_inicial; p != 0; p = Bola::siguiente_precision(p))
    escalera.push_back(p);
  EXPECT_EQ(escalera, (std::vector<long>{53, 128, 256, 512, 1024, 2048, 4096}));
  EXPECT_EQ(escalera.back(), Bola::precision_maxima);
  // A precision out of bounds is taken within them, never handed to Arb.
  EXPECT_EQ(Bola(1.0, 0).precision(), Bola::precision_minima);
  EXPECT_EQ(Bola::pi(-5).texto(1), "3e+0");
  EXPECT_EQ(Bola(1.0, 1L << 40).precision(), Bola::precision_tope);
  EXPECT_EQ(Bola(0.5).texto(-3), "0.5");
}

// A function on balls and on balls with their derivative, from one generic
// lambda, as the check takes it.
struct Ambas {
  std::function<Bola(const Bola &)> bola;
  std::function<Chorro(const Chorro &)> chorro;
  Bola operator()(const Bola &x) const { return bola(x); }
  Chorro operator()(const Chorro &x) const { return chorro(x); }
};
template <class L> Ambas ambas(L l) { return {l, l}; }

// One row: f, the reported x, the tolerance there, the answer.
struct Caso {
  const char *que;
  Ambas f;
  double x, delta;
  Prueba prueba;
};

TEST(CompruebaRaiz, CuatroRespuestas) {
  const auto triple = ambas([](auto x) { return pow(x, 3) - 3 * pow(x, 2) + 3 * x - 1; });
  const std::vector<Caso> casos = {
      {"x^2 - 2 at its double", ambas([](auto x) { return x * x - 2; }), 1.4142135623730951, 1e-12,
       Prueba::demostrada},
      {"x^2 - 2, tolerance 0: one ulp", ambas([](auto x) { return x * x - 2; }), 1.4142135623730951,
       0, Prueba::demostrada},
      {"x^2 - 2, two ulps off, tolerance 0", ambas([](auto x) { return x * x - 2; }),
       1.4142135623730954, 0, Prueba::refutada},
      {"x - 0.25 at 0.25", ambas([](auto x) { return x - 0.25; }), 0.25, 0, Prueba::exacta},
      {"sin at pi (the double)", ambas([](auto x) { return sin(x); }), M_PI, 1e-12,
       Prueba::demostrada},
      {"exp(-x) at 750, underflow", ambas([](auto x) { return exp(-x); }), 750, 750e-12,
       Prueba::refutada},
      {"expanded triple root, at 1", triple, 1, 1e-12, Prueba::exacta},
      {"expanded triple root, 4e-6 off", triple, 1.0000038, 1e-12, Prueba::refutada},
      {"expanded triple root, near 1", triple, 1 + DBL_EPSILON, 1e-15, Prueba::demostrada},
      {"(x - 1)^2, even root", ambas([](auto x) { return pow(x - 1, 2); }), 1 + 1e-13, 1e-12,
       Prueba::sin_demostrar},
      {"1/(x - 0.3), a pole", ambas([](auto x) { return 1 / (x - 0.3); }), 0.3, 1e-12,
       Prueba::sin_demostrar},
      {"log(x) at -1, undefined", ambas([](auto x) { return log(x); }), -1, 1e-12,
       Prueba::sin_demostrar},
      {"x^2 + 1e-12", ambas([](auto x) { return pow(x, 2) + 1e-12; }), 0, 1e-3, Prueba::refutada},
      {"x at NaN", ambas([](auto x) { return x; }), NAN, 1, Prueba::sin_demostrar},
      {"x, delta infinite", ambas([](auto x) { return x; }), 1, HUGE_VAL,
       Prueba::demostrada}, // within all the doubles
      {"x - 1e-300 within 1e-320", ambas([](auto x) { return x - 1e-300; }), 1e-300, 1e-320,
       Prueba::exacta},
      {"x - 3e-300 near 0", ambas([](auto x) { return x - 3e-300; }), 0, 1e-299,
       Prueba::demostrada},
      {"tan(x) - x at 0", ambas([](auto x) { return tan(x) - x; }), 0, 1e-12, Prueba::exacta},
      {"tan(x) - x, 6.3e-9 off its triple root", ambas([](auto x) { return tan(x) - x; }), 6.3e-9,
       1e-12, Prueba::refutada},
      {"abs(x - 0.3) near 0.3", ambas([](auto x) { return abs(x - 0.3) + 1e-20; }), 0.3, 1e-12,
       Prueba::refutada},
  };
  for (const Caso &c : casos)
    EXPECT_EQ(raices::comprueba_raiz(c.f, c.x, c.delta), c.prueba) << c.que;
  // Without the derivative, the ball of F over the interval cancels its terms
  // and cannot refute near the multiple root.
  EXPECT_EQ(raices::comprueba_raiz(triple.bola, 1.0000038, 1e-12), Prueba::sin_demostrar);
}

} // namespace
