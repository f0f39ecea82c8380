// The polynomials exactly (P3/polinomio): what is read as a polynomial and
// what is not, the limits, and the roots of random products of known
// factors, expanded, against those factors.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <flint/fmpq_poly.h>

#include "P3/expresion/expresion.h"
#include "P3/polinomio/comprueba_polinomio.h"
#include "P3/polinomio/polinomio.h"

namespace {

using raices::ErrorPolinomio;
using raices::Polinomio;
using raices::polinomio_de;

TEST(Polinomio, SoloLoQueEsPolinomioSinSimplificar) {
  // Polynomials as typed: degree, and f at 3 exactly.
  struct Caso {
    const char *texto;
    long grado;
    double en_3;
  };
  for (const Caso &c :
       {Caso{"x^2 - 0.2*x + 0.01", 2, 8.41}, Caso{"2^-1*x", 1, 1.5}, Caso{"(x + 1)^0", 0, 1},
        Caso{"0^0 + x", 1, 4}, Caso{"x^(1 + 1)/4", 2, 2.25},
        Caso{"-(x/3 - 0.5)^4*(2*x + 1)^2", 6, -0.0625 * 49}, Caso{"1^100000000*x", 1, 3},
        Caso{"x*(0.1 + 0.2 - 0.3)", -1, 0}}) {
    SCOPED_TRACE(c.texto);
    const auto p = polinomio_de(Expresion(c.texto));
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->grado(), c.grado);
    EXPECT_EQ(p->valor(3), c.en_3);
  }
  // Not polynomials, though a simplifier would make some of them one: the
  // typed f is not defined somewhere, or is not a polynomial at all.
  for (const char *texto :
       {"x^2/x", "0*log(x) + x - 1", "pi*x", "x - e", "sin(x)", "x^0.5", "x^(1/2)", "x/(x - x)",
        "x^-1", "2^x", "x^x", "x/(0.1 + 0.2 - 0.3)", "0^-1 + x", "abs(x)", "sqrt(x^2)"}) {
    SCOPED_TRACE(texto);
    EXPECT_FALSE(polinomio_de(Expresion(texto)).has_value());
  }
}

TEST(Polinomio, RechazaLoQuePasaDeLosLimitesAntesDeMultiplicar) {
  for (const char *texto : {"x^1000000", "(x + 1)^100000", "(x^2 + 1)^501", "((x + 1)^40)^40",
                            "10^100000*x", "(1e300)^400*x", "x^(2^70)", "(x^999)*(x^2)"}) {
    SCOPED_TRACE(texto);
    EXPECT_THROW((void)polinomio_de(Expresion(texto)), ErrorPolinomio);
  }
  EXPECT_EQ(polinomio_de(Expresion("(x + 1)^1000"))->grado(), 1000);
  EXPECT_EQ(polinomio_de(Expresion("((x + 1)^30)^30"))->grado(), 900);
}

TEST(Polinomio, DesdeCoeficientesExactos) {
  const Polinomio p({"-1/3", "1"}); // x - 1/3
  const auto r = p.raices(-1, 1, 1e-12);
  ASSERT_EQ(r.size(), 1U);
  EXPECT_EQ(r[0].fraccion, "1/3");
  EXPECT_EQ(r[0].x, 1.0 / 3);
  EXPECT_TRUE(Polinomio({"0", "0"}).nulo());
  EXPECT_TRUE(Polinomio({"0", "0"}).raices(-1, 1, 0).empty());
  for (const std::vector<std::string> &malos :
       {std::vector<std::string>{"abc"}, {"1/0"}, {"1e99999"}, {"--1"}, {""}}) {
    SCOPED_TRACE(malos[0]);
    EXPECT_THROW(Polinomio{malos}, ErrorPolinomio);
  }
}

// Roots at the ends of [a, b], as typed or as doubles: the rational ones
// exactly; an irrational one on the right side of the double nearest it.
TEST(Polinomio, RaicesEnLosExtremos) {
  const Polinomio p({"-1/100", "0", "1"}); // x^2 - 0.01
  EXPECT_EQ(p.raices("0.1", "1", 1e-12).size(), 1U);
  EXPECT_EQ(p.raices("-1", "-0.1", 1e-12).size(), 1U);
  EXPECT_EQ(p.raices(0.1, 1, 1e-12).size(), 0U); // the double 0.1 is past 1/10
  const Polinomio dos({"-2", "0", "1"});
  EXPECT_EQ(dos.raices(1.4142135623730951, 2, 1e-12).size(), 0U); // above sqrt(2)
  const auto r = dos.raices(1.4142135623730949, 2, 0);
  ASSERT_EQ(r.size(), 1U);
  EXPECT_EQ(r[0].x, 1.4142135623730951);
  EXPECT_EQ(std::nextafter(r[0].inf, 2.0), r[0].sup);
}

