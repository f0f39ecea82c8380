// A user's file with names of its own that the suite's Util/ headers also
// use: <raices.h> must leave them free, bringing into the global namespace
// only the step functions, func and the status constants.
const double BIG = 1e300;
const double PI = 3.14159;
const double SMALL = 1e-300;
enum info { NOINFO, TODO };

#include <raices.h>

static double f(double x) { return x * x - 2; }

int main() {
  const func F = f;
  double a = 1, b = 2, raiz = 0;
  if (bisecIni(F, a, b) != RAICES_EXITO || bisecIter(F, a, b, raiz) != RAICES_CONTINUA) return 1;
  const bool propios = BIG > SMALL && PI > 3 && NOINFO != TODO;
  return raiz == 1.5 && propios ? 0 : 1;
}
