// Illinois and Brent on classic hard cases, secant and Steffensen on smooth
// ones: the bracketing methods keep a sign change inside a bracket that never
// grows, and reach the root where plain regula falsi stalls; Brent stays
// within a few evaluations of bisection's bound on simple roots.
#include <gtest/gtest.h>

#include <cmath>

#include "P3/raices.h"
#include "Util/matutil.h"

namespace {

const int LIMITE = 200; // steps before a search counts as stalled

struct Caso {
  const char *nombre;
  double (*f)(double);
  double a, b;        // bracket
  double raiz, error; // expected root, and how far from it a result may be
  // F'(raiz) == 0 (multiple or flat root). Illinois's halvings then cannot
  // move the far end and it falls back on bisection; Brent bisects only every
  // third step or so.
  bool multiple;
};

// (x - 1)^5: a root of multiplicity five, F flat and tiny around it.
double quintuple(double x) {
  double y = x - 1;
  return y * y * y * y * y;
}
// x^20 - 1: high degree, convex over the bracket.
double grado20(double x) { return std::pow(x, 20) - 1; }
// (x - 1) (x - 2) ... (x - 10), near its root 7.
double wilkinson(double x) {
  double p = 1;
  for (int k = 1; k <= 10; ++k) p *= x - k;
  return p;
}
// Flatter than any power at 1; underflows to zero within about 0.04 of it.
double plana(double x) {
  double y = x - 1;
  return y == 0 ? 0 : y * std::exp(-1 / (y * y));
}
// sqrt(|x - 1/3|) sign(x - 1/3): infinite slope at the root.
double raiz_con_signo(double x) {
  double y = x - 1.0 / 3;
  return std::copysign(std::sqrt(std::fabs(y)), y);
}
// x e^-x from far away: F is almost zero over most of the bracket.
double x_exp(double x) { return x * std::exp(-x); }
// A jump at 1/3, which a bracketing method must close in on.
double salto(double x) { return x < 1.0 / 3 ? -1 : 1; }
double cubica(double x) { return (x * x - 2) * x - 5; }

const double TOL = 1e-10; // bracket width that ends a bracketing search

const Caso acotados[] = {
    {"quintuple", quintuple, 0, 3, 1, 1e-9, true},
    {"grado20", grado20, 0, 1.5, 1, 1e-9, false},
    {"wilkinson", wilkinson, 6.5, 7.4, 7, 1e-9, false},
    {"plana", plana, 0, 3.5, 1, 0.04, true},
    {"raiz_con_signo", raiz_con_signo, -1, 4, 1.0 / 3, 1e-9, false},
    {"x_exp_de_lejos", x_exp, -1, 30, 0, 1e-9, false},
    {"salto", salto, -2, 5, 1.0 / 3, 1e-9, false},
    {"cubica", cubica, 2, 3, 2.0945514815423265, 1e-9, false},
};

struct Resultado {
  double x;
  int evaluaciones;
  bool converge;
};

bool contiene(double a, double b, double x) { return std::fmin(a, b) <= x && x <= std::fmax(a, b); }

// After every step: F has no common strict sign at the ends, and the new
// bracket lies inside the old one.
void acotado(const Caso &c, double a0, double b0, double a, double b) {
  EXPECT_FALSE(raices::detalle::mismo_signo(c.f(a), c.f(b))) << "[" << a << ", " << b << "]";
  EXPECT_TRUE(contiene(a0, b0, a) && contiene(a0, b0, b))
      << "[" << a << ", " << b << "] leaves [" << a0 << ", " << b0 << "]";
}

Resultado por_illinois(const Caso &c) {
  int n = 0;
  auto f = [&](double x) { return ++n, c.f(x); };
  double a = c.a, b = c.b, fa = 0, fb = 0, raiz = a;
  int lado = 0;
  EXPECT_EQ(illinoisIni(f, a, b, fa, fb, lado), RAICES_EXITO);
  for (int i = 0; i < LIMITE && std::fabs(b - a) > TOL; ++i) {
    double a0 = a, b0 = b;
    int status = illinoisIter(f, a, b, fa, fb, lado, raiz);
    if (status == RAICES_EXITO) return {raiz, n, true};
    EXPECT_EQ(status, RAICES_CONTINUA);
    acotado(c, a0, b0, a, b);
  }
  return {raiz, n, std::fabs(b - a) <= TOL};
}

Resultado por_brent(const Caso &c) {
  int n = 0;
  auto f = [&](double x) { return ++n, c.f(x); };
  EstadoBrent s{};
  EXPECT_EQ(brentIni(f, c.a, c.b, s), RAICES_EXITO);
  for (int i = 0; i < LIMITE && std::fabs(s.c - s.b) > TOL; ++i) {
    double b0 = s.b, c0 = s.c;
    int status = brentIter(f, s);
    if (status == RAICES_EXITO) return {s.b, n, true};
    EXPECT_EQ(status, RAICES_CONTINUA);
    acotado(c, b0, c0, s.b, s.c);
    EXPECT_LE(std::fabs(s.fb), std::fabs(s.fc));
  }
  return {s.b, n, std::fabs(s.c - s.b) <= TOL};
}

Resultado por_rfalsi(const Caso &c) {
  double a = c.a, b = c.b, raiz = a;
  EXPECT_EQ(rfalsiIni(c.f, a, b), RAICES_EXITO);
  for (int i = 0; i < LIMITE && std::fabs(b - a) > TOL; ++i)
    if (rfalsiIter(c.f, a, b, raiz) != RAICES_CONTINUA) return {raiz, 0, true};
  return {raiz, 0, std::fabs(b - a) <= TOL};
}

// Bisection's evaluations for the same width: two at the start, one per halving.
int cota_biseccion(const Caso &c) {
  return 2 + static_cast<int>(std::ceil(std::log2(std::fabs(c.b - c.a) / TOL)));
}

TEST(CasosDificiles, IllinoisAndBrentKeepTheBracketAndConverge) {
  int atascos_rfalsi = 0;
  for (const auto &c : acotados) {
    SCOPED_TRACE(c.nombre);
    Resultado illinois = por_illinois(c), brent = por_brent(c);
    EXPECT_TRUE(illinois.converge);
    EXPECT_NEAR(illinois.x, c.raiz, c.error);
    EXPECT_TRUE(brent.converge);
    EXPECT_NEAR(brent.x, c.raiz, c.error);
    // Brent's guarantee is bisection's count squared; in practice a few
    // evaluations more than bisection, three times as many on multiple roots.
    EXPECT_LE(brent.evaluaciones, c.multiple ? 3 * cota_biseccion(c) : cota_biseccion(c) + 4);
    if (!c.multiple) atascos_rfalsi += por_rfalsi(c).converge ? 0 : 1;
  }
  // Plain regula falsi fails on cases that Illinois and Brent solve.
  EXPECT_GE(atascos_rfalsi, 2);
}

struct Abierto {
  const char *nombre;
  double (*f)(double);
  double x0, x1, raiz; // secant from x0, x1; Steffensen from x1
};

double coseno(double x) { return std::cos(x) - x; }
double exponencial(double x) { return std::exp(x) - 2; }

const Abierto abiertos[] = {
    {"cubica", cubica, 2, 2.1, 2.0945514815423265},
    {"coseno", coseno, 0, 1, 0.73908513321516064},
    {"exponencial", exponencial, 0, 0.5, LN2},
};

const int LIMITE_ABIERTO = 30; // superlinear from nearby: far fewer steps

// Steps until the point stops moving; true when it settles. A step that
// cannot move its point (23) has settled too, within an ulp of it.
template <typename Paso> bool asienta(Paso paso, const double &x) {
  for (int i = 0; i < LIMITE_ABIERTO; ++i) {
    double previo = x;
    int status = paso();
    if (status == RAICES_EXITO || status == RAICES_ESTANCADA) return true;
    if (status != RAICES_CONTINUA) return false;
    if (std::fabs(x - previo) <= 1e-15) return true;
  }
  return false;
}

TEST(CasosDificiles, SecantAndSteffensenFromNearby) {
  for (const auto &c : abiertos) {
    SCOPED_TRACE(c.nombre);
    double x0 = c.x0, x1 = c.x1, f0 = 0, f1 = 0;
    ASSERT_EQ(secanteIni(c.f, x0, x1, f0, f1), RAICES_EXITO);
    EXPECT_TRUE(asienta([&] { return secanteIter(c.f, x0, x1, f0, f1); }, x1));
    EXPECT_NEAR(x1, c.raiz, 1e-15);
    double x = c.x1, fx = 0;
    ASSERT_EQ(steffensenIni(c.f, fx, x), RAICES_EXITO);
    EXPECT_TRUE(asienta([&] { return steffensenIter(c.f, fx, x); }, x));
    EXPECT_NEAR(x, c.raiz, 1e-15);
  }
}

} // namespace
