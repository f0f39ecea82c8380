// Secant method, compiled form: the template of secante.h on a func pointer.
#include "secante.h"

int secanteIni(func F, double x0, double x1, double &f0, double &f1) {
  return secanteIni<func &>(F, x0, x1, f0, f1);
}
int secanteIter(func F, double &x0, double &x1, double &f0, double &f1) {
  return secanteIter<func &>(F, x0, x1, f0, f1);
}
