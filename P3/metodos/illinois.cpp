// Illinois method, compiled form: the template of illinois.h on a func pointer.
#include "illinois.h"

int illinoisIni(func F, double a, double b, double &fa, double &fb, int &lado) {
  return illinoisIni<func &>(F, a, b, fa, fb, lado);
}
int illinoisIter(func F, double &a, double &b, double &fa, double &fb, int &lado, double &raiz) {
  return illinoisIter<func &>(F, a, b, fa, fb, lado, raiz);
}
