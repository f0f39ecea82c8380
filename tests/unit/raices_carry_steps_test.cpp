// Starts and steps of secant, Illinois, Brent, Chandrupatla and Steffensen: status, the
// caller's state afterwards and the exact sequence of calls of F. Each
// method's state is laid out as a row of doubles (lado as a double too).
#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <limits>
#include <vector>

#include "P3/raices.h"
#include "registro.h"

namespace {

using Estado = std::vector<double>;

struct Caso {
  const char *nombre;
  std::function<double(double)> f;
  Estado antes;
  int status;
  Estado despues; // INTACTO: not written
  std::vector<Llamada> llamadas;
};

// paso(f, estado) runs one start or step function on the row.
template <typename Paso> void comprueba(Paso paso, const Caso &c) {
  SCOPED_TRACE(c.nombre);
  en_ambas_formas([&](auto &f, auto &) {
    prepara(c.f);
    Estado v = c.antes;
    EXPECT_EQ(paso(f, v), c.status);
    for (size_t i = 0; i < v.size(); ++i)
      EXPECT_PRED2(identico, v[i], c.despues[i]) << "[" << i << "]";
    EXPECT_EQ(llamadas, c.llamadas);
  });
}

template <typename Paso> void comprueba_todos(Paso paso, const std::vector<Caso> &casos) {
  for (const auto &c : casos) comprueba(paso, c);
}

const double I = INTACTO;
const double MIN = std::numeric_limits<double>::denorm_min();
double lineal(double x) { return x - 1; }
double cuadrado4(double x) { return x * x - 4; }

// Row: x0, x1, f0, f1.
TEST(Secante, StartsAndSteps) {
  auto ini = [](auto &f, Estado &v) { return secanteIni(f, v[0], v[1], v[2], v[3]); };
  auto iter = [](auto &f, Estado &v) { return secanteIter(f, v[0], v[1], v[2], v[3]); };
  // One case per entry, laid out by hand.
  // clang-format off
  comprueba_todos(ini, {
      {"valores", cuadrado4, {0, 4, I, I}, 0, {0, 4, -4, 12}, {{'F', 0}, {'F', 4}}},
      {"nan_en_x0", [](double) { return NaN; }, {0, 4, I, I}, 9, {0, 4, NaN, I}, {{'F', 0}}},
      {"infinito_en_x1", [](double x) { return x == 4 ? Inf : 1.0; }, {0, 4, I, I}, 9,
       {0, 4, 1, Inf}, {{'F', 0}, {'F', 4}}},
  });
  comprueba_todos(iter, {
      // x2 = 4 - 12 (4 - 0) / (12 + 4) = 1.
      {"paso", cuadrado4, {0, 4, -4, 12}, -2, {4, 1, 12, -3}, {{'F', 1}}},
      {"raiz_exacta", lineal, {0, 3, -1, 2}, 0, {3, 1, 2, 0}, {{'F', 1}}},
      {"menos_cero_es_raiz", [](double) { return -0.0; }, {0, 3, -1, 2}, 0, {3, 1, 2, -0.0},
       {{'F', 1}}},
      {"ya_en_la_raiz", lineal, {0, 1, -1, 0}, 0, {0, 1, -1, 0}, {}},
      {"valores_iguales", lineal, {0, 1, 5, 5}, 12, {0, 1, 5, 5}, {}},
      {"no_finito_en_el_punto", [](double) { return NaN; }, {0, 4, -4, 12}, 9, {4, 1, 12, NaN},
       {{'F', 1}}},
      {"infinito_en_el_punto", [](double) { return Inf; }, {0, 4, -4, 12}, 9, {4, 1, 12, Inf},
       {{'F', 1}}},
      // 1 - 1e-20 (1 - 0) / (1e-20 + 1) rounds to 1: stalled, F not called.
      {"estancada", lineal, {0, 1, -1, 1e-20}, 23, {0, 1, -1, 1e-20}, {}},
      // 2 - 1e-200 * 2 / 2e-200 = 1: no product of two tiny values.
      {"diminutos", [](double) { return 5.0; }, {0, 2, -1e-200, 1e-200}, -2,
       {2, 1, 1e-200, 5}, {{'F', 1}}},
  });
  // clang-format on
}

// Row: f_raiz, raiz.
TEST(Steffensen, StartsAndSteps) {
  auto ini = [](auto &f, Estado &v) { return steffensenIni(f, v[0], v[1]); };
  auto iter = [](auto &f, Estado &v) { return steffensenIter(f, v[0], v[1]); };
  auto doble = [](double x) { return x * x - 2; };
  // clang-format off
  comprueba_todos(ini, {
      {"valor", doble, {I, 1}, 0, {-1, 1}, {{'F', 1}}},
      {"nan", [](double) { return NaN; }, {I, 1}, 9, {NaN, 1}, {{'F', 1}}},
  });
  comprueba_todos(iter, {
      // F(0) = -2, divisor -1: 1 - (-1) (-1 / -1) = 2.
      {"paso", doble, {-1, 1}, -2, {2, 2}, {{'F', 0}, {'F', 2}}},
      // F(5) = 4, divisor 2: 3 - 2 (2 / 2) = 1, a root.
      {"raiz_exacta", lineal, {2, 3}, 0, {0, 1}, {{'F', 5}, {'F', 1}}},
      {"ya_en_la_raiz", lineal, {0, 1}, 0, {0, 1}, {}},
      {"avance_no_finito", [](double) { return Inf; }, {2, 3}, 9, {2, 3}, {{'F', 5}}},
      {"divisor_nulo", [](double) { return 2.0; }, {2, 3}, 12, {2, 3}, {{'F', 5}}},
      {"nuevo_valor_no_finito", [](double x) { return x == 5 ? 4 : NaN; }, {2, 3}, 9, {NaN, 1},
       {{'F', 5}, {'F', 1}}},
      {"nuevo_valor_infinito", [](double x) { return x == 5 ? 4 : -Inf; }, {2, 3}, 9,
       {-Inf, 1}, {{'F', 5}, {'F', 1}}},
      // Divisor about 1: the correction 1e-20 is below an ulp of 1.
      {"estancada", [](double) { return 1.0; }, {1e-10, 1}, 23, {1e-10, 1},
       {{'F', 1 + 1e-10}}},
      // f^2 = 1e400 would overflow: 0 - 1e200 (1e200 / 2e200) = -5e199.
      {"sin_desbordar", [](double x) { return x == 1e200 ? 3e200 : 7; }, {1e200, 0}, -2,
       {7, -5e199}, {{'F', 1e200}, {'F', -5e199}}},
  });
  // clang-format on
}

// Row: a, b, fa, fb, lado, raiz.
TEST(Illinois, StartsAndSteps) {
  auto ini = [](auto &f, Estado &v) {
    int lado = 99;
    int status = illinoisIni(f, v[0], v[1], v[2], v[3], lado);
    v[4] = lado;
    return status;
  };
  auto iter = [](auto &f, Estado &v) {
    int lado = static_cast<int>(v[4]);
    int status = illinoisIter(f, v[0], v[1], v[2], v[3], lado, v[5]);
    v[4] = lado;
    return status;
  };
  auto vale = [](double x0, double f0, double resto) {
    return [=](double x) { return x == x0 ? f0 : resto; };
  };
  // clang-format off
  comprueba_todos(ini, {
      {"acotada", lineal, {0, 2, I, I, I, I}, 0, {0, 2, -1, 1, 0, I}, {{'F', 0}, {'F', 2}}},
      {"nan_en_a", [](double) { return NaN; }, {0, 2, I, I, I, I}, 9, {0, 2, NaN, I, 0, I},
       {{'F', 0}}},
      {"infinito_en_b", vale(2, -Inf, 1), {0, 2, I, I, I, I}, 9, {0, 2, 1, -Inf, 0, I},
       {{'F', 0}, {'F', 2}}},
      // The product 1e-400 underflows to 0; the signs still say "same".
      {"diminutos_mismo_signo", [](double) { return 1e-200; }, {0, 2, I, I, I, I}, 27,
       {0, 2, 1e-200, 1e-200, 0, I}, {{'F', 0}, {'F', 2}}},
  });
  comprueba_todos(iter, {
      // t = -1 / (-1 - 3) = 1/4: the point 1.
      {"mueve_a", vale(1, -2, 0), {0, 4, -1, 3, 0, I}, -2, {1, 4, -2, 3, 1, 1}, {{'F', 1}}},
      // Neighbouring ends: no point between them, so the step cannot move.
      {"extremos_contiguos", vale(1, -2, 0), {1, std::nextafter(1.0, 2.0), -1, 3, 0, I}, 23,
       {1, std::nextafter(1.0, 2.0), -1, 3, 0, I}, {}},
      {"b_retenido_dos_veces", vale(1, -0.5, 0), {0, 4, -1, 3, 1, I}, -2,
       {1, 4, -0.5, 1.5, 2, 1}, {{'F', 1}}},
      // t = -3 / (-3 - 1) = 3/4: the point 3.
      {"mueve_b", vale(3, 0.5, 0), {0, 4, -3, 1, 1, I}, -2, {0, 3, -3, 0.5, -1, 3}, {{'F', 3}}},
      {"a_retenido_dos_veces", vale(3, 0.5, 0), {0, 4, -3, 1, -1, I}, -2,
       {0, 3, -1.5, 0.5, -2, 3}, {{'F', 3}}},
      // An end kept three times running: the step bisects, and the count stays at three.
      {"biseca_tras_tres_en_b", vale(2, -0.5, 0), {0, 4, -1, 3, 3, I}, -2,
       {2, 4, -0.5, 1.5, 3, 2}, {{'F', 2}}},
      {"biseca_tras_tres_en_a", vale(2, 0.5, 0), {0, 4, -1, 3, -3, I}, -2,
       {0, 2, -0.5, 0.5, -3, 2}, {{'F', 2}}},
      // Two keeps: still the secant point (t = 1/4), and the count reaches three.
      {"secante_tras_dos_en_b", vale(1, -0.5, 0), {0, 4, -1, 3, 2, I}, -2,
       {1, 4, -0.5, 1.5, 3, 1}, {{'F', 1}}},
      {"raiz_exacta", vale(3, -0.0, 1), {0, 4, -3, 1, -1, I}, 0, {0, 4, -3, 1, -1, 3}, {{'F', 3}}},
      {"no_finito_en_el_punto", vale(3, NaN, 1), {0, 4, -3, 1, 1, I}, 9, {0, 4, -3, 1, 1, 3},
       {{'F', 3}}},
      {"cero_en_a", lineal, {0, 4, 0, 1, 1, I}, 0, {0, 4, 0, 1, 1, 0}, {}},
      {"cero_en_b", lineal, {0, 4, -1, 0, 1, I}, 0, {0, 4, -1, 0, 1, 4}, {}},
      {"valores_iguales", lineal, {0, 4, 2, 2, 1, I}, 12, {0, 4, 2, 2, 1, I}, {}},
      // 1 + 4e-300 / 3 rounds onto a: the step bisects instead.
      {"punto_en_un_extremo", vale(3, 1, 0), {1, 5, -1e-300, 3, 0, I}, -2,
       {1, 3, -1e-300, 1, -1, 3}, {{'F', 3}}},
      // Halving the least double would give a zero: it is kept.
      {"mitad_que_seria_cero", vale(2, 1, 0), {0, 4, -MIN, MIN, -1, I}, -2,
       {0, 2, -MIN, 1, -2, 2}, {{'F', 2}}},
      // b - a overflows; the point is still the midpoint 0.
      {"extremos_enormes", vale(0, 2, 0), {-1e308, 1e308, -1, 1, 0, I}, -2,
       {-1e308, 0, -1, 2, -1, 0}, {{'F', 0}}},
      {"diminutos_signo_opuesto", vale(1, 1e-200, 0), {0, 2, -1e-200, 1e-200, 0, I}, -2,
       {0, 1, -1e-200, 1e-200, -1, 1}, {{'F', 1}}},
  });
  // clang-format on
}

// Row: b, fb, c, fc, a, fa, d, e, tolerancia.
Estado fila(const EstadoBrent &s) {
  return {s.b, s.fb, s.c, s.fc, s.a, s.fa, s.d, s.e, s.tolerancia};
}
EstadoBrent estado(const Estado &v) {
  return {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]};
}

