// arcroot: zero of the arctangent inside an interval typed by the user, by
// Newton's method started at the lower limit and then by bisection, both
// with the fixed tolerance 1e-12. Each method reports its iterations, root
// and function value; main prints the root once more at the end.
#include <cctype>
#include <cmath>
#include <getopt.h>
#include <iomanip>
#include <iostream>

const double prec = 1e-12;  // tolerance on the step / interval width
const double fprec = 1e-12; // tolerance on |f|
const int nprec = 10;       // significant digits of bisection's report
const int nwidth = 16;      // field width of bisection's root
const int numiter = 100;    // bisection's iteration limit

inline double f(double x) { return std::atan(x); }
inline double fd(double x) { return 1 / (x * x + 1); }

// Reads the next number into x. Anything that is not a number in the range
// of double (text, end of input, overflow) ends the run: message on
// standard error, false to the caller, which then returns status 1.
bool lee(double &x) {
  if (std::cin >> x) return true;
  std::cerr << "Valor no valido: se esperaba un numero" << std::endl;
  return false;
}

// x(n+1) = x(n) - f(x(n)) / f'(x(n)), from x0; every iterate must stay
// strictly inside (x0, x1). No iteration limit.
int newton(double x0, double x1, double &raiz) {
  const double a = x0, b = x1;
  double x = x0, fx = f(x), dx = 1, xn = x;
  int i = 0;
  while (std::fabs(fx) >= fprec || dx >= prec) {
    xn = x - fx / fd(x);
    dx = std::fabs(xn - x);
    if (xn <= a || xn >= b) {
      std::cout << "newton fuera de control" << std::endl << std::endl;
      return 1;
    }
    x = xn;
    fx = f(x);
    i++;
  }
  raiz = xn;
  std::cout << "newton " << i << " iteraciones "
            << " raiz= " << raiz << " funcion= " << f(raiz) << std::endl;
  return 0;
}

// m = (a + b) / 2, keeping the half where f changes sign, until the
// interval is narrower than prec. An interval already that narrow gives
// its own midpoint after 0 iterations.
int biseccion(double x0, double x1, double &raiz) {
  double a = x0, b = x1, fa = f(a), fb = f(b);
  double m = (a + b) / 2, fm;
  int i = 0;
  if (fa * fb > 0) {
    std::cout << "no hay raiz entre x0 y x1" << std::endl;
    return 1;
  }
  while (std::fabs(a - b) >= prec) {
    if (i >= numiter) {
      std::cout << "numero maximo de iteraciones excedido en biseccion" << std::endl;
      return 1;
    }
    m = (a + b) / 2;
    fm = f(m);
    if (fm * fa < 0) {
      b = m;
      fb = fm;
    }
    if (fm * fb < 0) { // cannot fire when b has just moved: fm * fb = fm^2
      a = m;
      fa = fm;
    }
    i++;
  }
  raiz = m;
  std::cout << "biseccion " << i << " iteraciones"
            << " raiz= " << std::setprecision(nprec) << std::setw(nwidth) << raiz
            << " funcion= " << f(raiz) << std::endl;
  return 0;
}

// Command line: --help or --version prints its text and gives status 0; any
// other option or any argument gives one line on standard error and status
// 4. Without any, -1: the dialogue runs as always.
const char *const ayuda =
    "Uso: arcroot [--help] [--version]\n"
    "Busca el cero de atan(x) en un intervalo [x0, x1], primero por el metodo\n"
    "de Newton y despues por biseccion, con la tolerancia 1e-12. Lee x0 y x1\n"
    "de la entrada estandar y escribe los informes en la salida estandar.\n"
    "  --help     muestra esta ayuda y termina\n"
    "  --version  muestra la version y termina\n"
    "Estado de salida: 0 tras el calculo, aunque un metodo informe de su fallo;\n"
    "1 si un valor leido no es un numero; 4 si una opcion o un argumento no vale.\n";

// One line on standard error: control characters in the refused text, a
// newline above all, are shown as '?'.
int rechaza(const char *que, const char *texto) {
  std::cerr << "arcroot: " << que << ": ";
  for (const char *c = texto; *c != '\0'; ++c)
    std::cerr << (std::iscntrl(static_cast<unsigned char>(*c)) != 0 ? '?' : *c);
  std::cerr << " (vease arcroot --help)" << std::endl;
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
  if (pedida == VERSION) std::cout << "arcroot " RAICES_VERSION "\n";
  return pedida == -1 ? -1 : 0;
}

int main(int argc, char **argv) {
  if (const int estado = opciones(argc, argv); estado >= 0) return estado;
  double x0, x1;
  std::cout << "Elije el intervalo en el cual comprobaremos la existencia\n";
  std::cout << "de un cero de la funcion a estudiar,x0 y x1." << std::endl;
  std::cout << "Introduce el valor del limite inferior x0,x0=\n";
  if (!lee(x0)) return 1;
  std::cout << "Introduce el valor del limite superior x1,x1=\n";
  if (!lee(x1)) return 1;
  double &raiz = x1; // both methods write their root into x1
  newton(x0, x1, raiz);
  biseccion(x0, x1, raiz);
  // Precision is whatever bisection left on the stream (10 after success).
  std::cout << std::endl
            << "en main()"
            << " raiz= " << x1 << std::endl;
  return 0;
}
