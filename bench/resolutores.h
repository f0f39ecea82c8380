// Whole solves of one test case by our step functions and by their GSL and
// Boost.Math counterparts, under one stopping rule, counting the calls of F
// and dF.
//
// Stopping rule, for every solver, built from the tests of paradas.h: stop
// when two numbers p, q that close in on the root satisfy
// |p - q| < TOL max(1, min(|p|, |q|)), or when F is
// exactly 0 at the new point; give up after MAX_PASOS steps or on any failure
// status. For the bracketing methods p and q are the ends of the bracket (a
// small step alone proves nothing there: Brent's steps can be a few ulps long
// while the bracket is still wide); for the open methods, the last two
// estimates. Boost's Newton takes only its own relative test (digits), set
// to about the same TOL.
#ifndef BENCH_RESOLUTORES_H
#define BENCH_RESOLUTORES_H

#include <cmath>
#include <cstddef>
#include <cstring>

#include "P3/busqueda/paradas.h"
#include "casos.h"

namespace resolutores {

constexpr double TOL = 1e-10;
constexpr int MAX_PASOS = 200;

inline bool cerca(double p, double q) {
  return raices::ancho_menor(
      p, q, raices::tolerancia_relativa(TOL, std::fmin(std::fabs(p), std::fabs(q))));
}

struct Resultado {
  double x = NAN;    // final estimate
  bool para = false; // stopped by the rule, not by failure or the step limit
  int pasos = 0;
  long f = 0, df = 0; // calls of F and dF
};

// Counts the calls of F and dF; f_ultimo is the value of the last call of F.
struct Contador {
  const casos::Caso &c;
  Resultado &r;
  double f_ultimo = NAN;
  double F(double x) {
    ++r.f;
    return f_ultimo = c.f(x);
  }
  double dF(double x) {
    ++r.df;
    return c.df(x);
  }
};

// F and dF of a Contador, as callables.
struct Contada {
  Contador *k;
  double operator()(double x) const { return k->F(x); }
};
struct ContadaD {
  Contador *k;
  double operator()(double x) const { return k->dF(x); }
};

using Resolutor = Resultado (*)(const casos::Caso &);

// Ours: method m of the step library's table (metodos.h), bracketing ones on
// [a, b], open ones from x0 (the secant from x0 and segundo_punto(x0)).
Resultado nuestro(std::size_t m, const casos::Caso &c);

// GSL: gsl_root_fsolver_{bisection,falsepos,brent}, gsl_root_fdfsolver_
// {newton,secant,steffenson}.
Resultado gsl_biseccion(const casos::Caso &c);
Resultado gsl_falsepos(const casos::Caso &c);
Resultado gsl_brent(const casos::Caso &c);
Resultado gsl_newton(const casos::Caso &c);
Resultado gsl_secante(const casos::Caso &c);
Resultado gsl_steffenson(const casos::Caso &c);

// Boost.Math: bisect, toms748_solve, newton_raphson_iterate.
Resultado boost_bisect(const casos::Caso &c);
Resultado boost_toms748(const casos::Caso &c);
Resultado boost_newton(const casos::Caso &c);

// The counterparts of our methods, by the key of each method's descriptor
// (null where there is none).
struct Pares {
  const char *clave;
  const char *nombre_gsl;
  Resolutor gsl;
  const char *nombre_boost;
  Resolutor boost;
};

inline const Pares PARES[] = {
    {"biseccion", "bisection", gsl_biseccion, "bisect", boost_bisect},
    {"regula_falsi", "falsepos", gsl_falsepos, nullptr, nullptr},
    {"illinois", "falsepos", gsl_falsepos, "toms748", boost_toms748},
    {"brent", "brent", gsl_brent, "toms748", boost_toms748},
    {"chandrupatla", "brent", gsl_brent, "toms748", boost_toms748},
    {"secante", "secant", gsl_secante, nullptr, nullptr},
    {"newton", "newton", gsl_newton, "newton_raphson", boost_newton},
    {"steffensen", "steffenson", gsl_steffenson, nullptr, nullptr},
};

// The counterparts of the method with this key; none for a key not listed.
inline Pares pares(const char *clave) {
  for (const Pares &p : PARES)
    if (std::strcmp(p.clave, clave) == 0) return p;
  return {clave, nullptr, nullptr, nullptr, nullptr};
}

// Secant's second start point, beside the case's x0.
inline double segundo_punto(double x0) { return x0 + 1e-3 * std::fmax(1.0, std::fabs(x0)); }

} // namespace resolutores

#endif
