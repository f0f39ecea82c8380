// Whole solves with GSL's root finders. Each solver object is allocated once
// and reused, as a program making many solves would; a solve is set, then
// iterate while the stopping rule does not hold. GSL's error handler is
// turned off, so a failure is a status and not an abort.
#include <memory>

#include <gsl/gsl_errno.h>
#include <gsl/gsl_roots.h>

#include "resolutores.h"

namespace resolutores {

namespace {

gsl_error_handler_t *const manejador_previo = gsl_set_error_handler_off();

double f_gsl(double x, void *k) { return static_cast<Contador *>(k)->F(x); }
double df_gsl(double x, void *k) { return static_cast<Contador *>(k)->dF(x); }
void fdf_gsl(double x, void *k, double *f, double *df) {
  *f = f_gsl(x, k);
  *df = df_gsl(x, k);
}

using Fsolver = std::unique_ptr<gsl_root_fsolver, decltype(&gsl_root_fsolver_free)>;
using Fdfsolver = std::unique_ptr<gsl_root_fdfsolver, decltype(&gsl_root_fdfsolver_free)>;

Resultado acotado(gsl_root_fsolver *s, const casos::Caso &c) {
  Resultado r;
  Contador k{c, r};
  gsl_function fn{f_gsl, &k};
  if (gsl_root_fsolver_set(s, &fn, c.a, c.b) != GSL_SUCCESS) return r;
  while (r.pasos < MAX_PASOS) {
    ++r.pasos;
    const long llamadas = r.f;
    const int status = gsl_root_fsolver_iterate(s);
    r.x = gsl_root_fsolver_root(s);
    if (status != GSL_SUCCESS) return r;
    // An exact root closes the bracket onto it; an iteration without a new
    // call of F means the solver has nothing left to do.
    if (r.f == llamadas || cerca(gsl_root_fsolver_x_lower(s), gsl_root_fsolver_x_upper(s))) {
      r.para = true;
      return r;
    }
  }
  return r;
}

// From c.x0; the new point is the solver's estimate.
Resultado abierto(gsl_root_fdfsolver *s, const casos::Caso &c) {
  Resultado r;
  Contador k{c, r};
  gsl_function_fdf fn{f_gsl, df_gsl, fdf_gsl, &k};
  if (gsl_root_fdfsolver_set(s, &fn, c.x0) != GSL_SUCCESS) return r;
  double previo = NAN;
  while (r.pasos < MAX_PASOS) {
    ++r.pasos;
    const int status = gsl_root_fdfsolver_iterate(s);
    r.x = gsl_root_fdfsolver_root(s);
    if (status != GSL_SUCCESS) return r;
    if (k.f_ultimo == 0 || cerca(previo, r.x)) {
      r.para = true;
      return r;
    }
    previo = r.x;
  }
  return r;
}

} // namespace

Resultado gsl_biseccion(const casos::Caso &c) {
  static const Fsolver s(gsl_root_fsolver_alloc(gsl_root_fsolver_bisection), gsl_root_fsolver_free);
  return acotado(s.get(), c);
}

Resultado gsl_falsepos(const casos::Caso &c) {
  static const Fsolver s(gsl_root_fsolver_alloc(gsl_root_fsolver_falsepos), gsl_root_fsolver_free);
  return acotado(s.get(), c);
}

Resultado gsl_brent(const casos::Caso &c) {
  static const Fsolver s(gsl_root_fsolver_alloc(gsl_root_fsolver_brent), gsl_root_fsolver_free);
  return acotado(s.get(), c);
}

Resultado gsl_newton(const casos::Caso &c) {
  static const Fdfsolver s(gsl_root_fdfsolver_alloc(gsl_root_fdfsolver_newton),
                           gsl_root_fdfsolver_free);
  return abierto(s.get(), c);
}

Resultado gsl_secante(const casos::Caso &c) {
  static const Fdfsolver s(gsl_root_fdfsolver_alloc(gsl_root_fdfsolver_secant),
                           gsl_root_fdfsolver_free);
  return abierto(s.get(), c);
}

Resultado gsl_steffenson(const casos::Caso &c) {
  static const Fdfsolver s(gsl_root_fdfsolver_alloc(gsl_root_fdfsolver_steffenson),
                           gsl_root_fdfsolver_free);
  return abierto(s.get(), c);
}

} // namespace resolutores
