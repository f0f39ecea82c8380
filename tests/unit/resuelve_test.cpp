// The one search (raices::resuelve): its verdict over the methods of the
// table on problems chosen to tempt a false root, and the criterion's
// switches that the programs and benchmarks rely on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <functional>
#include <vector>

#include "P3/raices.h"

namespace {

using raices::Criterio;
using raices::Desenlace;
using raices::Solucion;
using Funcion = std::function<double(double)>;

const double NINGUNA = NAN; // no root expected

// What a method must report on a problem: its outcome and, for a root, one
// within 2 TOL max(1, |x*|) of x*.
struct Veredicto {
  const char *clave;
  Desenlace desenlace;
  double x_estrella = NINGUNA;
};

struct Problema {
  const char *nombre;
  Funcion f, df;
  double a, b, tol;
  std::vector<Veredicto> veredictos;
};

std::size_t fila(const char *clave) {
  for (std::size_t m = 0; m < raices::NUM_METODOS; ++m) {
    if (std::strcmp(raices::DESCRIPTORES[m].clave, clave) == 0) return m;
  }
  ADD_FAILURE() << "no method " << clave;
  return 0;
}

// rootcompare's criterion: both tests TOL max(1, |x|), 100 steps.
Criterio criterio(double tol) {
  Criterio c;
  c.absoluta = c.relativa = tol;
  return c;
}

std::vector<Problema> problemas() {
  const auto R = Desenlace::raiz, S = Desenlace::singularidad, E = Desenlace::estancada,
             L = Desenlace::limite, F = Desenlace::falla;
  const double pi = std::acos(-1.0), omega = 0.56714329040978384, c = 0.73908513321516067;
  const Funcion polo = [](double x) { return 1 / (x - 1.1); };
  const Funcion salto = [](double x) { return (x - 0.3) / std::fabs(x - 0.3); };
  // A jump with no NaN anywhere: tanh turns into a step at 0.3.
  const Funcion escalon = [](double x) {
    return (std::tanh(1e300 * (x - 0.3)) + 0.5) / (1 + 100 * (x - 0.3) * (x - 0.3));
  };
  const Funcion tan_ = [](double x) { return std::tan(x); };
  const Funcion sec2 = [](double x) { return 1 / (std::cos(x) * std::cos(x)); };
  const Funcion xex = [](double x) { return x * std::exp(x) - 1; };
  const Funcion dxex = [](double x) { return (x + 1) * std::exp(x); };
  const Funcion x10 = [](double x) { return std::pow(x, 10) - 1; };
  const Funcion dx10 = [](double x) { return 10 * std::pow(x, 9); };
  const Funcion x20 = [](double x) { return std::pow(x, 20) - 1; };
  const Funcion dx20 = [](double x) { return 20 * std::pow(x, 19); };
  const Funcion seno = [](double x) { return std::sin(x); };
  const Funcion coseno = [](double x) { return std::cos(x); };
  const Funcion cx = [](double x) { return std::cos(x) - x; };
  const Funcion dcx = [](double x) { return -std::sin(x) - 1; };
  const Funcion cubica = [](double x) { return x * x * x - 2 * x - 5; };
  const Funcion dcubica = [](double x) { return 3 * x * x - 2; };
  const double r3 = 2.0945514815423265;
  const Funcion mala = [](double) { return 1e20; }; // a wrong f' of cos(x) - x
  // Root at 0: a relative-only test (TOL |x|) would never stop bisection.
  const Funcion impar = [](double x) { return x + x * x * x; };
  const Funcion dimpar = [](double x) { return 1 + 3 * x * x; };
  // A true root at 0 where |f| a tolerance away exceeds |f| at both ends.
  const Funcion empinada = [](double x) { return x / (1 + 1e8 * x * x); };
  const Funcion dempinada = [](double x) {
    const double d = 1 + 1e8 * x * x;
    return (1 - 1e8 * x * x) / (d * d);
  };
  // A tail where f only tends to 0.
  const Funcion cola = [](double x) { return std::exp(-x * x); };
  const Funcion dcola = [](double x) { return -2 * x * std::exp(-x * x); };
  // A double root at A, where Newton's first step divides by zero.
  const Funcion doble = [](double x) { return (x - 1) * (x - 1); };
  const Funcion ddoble = [](double x) { return 2 * (x - 1); };
  return {
      {"pole",
       polo,
       polo,
       0,
       2,
       1e-12,
       {{"biseccion", S}, {"illinois", S}, {"regula_falsi", L}, {"newton", L}}},
      {"jump",
       salto,
       salto,
       0,
       1,
       1e-12,
       {{"biseccion", S}, {"regula_falsi", S}, {"illinois", S}, {"brent", S}, {"secante", F}}},
      {"jump without NaN",
       escalon,
       escalon,
       0,
       1,
       1e-6,
       {{"biseccion", S}, {"brent", S}, {"chandrupatla", S}}},
      {"tan over [1, 2]",
       tan_,
       sec2,
       1,
       2,
       1e-12,
       {{"biseccion", S}, {"illinois", S}, {"brent", S}, {"secante", R, pi}, {"newton", R, 0}}},
      {"Steffensen stalls",
       xex,
       dxex,
       0,
       1,
       1e-12,
       {{"steffensen", E}, {"biseccion", R, omega}, {"newton", R, omega}, {"secante", R, omega}}},
      {"secant stalls",
       x10,
       dx10,
       0,
       1.3,
       1e-12,
       {{"secante", E}, {"biseccion", R, 1}, {"illinois", R, 1}, {"brent", R, 1}}},
      {"Steffensen from 2.5", x20, dx20, 2.5, 3, 1e-12, {{"steffensen", E}, {"newton", R, 1}}},
      {"root at A",
       seno,
       coseno,
       0,
       3,
       1e-12,
       {{"biseccion", R, 0},
        {"regula_falsi", R, 0},
        {"illinois", R, 0},
        {"brent", R, 0},
        {"secante", R, 0},
        {"newton", R, 0},
        {"steffensen", R, 0}}},
      {"root at 0, relative test",
       impar,
       dimpar,
       -1,
       2,
       1e-12,
       {{"biseccion", R, 0},
        {"illinois", R, 0},
        {"brent", R, 0},
        {"secante", R, 0},
        {"newton", R, 0},
        {"regula_falsi", L}}},
      {"cos(x) - x",
       cx,
       dcx,
       0,
       1,
       1e-12,
       {{"biseccion", R, c},
        {"regula_falsi", R, c},
        {"illinois", R, c},
        {"brent", R, c},
        {"chandrupatla", R, c},
        {"secante", R, c},
        {"newton", R, c},
        {"steffensen", R, c}}},
      {"x^3 - 2x - 5",
       cubica,
       dcubica,
       2,
       3,
       1e-12,
       {{"biseccion", R, r3},
        {"illinois", R, r3},
        {"brent", R, r3},
        {"secante", R, r3},
        {"newton", R, r3},
        {"steffensen", R, r3}}},
      {"wrong derivative", cx, mala, 0, 1, 1e-10, {{"newton", E}}},
      {"steep true root",
       empinada,
       dempinada,
       -1,
       2,
       1e-6,
       {{"biseccion", R, 0},
        {"regula_falsi", R, 0},
        {"illinois", R, 0},
        {"brent", R, 0},
        {"chandrupatla", R, 0}}},
      {"tail", cola, dcola, 1, 2, 1e-2, {{"secante", E}, {"newton", E}, {"steffensen", E}}},
      {"double root at A",
       doble,
       ddoble,
       1,
       2,
       1e-12,
       {{"biseccion", R, 1}, {"newton", R, 1}, {"steffensen", R, 1}}},
  };
}

TEST(Resuelve, EveryMethodSaysWhatHappened) {
  for (const Problema &p : problemas()) {
    for (const Veredicto &v : p.veredictos) {
      SCOPED_TRACE(std::string(p.nombre) + ", " + v.clave);
      const Solucion s = raices::resuelve(fila(v.clave), p.f, p.df, p.a, p.b, criterio(p.tol));
      EXPECT_EQ(s.desenlace, v.desenlace) << "at " << s.raiz;
      if (v.desenlace != Desenlace::raiz) {
        EXPECT_NE(s.estado, 0);
        continue;
      }
      EXPECT_EQ(s.estado, 0);
      EXPECT_LE(std::fabs(s.raiz - v.x_estrella),
                2 * p.tol * std::fmax(1.0, std::fabs(v.x_estrella)));
    }
  }
}

// A bracketing method answers with the end of its final bracket with the
// smaller |f|, never with its last point when the other end is better; the
// observer sees the start, then every step once, the last one marked.
TEST(Resuelve, BetterEndAndOneCallPerStep) {
  for (const Problema &p : problemas()) {
    for (std::size_t m = 0; m < raices::NUM_METODOS; ++m) {
      SCOPED_TRACE(std::string(p.nombre) + ", " + raices::DESCRIPTORES[m].clave);
      int vistos = 0, ultimos = 0;
      double x_ultimo = NAN;
      const auto observa = [&](const raices::Paso &paso) {
        EXPECT_EQ(paso.paso, vistos++);
        ultimos += paso.ultimo ? 1 : 0;
        x_ultimo = paso.x;
      };
      const Solucion s = raices::resuelve(m, p.f, p.df, p.a, p.b, criterio(p.tol), observa);
      EXPECT_EQ(vistos, s.pasos + 1);
      EXPECT_EQ(ultimos, 1);
      if (raices::DESCRIPTORES[m].familia == raices::Familia::acotado && s.pasos > 0 &&
          s.desenlace != Desenlace::falla) {
        EXPECT_LE(std::fabs(s.f_raiz), std::fabs(p.f(x_ultimo)));
      }
    }
  }
}

// A check that refutes a root turns it into status 14, asked at the answer
// with the caller's tolerance there; an empty one proves nothing.
TEST(Resuelve, CheckRefutesOrLeavesTheRoot) {
  const auto f = [](double x) { return x * x - 2; };
  Criterio c = criterio(1e-10);
  Solucion s = raices::resuelve(raices::indice<raices::Brent>, f, 1.0, 2.0, c);
  EXPECT_EQ(s.desenlace, Desenlace::raiz);
  EXPECT_EQ(s.prueba, raices::Prueba::sin_demostrar);
  double visto = 0, delta = 0;
  c.comprueba = [&](double x, double d) {
    visto = x, delta = d;
    return raices::Prueba::refutada;
  };
  s = raices::resuelve(raices::indice<raices::Brent>, f, 1.0, 2.0, c);
  EXPECT_EQ(s.desenlace, Desenlace::no_alcanza);
  EXPECT_EQ(s.estado, raices::NO_ALCANZA);
  EXPECT_EQ(visto, s.raiz);
  EXPECT_EQ(delta, 1e-10 * s.raiz);
  c.comprueba = [](double, double) { return raices::Prueba::demostrada; };
  s = raices::resuelve(raices::indice<raices::Brent>, f, 1.0, 2.0, c);
  EXPECT_EQ(s.desenlace, Desenlace::raiz);
  EXPECT_EQ(s.prueba, raices::Prueba::demostrada);
}

// The switches rootbench and the benchmarks use: no exact-zero probes, the
// caller's own test, no verdict, the step limit.
TEST(Resuelve, CriterionSwitches) {
  const auto doble = [](double x) { return (x - 1) * (x - 1); };
  const auto ddoble = [](double x) { return 2 * (x - 1); };
  Criterio c;
  c.absoluta = 1e-6;
  c.ceros_exactos = false;
  c.parada = raices::Parada::cambio;
  // Newton's step divides by zero at the double root it starts on: a root.
  Solucion s = raices::resuelve(raices::indice<raices::Newton>, doble, ddoble, 1.0, 2.0, c);
  EXPECT_EQ(s.desenlace, Desenlace::raiz);
  EXPECT_EQ(s.motivo, raices::Motivo::exacta);
  EXPECT_EQ(s.pasos, 1);
  EXPECT_EQ(s.raiz, 1);
  EXPECT_EQ(s.evals_f, 2);
  EXPECT_EQ(s.evals_df, 2);

  const auto polo = [](double x) { return 1 / (x - 1.1); };
  c.parada = raices::Parada::familia;
  c.juzga = false;
  s = raices::resuelve(raices::indice<raices::Biseccion>, polo, 0.0, 2.0, c);
  EXPECT_EQ(s.desenlace, Desenlace::raiz);
  EXPECT_EQ(s.motivo, raices::Motivo::tolerancia);
  c.juzga = true;
  s = raices::resuelve(raices::indice<raices::Biseccion>, polo, 0.0, 2.0, c);
  EXPECT_EQ(s.desenlace, Desenlace::singularidad);
  EXPECT_EQ(s.estado, raices::SINGULARIDAD);
  c.max_pasos = 5;
  s = raices::resuelve(raices::indice<raices::Biseccion>, polo, 0.0, 2.0, c);
  EXPECT_EQ(s.desenlace, Desenlace::limite);
  EXPECT_EQ(s.estado, raices::MAX_ITERACIONES);
  EXPECT_EQ(s.pasos, 5);
  // Bisection's three calls per step, the start's two: the verdict's are not counted.
  EXPECT_EQ(s.evals_f, 2 + 3 * 5);
}

// Steffensen where x + f(x) == x, f(x) != 0: the step cannot move (23), it
// divides by nothing.
TEST(Resuelve, SteffensenStallsBelowHalfAnUlp) {
  const auto f = [](double x) { return x > 1e10 ? 1e-10 : x - 1; };
  double x = 2e10, fx = 0;
  ASSERT_EQ(steffensenIni(f, fx, x), RAICES_EXITO);
  EXPECT_EQ(steffensenIter(f, fx, x), RAICES_ESTANCADA);
  EXPECT_EQ(x, 2e10);
}

} // namespace
