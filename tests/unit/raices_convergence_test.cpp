// The three methods driven to a tight tolerance on fun find its three roots,
// and the bracketing methods keep a sign change inside [a, b] at every step.
#include <gtest/gtest.h>

#include <cmath>

#include "P3/raices.h"
#include "e_p3/func.h"

namespace {

struct Raiz {
  double a, b, valor; // bracket and the root inside it, to three decimals
};
const Raiz raices[] = {{-3, -2, -2.618}, {-2, -1, -1.488}, {0, 1, 0.540}};
const double TOL = 1e-14;
const int LIMITE = 200;

bool cambia_signo(double a, double b) {
  return (fun(a) <= 0 && fun(b) >= 0) || (fun(a) >= 0 && fun(b) <= 0);
}

using Ini = int (*)(func, double, double);
using Iter = int (*)(func, double &, double &, double &);

double acota(Ini ini, Iter iter, Raiz r) {
  double a = r.a, b = r.b, raiz = 0;
  EXPECT_EQ(ini(fun, a, b), 0);
  for (int i = 0; i < LIMITE; ++i) {
    double previa = raiz;
    int status = iter(fun, a, b, raiz);
    if (status == 0) return raiz;
    EXPECT_EQ(status, -2);
    EXPECT_TRUE(cambia_signo(a, b)) << "step " << i << ": [" << a << "," << b << "]";
    if (std::fabs(a - b) < TOL || (i > 0 && std::fabs(raiz - previa) < TOL)) return raiz;
  }
  ADD_FAILURE() << "no convergence from [" << r.a << "," << r.b << "]";
  return raiz;
}

TEST(Convergencia, Bisection) {
  for (const auto &r : raices) {
    double x = acota(bisecIni, bisecIter, r);
    EXPECT_NEAR(x, r.valor, 5e-4);
    EXPECT_LT(std::fabs(fun(x)), 1e-12);
  }
}

TEST(Convergencia, RegulaFalsi) {
  for (const auto &r : raices) {
    double x = acota(rfalsiIni, rfalsiIter, r);
    EXPECT_NEAR(x, r.valor, 5e-4);
    EXPECT_LT(std::fabs(fun(x)), 1e-12);
  }
}

TEST(Convergencia, NewtonFromTheBracketMidpoint) {
  for (const auto &r : raices) {
    double raiz = (r.a + r.b) / 2, f_raiz = 0, df_raiz = 0;
    ASSERT_EQ(newtonIni(fun, Dfun, f_raiz, df_raiz, raiz), 0);
    int pasos = 0;
    double previa = 0;
    do {
      previa = raiz;
      ASSERT_EQ(newtonIter(fun, Dfun, f_raiz, df_raiz, raiz), -2);
    } while (std::fabs(raiz - previa) >= TOL && ++pasos < LIMITE);
    EXPECT_NEAR(raiz, r.valor, 5e-4);
    EXPECT_LT(std::fabs(fun(raiz)), 1e-12);
  }
}

} // namespace
