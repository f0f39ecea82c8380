// Test functions for comparing root finders: two easy smooth ones, a cubic,
// and the classic hard cases (high degree, high multiplicity, flat near the
// root, a square-root cusp, and x e^-x started far from its root). Each case
// gives F and dF, a bracket for the bracketing methods, a start point for the
// open ones, the known root, and how close to it a result must be.
#ifndef BENCH_CASOS_H
#define BENCH_CASOS_H

#include <cmath>

namespace casos {

inline double coseno(double x) { return std::cos(x) - x; }
inline double d_coseno(double x) { return -std::sin(x) - 1; }

inline double seno(double x) { return std::sin(x) - x / 2; }
inline double d_seno(double x) { return std::cos(x) - 0.5; }

inline double cubica(double x) { return (x * x - 2) * x - 5; }
inline double d_cubica(double x) { return 3 * x * x - 2; }

// x^20 - 1: from the bracket [0, 1.5] regula falsi creeps up from 0.
inline double grado20(double x) {
  double x2 = x * x, x4 = x2 * x2, x5 = x4 * x, x10 = x5 * x5;
  return x10 * x10 - 1;
}
inline double d_grado20(double x) {
  double x2 = x * x, x4 = x2 * x2, x8 = x4 * x4, x16 = x8 * x8;
  return 20 * x16 * x2 * x;
}

// (x - 1)^7, in factored form so that its sign is exact everywhere.
inline double multiple7(double x) {
  double t = x - 1, t2 = t * t;
  return t2 * t2 * t2 * t;
}
inline double d_multiple7(double x) {
  double t = x - 1, t2 = t * t;
  return 7 * t2 * t2 * t2;
}

// x e^(-1/x^2): every derivative vanishes at 0; F underflows to exactly 0
// for |x| < 0.0376, so any point there is a root of the computed F.
inline double plana(double x) { return x == 0 ? 0 : x * std::exp(-1 / (x * x)); }
inline double d_plana(double x) { return x == 0 ? 0 : std::exp(-1 / (x * x)) * (1 + 2 / (x * x)); }

// sqrt(|x|) sign(x): Newton's step maps x to -x and cycles.
inline double raiz_signo(double x) { return std::copysign(std::sqrt(std::fabs(x)), x); }
inline double d_raiz_signo(double x) { return 0.5 / std::sqrt(std::fabs(x)); }

// x e^(-x): beyond x = 1 Newton's steps run away from the root at 0.
inline double x_exp(double x) { return x * std::exp(-x); }
inline double d_x_exp(double x) { return (1 - x) * std::exp(-x); }

using Fn = double (*)(double);

struct Caso {
  const char *nombre;
  Fn f, df;
  double a, b;  // bracket
  double x0;    // start point of the open methods
  double raiz;  // known root
  double radio; // a result counts as the root within this distance of it
};

constexpr double PI = 3.141592653589793;
constexpr double CERCA = 1e-8; // default radio

inline const Caso CASOS[] = {
    {"cos(x)-x", coseno, d_coseno, 0, 1, 1, 0.7390851332151607, CERCA},
    {"sin(x)-x/2", seno, d_seno, PI / 2, PI, PI / 2, 1.895494267033981, CERCA},
    {"x^3-2x-5", cubica, d_cubica, 2, 3, 3, 2.0945514815423265, CERCA},
    {"x^20-1", grado20, d_grado20, 0, 1.5, 1.5, 1, CERCA},
    {"(x-1)^7", multiple7, d_multiple7, 0, 3, 2, 1, CERCA},
    {"x*exp(-1/x^2)", plana, d_plana, -1, 4, 1, 0, 0.0376},
    {"sqrt(abs(x))*sign(x)", raiz_signo, d_raiz_signo, -1, 2, 1, 0, CERCA},
    {"x*exp(-x)", x_exp, d_x_exp, -1, 20, 20, 0, CERCA},
};

} // namespace casos

#endif
