// The factorial table row by row against n! computed exactly in integer
// arithmetic and rounded once to the nearest double, independently of it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <vector>

#include "Util/error.h"
#include "Util/matutil.h"
#include "Util/specfunc.h"

const void *tabla_de_la_otra_unidad();
const void *aurea_de_la_otra_unidad();
double maximo_de_la_otra_unidad(double a, double b);

namespace {

// Unsigned big integer, least significant 32-bit limb first.
using Entero = std::vector<std::uint32_t>;

void multiplica(Entero &x, std::uint32_t m) {
  std::uint64_t acarreo = 0;
  for (auto &limb : x) {
    std::uint64_t p = std::uint64_t{limb} * m + acarreo;
    limb = static_cast<std::uint32_t>(p);
    acarreo = p >> 32;
  }
  if (acarreo != 0) x.push_back(static_cast<std::uint32_t>(acarreo));
}

bool bit(const Entero &x, long k) {
  return k >= 0 && ((x[static_cast<std::size_t>(k / 32)] >> (k % 32)) & 1u);
}

// x rounded to the nearest double, ties to even; +inf past the double range.
double redondea(const Entero &x) {
  long alto = static_cast<long>(x.size()) * 32 - 1;
  while (!bit(x, alto)) --alto;
  const long corte = alto - 52; // lowest bit kept in a 53-bit significand
  std::uint64_t mantisa = 0;
  for (long k = alto; k >= std::max(corte, 0L); --k) mantisa = mantisa << 1 | bit(x, k);
  if (corte <= 0) return std::ldexp(static_cast<double>(mantisa), 0);
  const bool guarda = bit(x, corte - 1);
  bool resto = false;
  for (long k = corte - 2; k >= 0 && !resto; --k) resto = bit(x, k);
  if (guarda && (resto || (mantisa & 1u))) ++mantisa; // may carry to 2^53: still exact
  return std::ldexp(static_cast<double>(mantisa), static_cast<int>(corte));
}

TEST(TablaFactoriales, SizesAndFieldTypes) {
  EXPECT_EQ(FACT_TABLE_MAX, 200);
  EXPECT_EQ(FACT_TABLE_SIZE, 201);
  EXPECT_EQ(std::extent_v<decltype(fact_table)>, 201u);
  using Fila = std::remove_reference_t<decltype(fact_table[0])>;
  static_assert(!std::is_const_v<Fila>, "the table is not const");
  static_assert(std::is_same_v<decltype(Fila::n), std::int32_t>);
  static_assert(std::is_same_v<decltype(Fila::f), double>);
  static_assert(std::is_same_v<decltype(Fila::i), std::int32_t>);
}

TEST(TablaFactoriales, EveryRowIsTheCorrectlyRoundedFactorial) {
  Entero factorial{1};
  for (int n = 0; n <= FACT_TABLE_MAX; ++n) {
    if (n > 0) multiplica(factorial, static_cast<std::uint32_t>(n));
    const auto &fila = fact_table[n];
    EXPECT_EQ(fila.n, n);
    const double esperado = redondea(factorial);
    if (n <= 170) {
      EXPECT_TRUE(std::isfinite(esperado)) << n;
      EXPECT_EQ(fila.f, esperado) << "row " << n;
    } else {
      EXPECT_EQ(fila.f, std::numeric_limits<double>::infinity()) << n;
    }
    const std::int32_t entero = n <= 12 ? static_cast<std::int32_t>(factorial[0]) : 0;
    EXPECT_EQ(fila.i, entero) << "row " << n;
  }
}

TEST(TablaFactoriales, DocumentedRows) {
  EXPECT_EQ(fact_table[0].f, 1.0);
  EXPECT_EQ(fact_table[12].i, 479001600);
  EXPECT_EQ(fact_table[13].f, 6227020800.0);
  EXPECT_EQ(fact_table[13].i, 0);
  EXPECT_EQ(fact_table[28].f, 3.0488834461171387e29);
  EXPECT_EQ(fact_table[170].f, 7.257415615307999e306);
}

TEST(TablaFactoriales, DiffersFromTheRunningProduct) {
  // The running product in doubles drifts away from the rounded values;
  // a table built that way would fail here.
  double producto = 1, producto_28 = 0;
  int distintas = 0, primera = -1;
  for (int n = 1; n <= 170; ++n) {
    producto *= n;
    if (n == 28) producto_28 = producto;
    if (producto != fact_table[n].f) {
      ++distintas;
      if (primera < 0) primera = n;
    }
  }
  EXPECT_EQ(distintas, 118);
  EXPECT_EQ(primera, 28);
  EXPECT_EQ(fact_table[28].f, std::nextafter(producto_28, 1e30));
}

TEST(CabecerasCompartidas, EachUnitHasItsOwnCopies) {
  EXPECT_NE(tabla_de_la_otra_unidad(), static_cast<const void *>(&fact_table[0]));
  EXPECT_NE(aurea_de_la_otra_unidad(), static_cast<const void *>(&AUREA));
  EXPECT_EQ(maximo_de_la_otra_unidad(1, 2), 2);
}

} // namespace
