// Chandrupatla's method, compiled form: the template of chandrupatla.h on a
// func pointer.
#include "chandrupatla.h"

int chandrupatlaIni(func F, double a, double b, EstadoChandrupatla &s, double tolerancia) {
  return chandrupatlaIni<func &>(F, a, b, s, tolerancia);
}
int chandrupatlaIter(func F, EstadoChandrupatla &s) { return chandrupatlaIter<func &>(F, s); }
