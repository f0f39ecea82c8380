// Brent's method, compiled form: the template of brent.h on a func pointer.
#include "brent.h"

int brentIni(func F, double a, double b, EstadoBrent &s, double tolerancia) {
  return brentIni<func &>(F, a, b, s, tolerancia);
}
int brentIter(func F, EstadoBrent &s) { return brentIter<func &>(F, s); }
