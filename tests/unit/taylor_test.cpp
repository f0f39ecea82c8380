// Taylor models on balls (P3/bolas/taylor.h): coefficients that hold the
// exact ones, and the check of a root refuting points near, not at, a
// multiple root, where the value ball and the first-order jet cannot. The
// multiplicities are those of the series: sin(x)^2 - x^2 = -x^4/3 + ...,
// cos(x) - 1 + x^2/2 = x^4/24 - ..., exp(x) - 1 - x = x^2/2 + ...
#include <gtest/gtest.h>

#include <cmath>

#include "P3/bolas/comprueba_raiz.h"
#include "P3/bolas/taylor.h"
#include "P3/todas/demuestra_raices.h"
#include "P3/todas/jueces_de_bolas.h"
#include "P3/todas/todas_las_raices.h"

namespace {

using raices::Bola;
using raices::Taylor;

// The ball holds v.
bool contiene(const Bola &b, double v) { return b.inf() <= v && v <= b.sup(); }

const auto seno2 = [](const auto &x) { return sin(x) * sin(x) - pow(x, 2.0); };
const auto coseno = [](const auto &x) { return cos(x) - 1.0 + pow(x, 2.0) / 2.0; };
const auto exponencial = [](const auto &x) { return exp(x) - 1.0 - x; };

struct Multiple {
  const char *nombre;
  int m;
  double c_m;   // the first nonzero coefficient at 0
  double cerca; // a point near 0 that is no root
};

template <class F> void comprueba(const Multiple &k, F f) {
  const Taylor t = f(Taylor::variable(Bola(0.0, 128), 6));
  for (int i = 0; i < k.m; ++i)
    EXPECT_TRUE(t.coeficiente(i).contiene_cero()) << k.nombre << " c" << i;
  EXPECT_TRUE(contiene(t.coeficiente(k.m), k.c_m)) << k.nombre;
  EXPECT_FALSE(t.coeficiente(k.m).contiene_cero()) << k.nombre;
  EXPECT_EQ(raices::comprueba_raiz(f, k.cerca, 1e-12 * std::fmax(1, std::fabs(k.cerca))),
            raices::Prueba::refutada)
      << k.nombre;
  EXPECT_EQ(raices::comprueba_raiz(f, 0.0, 1e-12), raices::Prueba::exacta) << k.nombre;
}

TEST(Taylor, CoeficientesYRaicesMultiplesRefutadasCerca) {
  comprueba({"sin(x)^2 - x^2", 4, -1.0 / 3, -1.9663355e-08}, seno2);
  comprueba({"cos(x) - 1 + x^2/2", 4, 1.0 / 24, 3e-6}, coseno);
  comprueba({"exp(x) - 1 - x", 2, 0.5, -2e-9}, exponencial);
}

// The bound over x0 + [-d, d] holds F at points of it, even where F has a
// pole beyond and powers of a negative base; undecided where F is not
// analytic.
TEST(Taylor, LaCotaContieneLaFuncionYNoSeInventaDondeNoEsAnalitica) {
  const auto f = [](const auto &x) { return pow(x, 3.0) / (x - 2.0) + atan(x) * tanh(x); };
  const double x0 = -0.75, d = 0.25;
  const Bola X = Bola(x0, 64) + Bola::entre(-d, d, 64);
  const Bola cota =
      raices::cota_taylor(f(Taylor::variable(Bola(x0, 64), 5)), f(Taylor::variable(X, 5)), d);
  for (double x = x0 - d; x <= x0 + d; x += d / 8)
    EXPECT_TRUE(contiene(cota, std::pow(x, 3) / (x - 2) + std::atan(x) * std::tanh(x))) << x;
  const auto g = [](const auto &x) { return sqrt(x) + log(x) + abs(x); };
  EXPECT_FALSE(g(Taylor::variable(Bola::entre(-1e-3, 1e-3), 3)).finita());
  EXPECT_TRUE(g(Taylor::variable(Bola(2.0), 3)).finita());
}

// F' over pi +/- d where F is the difference of two near-equal terms:
// the jet's ball over the interval holds 0, the bound from Taylor's
// theorem about pi does not, and holds F' = 2^-40 cos(x) at its points.
TEST(Taylor, LaDerivadaPorTaylorNoPierdeLoQueSeCancela) {
  const auto f = [](const auto &x) { return sin(x) * (1 + 0x1p-40) - sin(x); };
  const double m = M_PI, d = 1e-9;
  const Bola x = Bola(m, 128) + Bola::entre(-d, d, 128);
  EXPECT_TRUE(f(raices::Chorro::variable(x)).derivada.contiene_cero());
  const Bola cota = raices::detalle_prueba::derivada_taylor(f, m, d, 128);
  EXPECT_FALSE(cota.contiene_cero());
  for (int k = -4; k <= 4; ++k) {
    const Bola exacta = cos(Bola(m + k * d / 4, 128)) * 0x1p-40;
    EXPECT_TRUE(cota.inf() <= exacta.inf() && exacta.sup() <= cota.sup()) << k;
  }
}

} // namespace

