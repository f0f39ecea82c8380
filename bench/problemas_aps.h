// The test problems of Alefeld, Potra and Shi (ACM TOMS 21, 1995, the paper
// of TOMS 748): fifteen families of functions, each with its bracket and
// its parameters, 154 problems in all, generated here from their published
// definitions; then the bracketed classics of casos.h. Every problem has a
// sign change on its bracket.
#ifndef BENCH_PROBLEMAS_APS_H
#define BENCH_PROBLEMAS_APS_H

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "casos.h"

namespace aps {

constexpr double PI = 3.141592653589793;
constexpr double E = 2.718281828459045;

// Family k's function at x with parameters p and q (q only in families 3
// and 4).
inline double familia(int k, double x, double p, double q) {
  switch (k) {
  case 1: return std::sin(x) - x / 2;
  case 2: { // poles at i^2, the root between two of them
    double s = 0;
    for (int i = 1; i <= 20; ++i) {
      double u = 2.0 * i - 5, v = x - double(i) * i;
      s += u * u / (v * v * v);
    }
    return -2 * s;
  }
  case 3: return p * x * std::exp(q * x);
  case 4: return std::pow(x, p) - q;
  case 5: return std::sin(x) - 0.5;
  case 6: return 2 * x * std::exp(-p) - 2 * std::exp(-p * x) + 1;
  case 7: return (1 + (1 - p) * (1 - p)) * x - (1 - p * x) * (1 - p * x);
  case 8: return x * x - std::pow(1 - x, p);
  case 9: return (1 + std::pow(1 - p, 4)) * x - std::pow(1 - p * x, 4);
  case 10: return std::exp(-p * x) * (x - 1) + std::pow(x, p);
  case 11: return (p * x - 1) / ((p - 1) * x);
  case 12: return std::pow(x, 1 / p) - std::pow(p, 1 / p);
  case 13: return x == 0 ? 0 : x * std::exp(-1 / (x * x)); // flat: every derivative 0
  case 14: return x < 0 ? -p / 20 : p / 20 * (x / 1.5 + std::sin(x) - 1);
  case 15:
    if (x < 0) return -0.859;
    if (x > 2e-3 / (1 + p)) return E - 1.859;
    return std::exp((p + 1) * x / 2 * 1000) - 1.859;
  default: return NAN;
  }
}

struct Problema {
  std::string nombre; // "aps4(8,1)": family 4, n = 8, a = 1; or a classic's name
  int k;              // family, 0 for a classic
  double p, q;
  double a, b;                         // the bracket
  double (*clasico)(double) = nullptr; // the classic's F
  double operator()(double x) const { return k == 0 ? clasico(x) : familia(k, x, p, q); }
};

// The 154 problems, in the paper's order, then the classics.
inline std::vector<Problema> problemas() {
  std::vector<Problema> v;
  auto agrega = [&v](int k, double p, double q, double a, double b) {
    char n[40];
    if (k == 3 || k == 4) {
      std::snprintf(n, sizeof n, "aps%d(%g,%g)", k, p, q);
    } else if (p != 0) {
      std::snprintf(n, sizeof n, "aps%d(%g)", k, p);
    } else {
      std::snprintf(n, sizeof n, "aps%d", k);
    }
    v.push_back({n, k, p, q, a, b});
  };
  agrega(1, 0, 0, PI / 2, PI);
  for (int n = 1; n <= 10; ++n) agrega(2, 0, 0, n * n + 1e-9, (n + 1) * (n + 1) - 1e-9);
  for (int j = 1; j <= 3; ++j) agrega(3, j == 1 ? -40 : j == 2 ? -100 : -200, -j, -9, 31);
  for (double a : {0.2, 1.0})
    for (int n = 4; n <= 12; n += 2) agrega(4, n, a, 0, 5);
  for (int n = 8; n <= 14; n += 2) agrega(4, n, 1, -0.95, 4.05);
  agrega(5, 0, 0, 0, 1.5);
  for (int n : {1, 2, 3, 4, 5, 20, 40, 60, 80, 100}) agrega(6, n, 0, 0, 1);
  for (int n : {5, 10, 20}) agrega(7, n, 0, 0, 1);
  for (int n : {2, 5, 10, 15, 20}) agrega(8, n, 0, 0, 1);
  for (int n : {1, 2, 4, 5, 8, 15, 20}) agrega(9, n, 0, 0, 1);
  for (int n : {1, 5, 10, 15, 20}) agrega(10, n, 0, 0, 1);
  for (int n : {2, 5, 15, 20}) agrega(11, n, 0, 0.01, 1);
  for (int n = 2; n <= 33; n += n < 7 ? 1 : 2) agrega(12, n, 0, 1, 100);
  agrega(13, 0, 0, -1, 4);
  for (int n = 1; n <= 40; ++n) agrega(14, n, 0, -1000, PI / 2);
  for (int n = 20; n <= 1000; n += n < 40 ? 1 : n == 40 ? 60 : 100) agrega(15, n, 0, -1000, 1e-4);
  for (const casos::Caso &c : casos::CASOS) v.push_back({c.nombre, 0, 0, 0, c.a, c.b, c.f});
  return v;
}

constexpr int NUM_APS = 154;

} // namespace aps

#endif
