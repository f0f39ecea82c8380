// Steffensen's method, compiled form: the template of steffensen.h on a func
// pointer.
#include "steffensen.h"

int steffensenIni(func F, double &f_raiz, double &raiz) {
  return steffensenIni<func &>(F, f_raiz, raiz);
}
int steffensenIter(func F, double &f_raiz, double &raiz) {
  return steffensenIter<func &>(F, f_raiz, raiz);
}
