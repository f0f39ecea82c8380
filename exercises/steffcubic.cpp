// steffcubic: root of f(x) = x^3 + 3x^2 - 1 by Steffensen's method from a
// starting value typed by the user, with the fixed tolerance 1e-12. One
// report line on success, one failure message otherwise.
#include <cctype>
#include <cmath>
#include <getopt.h>
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

// Command line: --help or --version prints its text and gives status 0; any
// other option or any argument gives one line on standard error and status
// 4. Without any, -1: the dialogue runs as always.
const char *const ayuda =
    "Uso: steffcubic [--help] [--version]\n"
    "Busca una raiz de f(x) = x^3 + 3x^2 - 1 por el metodo de Steffensen, desde\n"
    "un valor inicial x1 y con la tolerancia 1e-12. Lee x1 de la entrada\n"
    "estandar y escribe el informe en la salida estandar.\n"
    "  --help     muestra esta ayuda y termina\n"
    "  --version  muestra la version y termina\n"
    "Estado de salida: 0 tras el calculo, aunque un metodo informe de su fallo;\n"
    "1 si un valor leido no es un numero; 4 si una opcion o un argumento no vale.\n";

// One line on standard error: control characters in the refused text, a
// newline above all, are shown as '?'.
int rechaza(const char *que, const char *texto) {
  std::cerr << "steffcubic: " << que << ": ";
  for (const char *c = texto; *c != '\0'; ++c)
    std::cerr << (std::iscntrl(static_cast<unsigned char>(*c)) != 0 ? '?' : *c);
  std::cerr << " (vease steffcubic --help)" << std::endl;
  return 4;
}

int opciones(int argc, char **argv) {
  enum { AYUDA = 256, VERSION }; // beyond every short option character
  const option largas[] = {{"help", no_argument, nullptr, AYUDA},
                           {"version", no_argument, nullptr, VERSION},
                           {nullptr, 0, nullptr, 0}};
  opterr = 0;
  int pedida = -1, c = 0;
  while ((c = getopt_long(argc, argv, "", largas, nullptr)) != -1) {
    if (c == '?') {
      // A short option is named by its character, a long one by its word.
      const char corta[] = {'-', static_cast<char>(optopt), '\0'};
      return rechaza("opcion no valida", optopt != 0 && optopt < AYUDA ? corta : argv[optind - 1]);
    }
    if (pedida == -1) pedida = c;
  }
  if (optind < argc) return rechaza("argumento no valido", argv[optind]);
  if (pedida == AYUDA) std::cout << ayuda;
  if (pedida == VERSION) std::cout << "steffcubic " RAICES_VERSION "\n";
  return pedida == -1 ? -1 : 0;
}

int main(int argc, char **argv) {
  if (const int estado = opciones(argc, argv); estado >= 0) return estado;
  double x1;
  std::cout << "Introduzca el valor aproximado(con todas las cifras decimales "
               "conocidas)\n";
  std::cout << "de la raiz que desea calcular, x1, x1=\n";
  if (!lee(x1)) return 1;
  double &raiz = x1; // the method writes its root into x1
  steffensen(x1, raiz);
  return 0;
}
