// A user's program: bisection of x - 0.5 on [0, 1] hits the root at once.
#include <iostream>

#include <raices.h>

static double f(double x) { return x - 0.5; }

int main() {
  double a = 0, b = 1, raiz = 0;
  if (bisecIni(f, a, b) != 0 || bisecIter(f, a, b, raiz) != 0) return 1;
  std::cout << raiz << "\n";
  return 0;
}
