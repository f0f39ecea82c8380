// Numeric vocabulary shared by rootbench and the step library: constants,
// function-pointer types, the detail levels and maximo.
#ifndef UTIL_MATUTIL_H
#define UTIL_MATUTIL_H

// Each constant is the double nearest to its decimal; const at namespace
// scope gives internal linkage, so every translation unit has its own copy.
const double EXP = 2.718281828459045;
const double LOG2E = 1.4426950408889634;
const double LOG10E = 0.4342944819032518;
const double SQRT2 = 1.4142135623730951;
const double SQRT1_2 = 0.7071067811865476;
const double SQRT3 = 1.7320508075688772;
const double PI = 3.141592653589793;
const double PI_2 = 1.5707963267948966;
const double PI_4 = 0.7853981633974483;
const double SQRTPI = 1.772453850905516;
const double LN10 = 2.302585092994046;
const double LN2 = 0.6931471805599453;
const double LNPI = 1.1447298858494002;
const double EULER = 0.5772156649015329;
// (sqrt(5) - 1) / 2 to 15 digits: one ulp above the double nearest to the
// exact value, which (sqrt(5.0) - 1) / 2 would give.
const double AUREA = 0.618033988749895;
const double BIG = 1e99;
const double SMALL = 1e-10;

// A real function of one real variable, as handed to the step library
// (P3/metodos/raices_pasos.h declares the same type).
typedef double (*func)(double);
// A real function of two real variables.
typedef double (*fun2)(double, double);

// Levels of reported detail.
enum info { NOINFO = 0, CONCISO = 1, DETALLADO = 2 };

// The larger of a and b by the single test a > b: ties and NaNs go to b.
template <typename T> inline T maximo(T a, T b) { return a > b ? a : b; }

#endif
