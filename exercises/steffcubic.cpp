// steffcubic: root of f(x) = x^3 + 3x^2 - 1 by Steffensen's method from a
// starting value typed by the user, with the fixed tolerance 1e-12. One
// report line on success, one failure message otherwise.
#include <cmath>
#include <iostream>

const double prec = 1e-12;  // tolerance on the step
const double fprec = 1e-12; // tolerance on |f|
const int numiter = 1000;   // iteration limit, passed only after 1001 steps

// x^3 by repeated multiplication, not the floating-point power function.
inline double f(double x) { return x * x * x + 3 * x * x - 1; }

// Reads the next number into x. Anything that is not a number in the range
// of double (text, end of input, overflow) ends the run: message on
// standard error, false to the caller, which then returns status 1.
bool lee(double &x) {
  if (std::cin >> x) return true;
  std::cerr << "Valor no valido: se esperaba un numero" << std::endl;
  return false;
}

// x(n+1) = x(n) - f(x(n))^2 / (f(x(n) + f(x(n))) - f(x(n))), from x1.
int steffensen(double x1, double &raiz) {
  double x = x1, fx = f(x), dx = 1, xn = x;
  int i = 0;
  while (std::fabs(fx) >= fprec || dx >= prec) {
    if (i > numiter) {
      std::cout << "numero maximo de iteraciones excedido en steffensen" << std::endl;
      return 1;
    }
    const double d = f(x + fx) - fx;
    if (d == 0) {
      std::cout << "division por cero en steffensen" << std::endl;
      return 1;
    }
    xn = x - (fx * fx) / d;
    dx = std::fabs(xn - x);
    x = xn;
    fx = f(x);
    i++;
  }
  raiz = xn;
  std::cout << "steffesen " << i << " iteraciones "
            << "raiz= " << raiz << " funcion= " << f(raiz) << std::endl;
  return 0;
}

int main() {
  double x1;
  std::cout << "Introduzca el valor aproximado(con todas las cifras decimales "
               "conocidas)\n";
  std::cout << "de la raiz que desea calcular, x1, x1=\n";
  if (!lee(x1)) return 1;
  double &raiz = x1; // the method writes its root into x1
  steffensen(x1, raiz);
  return 0;
}
