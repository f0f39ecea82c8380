// Bisection of x*x - 2 on [1, 2] until the bracket is shorter than 1e-12.
#include <cstdio>
#include <raices.h>

static double f(double x) { return x * x - 2; }

int main() {
  double a = 1, b = 2, raiz = 0;
  if (bisecIni(f, a, b) != RAICES_EXITO) return 1;
  int estado = RAICES_CONTINUA;
  while (estado == RAICES_CONTINUA && b - a >= 1e-12) estado = bisecIter(f, a, b, raiz);
  if (estado != RAICES_CONTINUA && estado != RAICES_EXITO) return 1;
  std::printf("%.10f\n", raiz); // 1.4142135624
  return 0;
}
