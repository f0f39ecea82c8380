// Shared constants, bit for bit, and maximo's treatment of ties and NaNs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "Util/matutil.h"

namespace {

std::uint64_t bits(double x) {
  std::uint64_t b = 0;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

TEST(Constantes, EachIsTheDoubleNearestItsDecimal) {
  struct {
    const char *nombre;
    double valor, esperado;
  } const constantes[] = {
      {"EXP", EXP, 0x1.5bf0a8b145769p+1},         {"LOG2E", LOG2E, 0x1.71547652b82fep+0},
      {"LOG10E", LOG10E, 0x1.bcb7b1526e50ep-2},   {"SQRT2", SQRT2, 0x1.6a09e667f3bcdp+0},
      {"SQRT1_2", SQRT1_2, 0x1.6a09e667f3bcdp-1}, {"SQRT3", SQRT3, 0x1.bb67ae8584caap+0},
      {"PI", PI, 0x1.921fb54442d18p+1},           {"PI_2", PI_2, 0x1.921fb54442d18p+0},
      {"PI_4", PI_4, 0x1.921fb54442d18p-1},       {"SQRTPI", SQRTPI, 0x1.c5bf891b4ef6bp+0},
      {"LN10", LN10, 0x1.26bb1bbb55516p+1},       {"LN2", LN2, 0x1.62e42fefa39efp-1},
      {"LNPI", LNPI, 0x1.250d048e7a1bdp+0},       {"EULER", EULER, 0x1.2788cfc6fb619p-1},
      {"AUREA", AUREA, 0x1.3c6ef372fe951p-1},     {"BIG", BIG, 0x1.d42aea2879f2ep+328},
      {"SMALL", SMALL, 0x1.b7cdfd9d7bdbbp-34},
  };
  for (const auto &c : constantes) {
    EXPECT_EQ(bits(c.valor), bits(c.esperado)) << c.nombre;
  }
}

TEST(Constantes, AgreeWithCorrectlyRoundedOperations) {
  // sqrt and exact scalings by 2 are correctly rounded in IEEE arithmetic.
  EXPECT_EQ(SQRT2, std::sqrt(2.0));
  EXPECT_EQ(SQRT3, std::sqrt(3.0));
  EXPECT_EQ(SQRT1_2, std::sqrt(0.5));
  EXPECT_EQ(PI_2, PI / 2);
  EXPECT_EQ(PI_4, PI / 4);
}

TEST(Constantes, AureaIsOneUlpAboveTheComputedRatio) {
  EXPECT_EQ(bits(AUREA), 0x3FE3C6EF372FE951u);
  const double calculada = (std::sqrt(5.0) - 1) / 2;
  EXPECT_NE(AUREA, calculada);
  EXPECT_EQ(AUREA, std::nextafter(calculada, 1.0));
}

TEST(Tipos, FuncInfoAndFun2) {
  func f = [](double x) { return 2 * x; };
  fun2 g = [](double x, double y) { return x - y; };
  EXPECT_EQ(f(3), 6);
  EXPECT_EQ(g(3, 1), 2);
  EXPECT_EQ(NOINFO, 0);
  EXPECT_EQ(CONCISO, 1);
  EXPECT_EQ(DETALLADO, 2);
}

TEST(Maximo, LargerFirstArgumentWins) {
  EXPECT_EQ(maximo(3.0, 2.0), 3.0);
  EXPECT_EQ(maximo(2.0, 3.0), 3.0);
  EXPECT_EQ(maximo(-1.0, -5.0), -1.0);
  EXPECT_EQ(maximo(7, 9), 9);
}

TEST(Maximo, TiesGoToTheSecondArgument) {
  EXPECT_TRUE(std::signbit(maximo(+0.0, -0.0)));
  EXPECT_FALSE(std::signbit(maximo(-0.0, +0.0)));
}

TEST(Maximo, NaNsGoToTheSecondArgument) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(maximo(nan, 1.0), 1.0);
  EXPECT_TRUE(std::isnan(maximo(1.0, nan)));
  EXPECT_TRUE(std::isnan(maximo(nan, nan)));
  EXPECT_EQ(maximo(nan, -std::numeric_limits<double>::infinity()),
            -std::numeric_limits<double>::infinity());
}

} // namespace
