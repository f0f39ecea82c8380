// The cost a search reports: every call of F it makes, counted by the caller
// here, equals Solucion::evals_f; with its verdict the search stays within
// three calls of the method's own (the start and the steps), and Brent and
// Chandrupatla on cos(x) - x at 1e-12 within the 11 that brentq's 8 allow.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>

#include "P3/raices.h"

namespace {

struct Caso {
  const char *nombre;
  double (*f)(double);
  double (*df)(double);
  double a, b, tol;
  bool raiz; // the verdict must find one
};

double coseno(double x) { return std::cos(x) - x; }
double dcoseno(double x) { return -std::sin(x) - 1; }
double cubica(double x) { return x * x * x - 2 * x - 5; }
double dcubica(double x) { return 3 * x * x - 2; }
double polo(double x) { return 1 / (x - 0.3); }
double dpolo(double x) { return -1 / ((x - 0.3) * (x - 0.3)); }
double salto(double x) { return std::atan(1 / x); }
double dsalto(double x) { return -1 / (1 + x * x); }

const Caso CASOS[] = {
    {"cos(x) - x", coseno, dcoseno, 0, 1, 1e-12, true},
    {"x^3 - 2x - 5", cubica, dcubica, 2, 3, 1e-10, true},
    {"1/(x - 0.3)", polo, dpolo, 0, 1, 1e-10, false},
    {"atan(1/x)", salto, dsalto, -1, 2, 3, false},
};

TEST(CosteDeLaBusqueda, CadaLlamadaContadaYPocasDelVeredicto) {
  for (const Caso &k : CASOS) {
    for (std::size_t m = 0; m < raices::NUM_METODOS; ++m) {
      const raices::Descriptor &d = raices::DESCRIPTORES[m];
      long llamadas = 0, llamadas_df = 0;
      const auto F = [&](double x) {
        ++llamadas;
        return k.f(x);
      };
      const auto dF = [&](double x) {
        ++llamadas_df;
        return k.df(x);
      };
      raices::Criterio c;
      c.absoluta = k.tol;
      const raices::Solucion s = raices::resuelve(m, F, dF, k.a, k.b, c);
      EXPECT_EQ(s.evals_f, llamadas) << k.nombre << ' ' << d.clave;
      EXPECT_EQ(s.evals_df, llamadas_df) << k.nombre << ' ' << d.clave;
      if (k.raiz && s.desenlace == raices::Desenlace::raiz) {
        const long propias =
            (d.arranque == raices::Arranque::desde_a ? 1 : 2) + d.evals_f * s.pasos;
        EXPECT_LE(s.evals_f, propias + 3) << k.nombre << ' ' << d.clave;
      }
      const std::string clave = d.clave;
      if (k.raiz && (clave == "brent" || clave == "chandrupatla")) {
        EXPECT_EQ(s.desenlace, raices::Desenlace::raiz) << k.nombre << ' ' << clave;
      }
      if (!k.raiz && d.familia == raices::Familia::acotado) {
        EXPECT_NE(s.desenlace, raices::Desenlace::raiz) << k.nombre << ' ' << clave;
      }
      if (k.f == coseno && (clave == "brent" || clave == "chandrupatla")) {
        EXPECT_LE(s.evals_f, 11) << clave;
      }
    }
  }
}

} // namespace
