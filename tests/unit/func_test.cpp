// The objective function of rootbench and its derivative.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "P3/raices.h"
#include "e_p3/func.h"

namespace {

TEST(Objetivo, ExactValuesAtZero) {
  EXPECT_EQ(fun(0), 1.0);
  EXPECT_EQ(Dfun(0), -1.0);
}

TEST(Objetivo, DerivativeMatchesDifferenceQuotient) {
  for (double x : {-2.5, -1.0, 0.3, 2.0}) {
    const double h = 1e-6;
    EXPECT_NEAR(Dfun(x), (fun(x + h) - fun(x - h)) / (2 * h), 1e-6) << x;
  }
}

TEST(Objetivo, OverflowAndNaNComeBackAsTheyAre) {
  EXPECT_EQ(fun(-710), std::numeric_limits<double>::infinity());
  EXPECT_EQ(Dfun(-710), -std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isfinite(fun(-709)));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::isnan(fun(nan)));
  EXPECT_TRUE(std::isnan(Dfun(nan)));
}

TEST(Objetivo, BracketsOfItsThreeRoots) {
  for (auto [a, b] : {std::pair{-3.0, -2.0}, {-2.0, -1.0}, {0.0, 1.0}}) {
    EXPECT_EQ(bisecIni(fun, a, b), 0) << a;
    EXPECT_EQ(rfalsiIni(fun, a, b), 0) << a;
  }
  EXPECT_EQ(bisecIni(fun, 1, 3), 27);
  EXPECT_EQ(rfalsiIni(fun, -3, -1), 27);
  EXPECT_EQ(bisecIni(fun, -710, 0), 9);
}

} // namespace
