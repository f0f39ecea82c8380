// The check of a root that a method reports, when f is a polynomial:
// against its exact roots (polinomio.h) instead of signs on balls, so that
// a point within the tolerance of an even root is a root too.
#ifndef P3_COMPRUEBA_POLINOMIO_H
#define P3_COMPRUEBA_POLINOMIO_H

#include <optional>
#include <string>

#include "../busqueda/prueba.h"
#include "polinomio.h"

namespace raices {

struct Comprobacion {
  Prueba prueba;     // exacta: f(x) = 0; demostrada: a root in [x - delta,
                     // x + delta]; refutada: none there
  int multiplicidad; // of the root nearest x there; 0 when refutada
};

Comprobacion comprueba_polinomio(const Polinomio &p, double x, double delta);

// The typed f as a polynomial (polinomio_de), or nullopt when it is not
// one. Past the limits of polinomio.h (x^1000000), throws ErrorExpresion
// ("error en la expresión de f: ..."): the general search would not give
// it a reliable answer.
std::optional<Polinomio> polinomio_tecleado(const ::Expresion &f);

// The roots of p in [a, b] for a note: each exact as a fraction, or its x
// to 17 digits, and its multiplicity: "1/10 (multiplicidad 2), ...";
// "ninguna" when there is none.
std::string describe_raices(const Polinomio &p, const std::string &a, const std::string &b,
                            double tol);

} // namespace raices

#endif