TEST(Brent, StartsAndSteps) {
  auto ini = [](auto &f, Estado &v) {
    EstadoBrent s = estado(v);
    int status = brentIni(f, v[4], v[0], s, v[8]); // a, b and tolerancia from the row
    v = fila(s);
    return status;
  };
  auto iter = [](auto &f, Estado &v) {
    EstadoBrent s = estado(v);
    int status = brentIter(f, s);
    v = fila(s);
    return status;
  };
  auto vale = [](double x0, double f0) { return [=](double x) { return x == x0 ? f0 : NaN; }; };
  const double d51 = std::ldexp(1.0, -51), d52 = std::ldexp(1.0, -52);
  // clang-format off
  comprueba_todos(ini, {
      // F(4) = 3, F(0) = -1: b and c swap so that b is the better end.
      {"acotada", lineal, {4, I, I, I, 0, I, I, I, 0}, 0, {0, -1, 4, 3, 4, 3, 4, 4, 0},
       {{'F', 0}, {'F', 4}}},
      {"tolerancia_guardada", lineal, {4, I, I, I, 0, I, I, I, 1e-9}, 0,
       {0, -1, 4, 3, 4, 3, 4, 4, 1e-9}, {{'F', 0}, {'F', 4}}},
      // A width that is no finite number above 0 is kept as 0.
      {"tolerancia_negativa", lineal, {4, I, I, I, 0, I, I, I, -1}, 0,
       {0, -1, 4, 3, 4, 3, 4, 4, 0}, {{'F', 0}, {'F', 4}}},
      {"tolerancia_nan", lineal, {4, I, I, I, 0, I, I, I, NaN}, 0,
       {0, -1, 4, 3, 4, 3, 4, 4, 0}, {{'F', 0}, {'F', 4}}},
      {"cero_en_a", [](double x) { return x; }, {1, I, I, I, 0, I, I, I, 0}, 0,
       {0, 0, 1, 1, 1, 1, 1, 1, 0}, {{'F', 0}, {'F', 1}}},
      {"nan_en_a", [](double) { return NaN; }, {4, I, I, I, 0, I, I, I, 0}, 9,
       {4, I, I, I, 0, I, I, I, 0}, {{'F', 0}}},
      {"infinito_en_b", [](double x) { return x == 4 ? Inf : -1; }, {4, I, I, I, 0, I, I, I, 0}, 9,
       {4, I, I, I, 0, I, I, I, 0}, {{'F', 0}, {'F', 4}}},
      {"diminutos_mismo_signo", [](double) { return -1e-200; }, {4, I, I, I, 0, I, I, I, 0}, 27,
       {4, I, I, I, 0, I, I, I, 0}, {{'F', 0}, {'F', 4}}},
  });
  comprueba_todos(iter, {
      // Secant through (0, -1) and (4, 3): p / q = (4/3) / (4/3) = 1.
      {"secante", lineal, {0, -1, 4, 3, 4, 3, 4, 4, 0}, 0, {1, 0, 4, 3, 0, -1, 1, 4, 0}, {{'F', 1}}},
      // |F(a)| <= |F(b)|: bisection to 2; F(2) has the sign of F(c).
      {"biseccion", vale(2, 0.5), {0, -1, 4, 3, 8, 1, 4, 4, 0}, -2, {2, 0.5, 0, -1, 0, -1, 2, 2, 0},
       {{'F', 2}}},
      {"biseccion_y_cambio", vale(2, 5), {0, -1, 4, 3, 8, 1, 4, 4, 0}, -2,
       {0, -1, 2, 5, 2, 5, 2, 2, 0}, {{'F', 2}}},
      // The secant step 1e-30 is under 2 ulps of b = 1: b moves 2 ulps.
      {"paso_minimo", vale(1 + d51, 1e-30), {1, -1e-30, 2, 1, 2, 1, 1, 1, 0}, -2,
       {1 + d51, 1e-30, 1, -1e-30, 1, -1e-30, d51, d51, 0}, {{'F', 1 + d51}}},
      // The step before last exactly at the shortest step: still long
      // enough to interpolate (bisection would evaluate at 1.5).
      {"paso_previo_en_el_limite", vale(1 + d51, 1e-30),
       {1, -1e-30, 2, 1, 2, 1, 1, 2 * DBL_EPSILON + DBL_MIN, 0}, -2,
       {1 + d51, 1e-30, 1, -1e-30, 1, -1e-30, d51, d51, 0}, {{'F', 1 + d51}}},
      // Told the width 0.5, the shortest step is 2 ulps of b plus 0.25: the
      // secant step 1e-30 becomes that, and F there has the sign of c.
      {"paso_minimo_con_tolerancia", vale(1.25 + d51, 0.5), {1, -1e-30, 2, 1, 2, 1, 1, 1, 0.5}, -2,
       {1, -1e-30, 1.25 + d51, 0.5, 1.25 + d51, 0.5, 0.25 + d51, 0.25 + d51, 0.5},
       {{'F', 1.25 + d51}}},
      // At b = 0 the step is the least double, not zero.
      {"paso_minimo_en_cero", vale(DBL_MIN, 2), {0, -MIN, 1, 4, 1, 4, 1, 1, 0}, -2,
       {0, -MIN, DBL_MIN, 2, DBL_MIN, 2, DBL_MIN, DBL_MIN, 0}, {{'F', DBL_MIN}}},
      // Adjacent ends: no point between them, so the step cannot move.
      {"extremos_contiguos", vale(1, -1), {1, -1, 1 + d52, 1, 1 + d52, 1, 1, 1, 0}, 23,
       {1, -1, 1 + d52, 1, 1 + d52, 1, 1, 1, 0}, {}},
      {"ya_en_la_raiz", lineal, {1, 0, 4, 3, 4, 3, 4, 4, 0}, 0, {1, 0, 4, 3, 4, 3, 4, 4, 0}, {}},
      {"no_finito", vale(2, NaN), {0, -1, 4, 3, 8, 1, 4, 4, 0}, 9, {2, NaN, 4, 3, 0, -1, 2, 2, 0},
       {{'F', 2}}},
      // c - b overflows: the midpoint is still 0.
      {"extremos_enormes", vale(0, 1), {-1e308, -1, 1e308, 1, 1e308, 1, 1, 1, 0}, -2,
       {0, 1, -1e308, -1, -1e308, -1, 1e308, 1e308, 0}, {{'F', 0}}},
  });
  // clang-format on
}