// A root past 1 where every other coefficient is under half the leading
// one: Cauchy's bound is then below 2, not 1.
TEST(Polinomio, RaizMasAllaDeUnoConCoeficientesPequenos) {
  const auto r = Polinomio({"-31", "-31", "-31", "64"}).raices(-10, 10, 1e-12);
  ASSERT_EQ(r.size(), 1U);
  EXPECT_GT(r[0].x, 1.2);
  EXPECT_LT(r[0].x, 1.25);
}

// Random products of (q x - p)^m and of x^2 + c (no real root), expanded by
// FLINT: every root found, in order, exact, with its multiplicity; the
// check of a reported root finds the nearest.
TEST(Polinomio, ProductosAleatoriosDeFactoresConocidos) {
  std::mt19937 azar(26);
  std::uniform_int_distribution<int> entero(-40, 40), denominador(1, 12), multiplicidad(1, 4);
  for (int caso = 0; caso < 150; ++caso) {
    fmpq_poly_t f, factor;
    fmpq_poly_init(f);
    fmpq_poly_init(factor);
    fmpq_poly_set_si(f, 1);
    struct Raiz {
      double x;
      int m;
    };
    std::vector<Raiz> esperadas;
    const int n = 1 + caso % 4;
    for (int k = 0; k < n; ++k) {
      const int q = denominador(azar), p = entero(azar), m = multiplicidad(azar);
      fmpq_poly_zero(factor);
      fmpq_poly_set_coeff_si(factor, 0, -p);
      fmpq_poly_set_coeff_si(factor, 1, q);
      fmpq_poly_pow(factor, factor, static_cast<unsigned long>(m));
      fmpq_poly_mul(f, f, factor);
      const double x = static_cast<double>(p) / q;
      bool repetida = false;
      for (Raiz &r : esperadas)
        if (r.x == x) r.m += m, repetida = true;
      if (!repetida) esperadas.push_back({x, m});
    }
    fmpq_poly_zero(factor); // x^2 + c, c > 0
    fmpq_poly_set_coeff_si(factor, 0, denominador(azar));
    fmpq_poly_set_coeff_si(factor, 2, 1);
    fmpq_poly_mul(f, f, factor);
    std::vector<std::string> coeficientes;
    for (long i = 0; i < fmpq_poly_length(f); ++i) {
      fmpq_t c;
      fmpq_init(c);
      fmpq_poly_get_coeff_fmpq(c, f, i);
      char *texto = fmpq_get_str(nullptr, 10, c);
      coeficientes.emplace_back(texto);
      flint_free(texto);
      fmpq_clear(c);
    }
    fmpq_poly_clear(f);
    fmpq_poly_clear(factor);
    std::sort(esperadas.begin(), esperadas.end(),
              [](const Raiz &a, const Raiz &b) { return a.x < b.x; });
    const Polinomio poli(coeficientes);
    const auto halladas = poli.raices(-41, 41, 1e-12);
    ASSERT_EQ(halladas.size(), esperadas.size()) << "caso " << caso;
    for (std::size_t i = 0; i < halladas.size(); ++i) {
      EXPECT_EQ(halladas[i].x, esperadas[i].x) << "caso " << caso;
      EXPECT_EQ(halladas[i].multiplicidad, esperadas[i].m) << "caso " << caso;
      EXPECT_FALSE(halladas[i].fraccion.empty());
      const double cerca = esperadas[i].x + 1e-13 * std::fmax(1, std::fabs(esperadas[i].x));
      const auto c =
          raices::comprueba_polinomio(poli, cerca, 1e-12 * std::fmax(1, std::fabs(cerca)));
      EXPECT_NE(c.prueba, raices::Prueba::refutada) << "caso " << caso;
      EXPECT_EQ(c.multiplicidad, esperadas[i].m) << "caso " << caso;
    }
  }
}

} // namespace