// The proof on [-1, 1] of the three functions whose only root is 0, of
// multiplicity 4, 4 and 2: one exact root of that proven multiplicity, no
// piece left, status 0.
TEST(Taylor, LaPruebaDaLaMultiplicidadDeUnaRaizExacta) {
  const auto prueba = [](auto f, int m, const char *nombre) {
    const raices::Respuesta d = raices::demuestra_raices(f, -1.0, 1.0, 1e-12);
    ASSERT_EQ(d.raices.size(), 1U) << nombre;
    EXPECT_EQ(d.raices[0].x, 0) << nombre;
    EXPECT_EQ(d.raices[0].certeza, raices::Certeza::exacta) << nombre;
    EXPECT_EQ(d.raices[0].multiplicidad, m) << nombre;
    EXPECT_TRUE(d.piezas.empty()) << nombre;
    EXPECT_EQ(d.estado, raices::SALIDA_BIEN) << nombre;
  };
  prueba(seno2, 4, "sin(x)^2 - x^2");
  prueba(coseno, 4, "cos(x) - 1 + x^2/2");
  prueba(exponencial, 2, "exp(x) - 1 - x");
}

// (3x - 1)^3 e^x: a triple root at 1/3, which no double is. The proof
// clears the pieces beside its enclosure after the search; a budget that
// runs out there leaves the search complete, with its pieces (14, not 11).
TEST(Taylor, LasPiezasJuntoAUnaRaizImparSeAclaranTrasLaBusqueda) {
  const auto f = [](const auto &x) { return pow(3.0 * x - 1.0, 3.0) * exp(x); };
  const raices::Respuesta d = raices::demuestra_raices(f, 0.0, 1.0, 1e-12);
  ASSERT_EQ(d.raices.size(), 1U);
  EXPECT_EQ(d.raices[0].certeza, raices::Certeza::impar);
  EXPECT_TRUE(d.raices[0].inf < 1.0 / 3 && 1.0 / 3 < d.raices[0].sup);
  EXPECT_LE(d.raices[0].sup - d.raices[0].inf, 1e-12);
  EXPECT_TRUE(d.piezas.empty());
  EXPECT_EQ(d.estado, raices::SALIDA_BIEN);
  const raices::Respuesta corta = raices::demuestra_raices(f, 0.0, 1.0, 1e-12, d.evaluaciones - 1);
  EXPECT_EQ(corta.estado, raices::NO_ALCANZA);
  EXPECT_EQ(corta.explorado, 1.0);
  EXPECT_FALSE(corta.piezas.empty());
}

// Every call of F a search makes, on doubles, balls, jets or series, is in
// its count: F wrapped in a counter, on the paths this file tests (F' by
// Taylor, pieces cleared beside an odd and an even root, a cut budget).
// The search on doubles counts its calls on doubles; its judges are apart.
TEST(Taylor, CadaLlamadaDeFSeCuenta) {
  const auto cancela = [](const auto &x) { return sin(x) * (1 + 0x1p-40) - sin(x); };
  const auto triple = [](const auto &x) { return pow(3.0 * x - 1.0, 3.0) * exp(x); };
  const auto doble = [](const auto &x) { return pow(3.0 * x - 1.0, 2.0) * exp(x); };
  const auto crece = [](const auto &x) { return cosh(x) - 2.0; };
  const auto mide = [](auto f, double a, double b, long presupuesto, const char *nombre) {
    long n = 0;
    const auto contada = [&n, f](const auto &x) {
      ++n;
      return f(x);
    };
    const raices::Respuesta d = raices::demuestra_raices(contada, a, b, 1e-12, presupuesto);
    EXPECT_EQ(d.evaluaciones, n) << nombre;
    n = 0;
    const auto en_dobles = [&n, f](double x) {
      ++n;
      return f(x);
    };
    const raices::Respuesta e =
        raices::todas_las_raices(en_dobles, a, b, 1e-12, presupuesto, raices::jueces_de_bolas(f));
    EXPECT_EQ(e.evaluaciones, n) << nombre;
  };
  mide(cancela, -4.0, 4.0, raices::PRESUPUESTO, "sin(x)(1 + 2^-40) - sin(x)");
  mide(triple, 0.0, 1.0, raices::PRESUPUESTO, "(3x - 1)^3 e^x");
  mide(triple, 0.0, 1.0, 1500, "(3x - 1)^3 e^x, 1500 calls");
  mide(doble, 0.0, 1.0, raices::PRESUPUESTO, "(3x - 1)^2 e^x");
  mide(crece, -30.0, 1e5, raices::PRESUPUESTO, "cosh(x) - 2");
}
