// Util/corto.h against what it replaces: the fewest digits found by trying
// printf's %.Ng from the smallest N up, read back with strtod.
#include "Util/corto.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string por_tanteo(double x, int minimas) {
  char texto[40];
  for (int cifras = minimas; cifras < 17; ++cifras) {
    (void)std::snprintf(texto, sizeof texto, "%.*g", cifras, x);
    if (std::strtod(texto, nullptr) == x) return texto;
  }
  (void)std::snprintf(texto, sizeof texto, "%.17g", x);
  return texto;
}

double de_bits(std::uint64_t bits) {
  double x = 0;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

// Values whose shortest text is a corner: zeros, integers around the
// precision's switch to exponents, powers of two (whose nearest decimal of a
// few digits may fall outside the narrower lower half-gap), the extremes,
// the non-finite.
std::vector<double> esquinas() {
  std::vector<double> v{0.0,       -0.0,
                        0.1,       0.3,
                        1.0 / 3,   10,
                        100000,    123456,
                        1e15,      1e16,
                        1e17,      9007199254740993.0,
                        1e21,      1e22,
                        1e-5,      1e-4,
                        0.0001234, 5e-324,
                        DBL_MIN,   DBL_MAX,
                        -DBL_MAX,  HUGE_VAL,
                        -HUGE_VAL, NAN,
                        -NAN,      0.30000000000000004};
  for (int e = -1074; e <= 1023; ++e) v.push_back(std::ldexp(1.0, e));
  for (int e = -1074; e <= 1023; e += 7) v.push_back(std::nextafter(std::ldexp(1.0, e), 0.0));
  std::mt19937_64 azar(27);
  for (int i = 0; i < 20000; ++i) v.push_back(de_bits(azar()));
  for (int i = 0; i < 3000; ++i) v.push_back(i * 0.001), v.push_back(i * 1.1e-7);
  return v;
}

TEST(Corto, ElMenorNumeroDeCifrasDeGComoPorTanteo) {
  int distintos = 0;
  for (const double x : esquinas())
    for (const int minimas : {1, 3, 6, 17}) {
      const std::string esperado = por_tanteo(x, minimas), hallado = corto_g(x, minimas);
      if (esperado != hallado && ++distintos <= 10)
        ADD_FAILURE() << esperado << " != " << hallado << " (minimas " << minimas << ")";
    }
  EXPECT_EQ(distintos, 0);
}

TEST(Corto, LaFormaDeToCharsLeeElMismoDouble) {
  for (const double x : esquinas()) {
    if (std::isnan(x)) continue;
    const std::string texto = corto(x);
    EXPECT_EQ(std::strtod(texto.c_str(), nullptr), x) << texto;
    EXPECT_LE(texto.size(), por_tanteo(x, 1).size()) << texto;
  }
  EXPECT_EQ(corto(100000), "1e+05");
  EXPECT_EQ(corto(0.1), "0.1");
  EXPECT_EQ(corto_g(100000, 6), "100000");
}

} // namespace
