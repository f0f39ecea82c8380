// rootscan on a polynomial: every root in [A, B] from exact arithmetic
// (P3/polinomio/polinomio.h), as the answer of either mode.
#ifndef P3_RAICES_EXACTAS_H
#define P3_RAICES_EXACTAS_H

#include <optional>

#include "P3/consola/opciones_problema.h"
#include "P3/expresion/expresion.h"
#include "P3/todas/demuestra_raices.h"
#include "P3/todas/todas_las_raices.h"

// What the polynomial path answers: the roots found (e), and with
// --demuestra their proof (d).
struct RespuestaExacta {
  raices::Exploracion e;
  std::optional<raices::Demostracion> d;
};

// The answer when f is a polynomial: each root with its exact multiplicity,
// `exacta` when rational and `unica` otherwise, nothing left unproven; and
// when f is proven 0 everywhere (the zero polynomial, sin(x) - sin(x)), the
// whole of [A, B] as a stretch where f = 0. Nullopt when f is neither, or
// past the limits of polinomio.h (a warning on standard error says so): the
// general search answers then.
std::optional<RespuestaExacta> raices_exactas(const Expresion &f, const OpcionesProblema &o);

#endif
