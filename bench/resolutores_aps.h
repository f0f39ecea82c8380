// Whole solves of the Alefeld-Potra-Shi problems (problemas_aps.h) by the
// bracketing methods of the step library's table and by Boost.Math's
// toms748_solve, under one stopping rule built from the tests of paradas.h:
// the bracket is narrower than ANCHO + 4 eps |x| (x the method's estimate), or F
// is exactly 0 at the newest point. Calls of F are counted by a wrapper.
#ifndef BENCH_RESOLUTORES_APS_H
#define BENCH_RESOLUTORES_APS_H

#include <cfloat>
#include <cmath>
#include <cstddef>

#include "P3/busqueda/paradas.h"
#include "P3/busqueda/resuelve.h"
#include "problemas_aps.h"

namespace aps {

constexpr double ANCHO = 2e-12;
constexpr long MAX_LLAMADAS = 1000;

inline bool cerrado(double p, double q) {
  const double x = std::fabs(p) < std::fabs(q) ? std::fabs(p) : std::fabs(q); // no call of fmin
  return raices::ancho_menor(p, q, raices::tolerancia_mixta(ANCHO, 4 * DBL_EPSILON, x));
}

// The rule as the library's search takes it: width ANCHO + 4 eps |x|, as
// many steps of method m as the calls allow, the stop unjudged.
inline raices::Criterio criterio(std::size_t m) {
  raices::Criterio c;
  c.absoluta = ANCHO;
  c.relativa = 4 * DBL_EPSILON;
  c.suma = true;
  const int por_paso = raices::DESCRIPTORES[m].evals_f;
  c.max_pasos = static_cast<int>((MAX_LLAMADAS - 2 + por_paso - 1) / por_paso);
  c.ceros_exactos = false;
  c.juzga = false;
  return c;
}

struct Cuenta {
  long llamadas = 0;     // calls of F
  bool resuelto = false; // the rule held within MAX_LLAMADAS calls
  double x = NAN;        // final estimate
};

// Method m of the table (a bracketing one), told the rule's absolute width.
Cuenta con_metodo(std::size_t m, const Problema &p);
Cuenta con_toms748(const Problema &p);
// SciPy's brentq transcribed (brentq.h), with xtol = ANCHO and its own test
// on the bracket, |xblk - xcur| < ANCHO + 4 eps |xcur|; or, comun, under the
// rule above like every other solver here.
Cuenta con_brentq(const Problema &p, bool comun = false);

} // namespace aps

#endif
