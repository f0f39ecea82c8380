// rootbench: interactive root search on fun (e_p3/func) with the step
// library. Reads the interval, the relative precision, the iteration limit and
// the method; writes the parameter report, one table row per iteration and
// the root. Fatal conditions end the run through error() with their code.
#include <cmath>
#include <iomanip>
#include <iostream>

#include "Util/error.h"
#include "Util/matutil.h"
#include "Util/specfunc.h"
#include "e_p3/func.h"
#include "raices.h"

using std::cin;
using std::cout;
using std::endl;

static const int CONTINUA = -2;          // library: the search goes on
static const int ARGUMENTO_INVALIDO = 4; // exit status for bad input
static const int MAX_ITERACIONES = 11;
static const int TOLERANCIA_INVALIDA = 13;

// Method numbers as the user types them.
static const int BISECCION = 1;
static const int RFALSI = 2;
static const int NEWTON = 3;

// Stores the next number of standard input in x only when it was read
// whole and in range; otherwise x keeps its value, and once the stream has
// failed every later read fails too.
template <typename T> static void lee(T &x) {
  T valor{};
  if (cin >> valor) x = valor;
}

void escribe_parametros(double a, double b, double tol, int maxiter, int metodo) {
  cout << "Intervalo = [" << a << "," << b << "]" << endl;
  cout << "Tolerancia = " << tol << endl;
  cout << "max iter = " << maxiter << endl;
  cout << "m\xE9todo = " << endl;
  switch (metodo) {
  case BISECCION: cout << "bisecci\xF3n" << endl; break;
  case RFALSI: cout << "regula falsi" << endl; break;
  case NEWTON: cout << "newton rapson" << endl; break;
  default: break;
  }
}

// One row: iter, then a, raiz, b in fields of 12 at 8 significant digits.
// The precision stays set on standard output afterwards.
void escribe_tabla(double a, double b, double raiz, int iter) {
  cout << iter << "\t" << std::setprecision(8) << std::setw(12) << a << "\t  " << std::setw(12)
       << raiz << "\t  " << std::setw(12) << b << endl;
}

// Start call of the method; Newton starts from raiz = a.
static int inicia(int metodo, double a, double b, double &raiz, double &f_raiz, double &df_raiz) {
  switch (metodo) {
  case BISECCION: return bisecIni(fun, a, b);
  case RFALSI: return rfalsiIni(fun, a, b);
  default: raiz = a; return newtonIni(fun, Dfun, f_raiz, df_raiz, raiz);
  }
}

static int paso(int metodo, double &a, double &b, double &raiz, double &f_raiz, double &df_raiz) {
  switch (metodo) {
  case BISECCION: return bisecIter(fun, a, b, raiz);
  case RFALSI: return rfalsiIter(fun, a, b, raiz);
  default: return newtonIter(fun, Dfun, f_raiz, df_raiz, raiz);
  }
}

// The search loop shared by the three methods. It runs until a step hits the
// root exactly (bracketing methods only), the change falls below tol, or
// the iteration limit ends the run; the limit is tested after each row, so
// converging on the last allowed iteration still counts as exceeding it.
static void busca(int metodo, double a, double b, double tol, int maxiter) {
  static const char *const mensaje_inicio[] = {"error en bisecIni", "error en rfalsiIni",
                                               "error en newtonIni"};
  double raiz = 0, f_raiz = 0, df_raiz = 0;
  int status = inicia(metodo, a, b, raiz, f_raiz, df_raiz);
  if (status != 0) error(mensaje_inicio[metodo - 1], status);

  const bool acotado = metodo != NEWTON;
  double raiz_previa = a; // Newton's raiz is a at this point too
  int iter = 0;
  status = CONTINUA;
  while (status == CONTINUA) {
    ++iter;
    status = paso(metodo, a, b, raiz, f_raiz, df_raiz);
    if (acotado && status == 0) cout << "El m\xE9todo converge exactamente" << endl;
    if (status != CONTINUA && !(acotado && status == 0)) error("error en la iteraci\xF3n", status);
    if (status == CONTINUA) {
      // Bisection measures the bracket; the others the last correction.
      double cambio = metodo == BISECCION ? std::fabs(a - b) : std::fabs(raiz - raiz_previa);
      if (tol > cambio) {
        status = 0;
        cout << " El m\xE9todo ha convergido por debajo de la tolerancia" << endl;
      }
    }
    escribe_tabla(a, b, raiz, iter);
    if (iter >= maxiter) error("excede n\xFAmero m\xE1ximo de iteraciones", MAX_ITERACIONES);
    raiz_previa = raiz;
  }
  cout << " La ra\xEDz es " << std::setw(12) << std::setprecision(8) << raiz << endl;
  cout << " N\xFAmero de iteraciones empleado " << iter << endl;
}

int main() {
  double a = 0, b = 3, epsrel = 0.01;
  int maxiter = 100, metodo = BISECCION;

  cout << "Introduzca extremos del intervalo [a,b]" << endl;
  cout << "a? ";
  lee(a);
  cout << "b? ";
  lee(b);
  if (a > b) return ARGUMENTO_INVALIDO;
  cout << "Precisi\xF3n relativa? ";
  lee(epsrel);
  cout << "M\xE1ximo n\xFAmero de iteraciones ?  ";
  lee(maxiter);
  cout << "Introduzca m\xE9todo (1 = bisecci\xF3n, 2 = rfalsi, 3 = newton)" << endl;
  cout << "Metodo? ";
  lee(metodo);
  if (epsrel < 0) error("La precisi\xF3n relativa requerida es negativa", TOLERANCIA_INVALIDA);

  // Scale: the interval's width or its midpoint's magnitude, the larger.
  double tol = maximo(std::fabs(b - a), std::fabs(a + b) / 2) * epsrel;
  escribe_parametros(a, b, tol, maxiter, metodo);
  if (metodo != BISECCION && metodo != RFALSI && metodo != NEWTON) {
    cout << "Escribe 1, 2 o 3" << endl;
    // An unknown method is a usage error, not a completed search.
    return ARGUMENTO_INVALIDO;
  }
  busca(metodo, a, b, tol, maxiter);
  return 0;
}