// Row: a, fa, b, fb, c, fc, tolerancia.
Estado fila(const EstadoChandrupatla &s) { return {s.a, s.fa, s.b, s.fb, s.c, s.fc, s.tolerancia}; }

TEST(Chandrupatla, StartsAndSteps) {
  auto ini = [](auto &f, Estado &v) {
    EstadoChandrupatla s{v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
    int status = chandrupatlaIni(f, v[0], v[2], s, v[6]);
    v = fila(s);
    return status;
  };
  auto iter = [](auto &f, Estado &v) {
    EstadoChandrupatla s{v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
    int status = chandrupatlaIter(f, s);
    v = fila(s);
    return status;
  };
  auto vale = [](double x0, double f0) { return [=](double x) { return x == x0 ? f0 : NaN; }; };
  const double d52 = std::ldexp(1.0, -52);
  // clang-format off
  comprueba_todos(ini, {
      {"acotada", lineal, {0, I, 4, I, I, I, 1e-9}, 0, {0, -1, 4, 3, 0, -1, 1e-9},
       {{'F', 0}, {'F', 4}}},
      {"tolerancia_negativa", lineal, {0, I, 4, I, I, I, -1}, 0, {0, -1, 4, 3, 0, -1, 0},
       {{'F', 0}, {'F', 4}}},
      {"nan_en_a", [](double) { return NaN; }, {0, I, 4, I, I, I, 0}, 9, {0, I, 4, I, I, I, 0},
       {{'F', 0}}},
      {"mismo_signo", [](double) { return -1e-200; }, {0, I, 4, I, I, I, 0}, 27,
       {0, I, 4, I, I, I, 0}, {{'F', 0}, {'F', 4}}},
  });
  comprueba_todos(iter, {
      // c == a: no interpolation yet, the midpoint; F(2) changes sign, so a becomes b.
      {"biseccion", lineal, {0, -1, 4, 3, 0, -1, 0}, -2, {2, 1, 0, -1, 4, 3, 0}, {{'F', 2}}},
      // xi = phi = 1/2: the inverse quadratic through three points of a line is
      // the line, and its zero 1 is the root.
      {"interpolacion", lineal, {2, 1, 0, -1, 4, 3, 0}, 0, {1, 0, 2, 1, 0, -1, 0}, {{'F', 1}}},
      {"interpolacion_mismo_signo", vale(1, 0.25), {2, 1, 0, -1, 4, 3, 0}, -2,
       {1, 0.25, 0, -1, 2, 1, 0}, {{'F', 1}}},
      // The zero -1 lies within tol = 4 / 2 of a = 0: the point stays 2 from a.
      {"tolerancia", [](double x) { return x + 1; }, {0, 1, -8, -7, 8, 9, 4}, -2,
       {-2, -1, 0, 1, -8, -7, 4}, {{'F', -2}}},
      // Ends 100 times apart in magnitude: the middle is sqrt(1 * 100).
      {"mitad_en_magnitud", vale(10, -0.5), {1, -1, 100, 1, 1, -1, 0}, -2,
       {10, -0.5, 100, 1, 1, -1, 0}, {{'F', 10}}},
      {"mitad_en_magnitud_cruzando_cero", vale(-16, -0.5), {-1024, -1, 0.25, 1, -1024, -1, 0}, -2,
       {-16, -0.5, 0.25, 1, -1024, -1, 0}, {{'F', -16}}},
      {"ya_en_la_raiz", lineal, {1, 0, 4, 3, 0, -1, 0}, 0, {1, 0, 4, 3, 0, -1, 0}, {}},
      {"cero_en_b", lineal, {0, -1, 1, 0, 0, -1, 0}, 0, {0, -1, 1, 0, 0, -1, 0}, {}},
      {"no_finito", vale(2, NaN), {0, -1, 4, 3, 0, -1, 0}, 9, {0, -1, 4, 3, 0, -1, 0},
       {{'F', 2}}},
      {"extremos_contiguos", lineal, {1, -1, 1 + d52, 1, 1, -1, 0}, 23,
       {1, -1, 1 + d52, 1, 1, -1, 0}, {}},
      // b - a overflows: the midpoint is still 0.
      {"extremos_enormes", vale(0, 2), {-1e308, -1, 1e308, 1, -1e308, -1, 0}, -2,
       {0, 2, -1e308, -1, 1e308, 1, 0}, {{'F', 0}}},
  });
  // clang-format on
}

} // namespace
