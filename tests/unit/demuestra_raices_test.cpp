// One table of functions whose roots are known, run in both modes of the
// search for every root: with balls judging where the doubles cannot tell
// (todas_las_raices with jueces_de_bolas), and proven (demuestra_raices).
// Every claim is checked against the known roots: a proven root's enclosure
// holds a true root (exactly one when `unica`), every true root lies in an
// enclosure or in a piece listed as not proven (so the rest, said to be
// free of roots, holds none), the counts and the status; and the default
// mode reports each root once, where it is, of its kind.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "P3/todas/demuestra_raices.h"
#include "P3/todas/jueces_de_bolas.h"
#include "P3/todas/todas_las_raices.h"

namespace {

using raices::Bola;
using raices::Chorro;
using raices::Clase;
const double PI = 3.141592653589793;
const double TOL = 1e-12;

// A callable on doubles, balls and Chorro, from one generic lambda.
struct Funcion {
  std::function<double(double)> d;
  std::function<Bola(const Bola &)> b;
  std::function<Chorro(const Chorro &)> c;
  double operator()(double x) const { return d(x); }
  Bola operator()(const Bola &x) const { return b(x); }
  Chorro operator()(const Chorro &x) const { return c(x); }
};
template <class L> Funcion funcion(L l) { return {l, l, l}; }

struct Raiz {
  double x; // the true root, to the last digit a double holds
  Clase clase;
};

struct Caso {
  const char *nombre;
  Funcion f;
  double a, b;
  std::vector<Raiz> raices;
  int estado;           // of the proof: 0 all proven, 14 pieces left
  double error = 0;     // how far the default mode may place a root: 0 for 2 TOL max(1, |x|)
  std::size_t casi = 0; // near misses in the default mode
};

Funcion chebyshev(int n) {
  return funcion([n](const auto &x) {
    auto t0 = x * 0.0 + 1.0, t1 = x;
    for (int k = 1; k < n; ++k) {
      auto t2 = 2.0 * x * t1 - t0;
      t0 = t1;
      t1 = t2;
    }
    return t1;
  });
}

std::vector<Caso> casos() {
  std::vector<Raiz> t12, diez, mil;
  for (int k = 11; k >= 0; --k) t12.push_back({std::cos((2 * k + 1) * PI / 24), Clase::simple});
  for (int k = 1; k <= 10; ++k) diez.push_back({double(k), Clase::simple});
  for (int k = 0; k < 1003; ++k) mil.push_back({k * PI / 1000, Clase::simple});
  return {
      {"Chebyshev T12", chebyshev(12), -1, 1, t12, 0},
      {"(x - 1) ... (x - 10)", funcion([](const auto &x) {
         auto p = x - 1.0;
         for (int k = 2; k <= 10; ++k) p = p * (x - double(k));
         return p;
       }),
       0, 11, diez, 0},
      {"sin(1000 x), 1003 raices", funcion([](const auto &x) { return sin(1000.0 * x); }), 0, 3.15,
       mil, 0},
      {"raiz en A",
       funcion([](const auto &x) { return x * (x - 1.5); }),
       0,
       2,
       {{0, Clase::simple}, {1.5, Clase::simple}},
       0},
      {"x^2 + 1e-12, sin raiz",
       funcion([](const auto &x) { return x * x + 1e-12; }),
       -1,
       1,
       {},
       0,
       0,
       1},
      {"exp(-x^2): ningun cero por desbordamiento",
       funcion([](const auto &x) { return exp(-(x * x)); }),
       -30,
       30,
       {},
       0},
      {"log(x): no definida en [-1, 0], polo en 0",
       funcion([](const auto &x) { return log(x); }),
       -1,
       2,
       {{1, Clase::simple}},
       14},
      {"raiz triple desarrollada",
       funcion([](const auto &x) { return x * x * x - 3.0 * x * x + 3.0 * x - 1.0; }),
       0,
       2,
       {{1, Clase::impar}},
       14},
      {"raiz cuadruple desarrollada: una, sin el ruido de sus dobles como casi raices",
       funcion([](const auto &x) {
         return x * x * x * x - 4.0 * x * x * x + 6.0 * x * x - 4.0 * x + 1.0;
       }),
       0,
       2,
       {{1, Clase::par}},
       14,
       1e-8},
      {"log(1 + x) - x: raiz doble",
       funcion([](const auto &x) { return log(1.0 + x) - x; }),
       -0.5,
       1,
       {{0, Clase::par}},
       14,
       1e-7},
      {"tan(x) - x: raiz triple en 0, polos",
       funcion([](const auto &x) { return tan(x) - x; }),
       0,
       10,
       {{0, Clase::impar}, {4.493409457909064, Clase::simple}, {7.725251836937707, Clase::simple}},
       14},
      {"|x - 0.3|: esquina",
       funcion([](const auto &x) { return abs(x - 0.3); }),
       0,
       1,
       {{0.3, Clase::par}},
       14},
      {"1/(x - 0.3) - 1e6: polo y raiz a 1e-6",
       funcion([](const auto &x) { return 1.0 / (x - 0.3) - 1e6; }),
       0,
       1,
       {{0.300001, Clase::simple}},
       14,
       1e-15},
      {"cos(x - 0.16581) - 1: raiz doble",
       funcion([](const auto &x) { return cos(x - 0.16581) - 1.0; }),
       -1,
       1,
       {{0.16581, Clase::par}},
       14,
       1e-9},
  };
}

// The true roots in [inf, sup].
int dentro(const std::vector<Raiz> &raices, double inf, double sup) {
  int n = 0;
  for (const Raiz &r : raices) n += r.x >= inf && r.x <= sup;
  return n;
}

TEST(DemuestraRaices, CadaAfirmacionDeLaPruebaSeCumple) {
  for (const Caso &c : casos()) {
    SCOPED_TRACE(c.nombre);
    Funcion f = c.f;
    const raices::Respuesta d = raices::demuestra_raices(f, c.a, c.b, TOL);
    EXPECT_EQ(d.estado, c.estado);
    EXPECT_EQ(d.explorado, c.b);
    std::vector<Raiz> sin_hallar = c.raices;
    for (const raices::Hallazgo &r : d.raices) {
      const int n = dentro(c.raices, r.inf, r.sup);
      // An enclosure no wider than the tolerance, about a true root.
      EXPECT_LE(r.sup - r.inf, 2 * TOL * std::fmax(1.0, std::fabs(r.x))) << r.x;
      EXPECT_TRUE(r.inf <= r.x && r.x <= r.sup) << r.x;
      if (r.certeza == raices::Certeza::exacta) {
        EXPECT_EQ(f(Bola(r.x)).es_cero(), true) << r.x;
      } else {
        EXPECT_EQ(n, 1) << r.inf << " " << r.sup;
      }
    }
    // Every true root is in an enclosure or in a piece not proven.
    for (const Raiz &z : c.raices) {
      bool cubierta = false;
      for (const raices::Hallazgo &r : d.raices) cubierta |= z.x >= r.inf && z.x <= r.sup;
      for (const raices::Pieza &p : d.piezas) cubierta |= z.x >= p.inf && z.x <= p.sup;
      EXPECT_TRUE(cubierta) << z.x;
    }
    if (c.estado == raices::SALIDA_BIEN) {
      EXPECT_TRUE(d.piezas.empty());
      EXPECT_EQ(d.raices.size(), c.raices.size());
    }
    for (std::size_t k = 1; k < d.piezas.size(); ++k)
      EXPECT_LE(d.piezas[k - 1].sup, d.piezas[k].inf);
  }
}

TEST(DemuestraRaices, SinDemostrarLasRaicesSonLasConocidas) {
  for (const Caso &c : casos()) {
    SCOPED_TRACE(c.nombre);
    Funcion f = c.f;
    const raices::Respuesta e = raices::todas_las_raices(f.d, c.a, c.b, TOL, raices::PRESUPUESTO,
                                                         raices::jueces_de_bolas(f));
    ASSERT_EQ(e.raices.size(), c.raices.size());
    for (std::size_t k = 0; k < c.raices.size(); ++k) {
      const double x = c.raices[k].x;
      const double error = c.error > 0 ? c.error : 2 * TOL * std::fmax(1.0, std::fabs(x));
      EXPECT_NEAR(e.raices[k].x, x, error) << k;
      EXPECT_EQ(e.raices[k].clase, c.raices[k].clase) << k;
      EXPECT_NE(e.raices[k].prueba, raices::Prueba::refutada) << k;
    }
    EXPECT_EQ(e.casi.size(), c.casi);
    EXPECT_EQ(e.estado, raices::SALIDA_BIEN);
  }
}

// A budget too small for all the roots: the proof ends with 11 after
// proving some, every one of them in the part it judged.
TEST(DemuestraRaices, ElPresupuestoAcabaLaPruebaConLoDemostrado) {
  auto f = funcion([](const auto &x) { return sin(1000000.0 * x); });
  const raices::Respuesta d = raices::demuestra_raices(f, 0.0, 10.0, TOL, 20000);
  EXPECT_EQ(d.estado, raices::MAX_ITERACIONES);
  EXPECT_EQ(d.evaluaciones, 20000);
  ASSERT_FALSE(d.raices.empty());
  EXPECT_LE(d.raices.back().sup, d.explorado);
  EXPECT_LT(d.explorado, 10.0);
}

} // namespace
