// The search for every root of a typed f that exact arithmetic answers:
// every root of a polynomial in [A, B] (polinomio.h), and f proven 0
// everywhere, as the answer of either mode of the all-roots search.
#ifndef RAICES_RAICES_EXACTAS_H
#define RAICES_RAICES_EXACTAS_H

#include <optional>
#include <string>

#include "../expresion/expresion.h"
#include "../todas/respuesta.h"

namespace raices {

// The answer when f is a polynomial: each root with its exact multiplicity,
// `exacta` when rational and `unica` otherwise, nothing left unproven; and
// when f is proven 0 everywhere (the zero polynomial, sin(x) - sin(x)), the
// whole of [A, B] as a stretch where f = 0. Nullopt when f is neither;
// throws ErrorExpresion past the limits of polinomio.h.
// [A, B] is read from texto_a and texto_b exactly, as typed; a and b are
// their doubles; with demuestra, the answer is a proof (each root's
// certainty given).
std::optional<Respuesta> raices_exactas(const Expresion &f, const std::string &texto_a,
                                        const std::string &texto_b, double a, double b, double tol,
                                        bool demuestra);

} // namespace raices

#endif
