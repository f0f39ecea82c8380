// rootbench: interactive root search with the step library, on fun (e_p3/func)
// or on a function typed with -f. Reads the interval, the relative precision,
// the iteration limit and the method; writes the parameter report, one table
// row per iteration and the root. Fatal conditions end the run through
// error() with their code.
#include <cmath>
#include <iomanip>
#include <iostream>

#include "P3/cierre.h"
#include "P3/consola/terminal.h"
#include "P3/expresion/expresion.h"
#include "P3/expresion/rechaza_expresion.h"
#include "P3/paradas.h"
#include "P3/raices.h"
#include "P3/rootbench/rootbench_lectura.h"
#include "P3/rootbench/rootbench_metodos.h"
#include "P3/rootbench/rootbench_opciones.h"
#include "Util/error.h"
#include "Util/matutil.h"
#include "Util/specfunc.h"
#include "e_p3/func.h"

using std::cin;
using std::cout;
using std::endl;

using namespace raices;

void escribe_parametros(double a, double b, double tol, int maxiter, int metodo) {
  cout << "Intervalo = [" << a << "," << b << "]" << endl;
  cout << "Tolerancia = " << tol << endl;
  cout << "max iter = " << maxiter << endl;
  cout << "m\xE9todo = " << endl;
  if (const OpcionBench *m = metodo_numero(metodo)) cout << m->nombre << endl;
}

// One row: iter, then a, raiz, b in fields of 12 at 8 significant digits.
// The precision stays set on standard output afterwards.
void escribe_tabla(double a, double b, double raiz, int iter) {
  cout << iter << "\t" << std::setprecision(8) << std::setw(12) << a << "\t  " << std::setw(12)
       << raiz << "\t  " << std::setw(12) << b << endl;
}

template <typename Fn>
static bool cierra_en_cero(const Fn &f, double a, double b, const Busqueda &e) {
  const Punto p = cierra(f, e.a, e.b);
  return residuo_no_crece(p.fx, f(a), f(b));
}

// After a bracketing search that ended by its tolerance: the final bracket
// must close on a zero, not on a pole or a jump. It is halved on to the last
// doubles, out of sight; |f| there above |f| at both typed ends means that
// f does not vanish at the point found.
static void comprueba_cero(const Objetivo &o, double a, double b, const Busqueda &e) {
  const bool cero = o.f_compilada != nullptr ? cierra_en_cero(o.f_compilada, a, b, e)
                                             : cierra_en_cero(o.f, a, b, e);
  if (!cero)
    error("error en la ra\xEDz: f no se anula en el punto hallado (posible polo o "
          "discontinuidad)",
          SINGULARIDAD);
}

// The search loop shared by the methods. It runs until a step hits the root
// exactly (bracketing methods only), the change falls below tol, or the
// iteration limit ends the run; the limit is tested after each row, so
// converging on the last allowed iteration still counts as exceeding it.
static void busca(const OpcionBench &m, const Objetivo &o, double a, double b, double tol,
                  int maxiter) {
  Busqueda e;
  e.a = a; // Newton leaves the typed ends in the table's columns
  e.b = b;
  int status = inicia(m, o, a, b, e);
  if (status != RAICES_EXITO) error(m.mensaje_inicio, status);

  const bool acotado = DESCRIPTORES[m.metodo].familia == Familia::acotado;
  double raiz_previa = a; // Newton's raiz is a at this point too
  int iter = 0;
  bool por_tolerancia = false;
  status = RAICES_CONTINUA;
  while (status == RAICES_CONTINUA) {
    ++iter;
    status = avanza(m, o, e);
    const bool exacta = acotado && status == RAICES_EXITO;
    if (exacta) cout << "El m\xE9todo converge exactamente" << endl;
    if (status != RAICES_CONTINUA && !exacta) error("error en la iteraci\xF3n", status);
    if (status == RAICES_CONTINUA && bajo_tolerancia(m, e, raiz_previa, tol)) {
      status = RAICES_EXITO;
      por_tolerancia = true;
      cout << " El m\xE9todo ha convergido por debajo de la tolerancia" << endl;
    }
    escribe_tabla(e.a, e.b, e.raiz, iter);
    if (iter >= maxiter) error("excede n\xFAmero m\xE1ximo de iteraciones", MAX_ITERACIONES);
    raiz_previa = e.raiz;
  }
  cout << " La ra\xEDz es " << std::setw(12) << std::setprecision(8) << e.raiz << endl;
  cout << " N\xFAmero de iteraciones empleado " << iter << endl;
  if (acotado && por_tolerancia) comprueba_cero(o, a, b, e);
}

// A typed f' that is clearly not the derivative of f on [a, b]: one line on
// standard error, and the search goes on.
static void avisa_derivada(const Funciones *tecleadas, double a, double b) {
  if (tecleadas == nullptr) return;
  const std::string aviso = aviso_derivada(*tecleadas, a, b);
  if (!aviso.empty()) std::cerr << aviso << endl;
}

// The dialogue, the report and the search on o (typed by the user when
// tecleadas is not null).
static int dialogo(const Objetivo &o, const Funciones *tecleadas = nullptr) {
  double a = 0, b = 3, epsrel = 0.01;
  int maxiter = 100, metodo = 1;

  cout << "Introduzca extremos del intervalo [a,b]" << endl;
  cout << "a? ";
  lee(a);
  cout << "b? ";
  lee(b);
  if (a > b) error("error en el intervalo: a > b", ARGUMENTO_INVALIDO);
  cout << "Precisi\xF3n relativa? ";
  lee(epsrel);
  cout << "M\xE1ximo n\xFAmero de iteraciones ?  ";
  lee(maxiter);
  cout << "Introduzca m\xE9todo (1 = bisecci\xF3n, 2 = rfalsi, 3 = newton)" << endl;
  cout << "Metodo? ";
  lee(metodo);
  if (epsrel < 0) error("La precisi\xF3n relativa requerida es negativa", TOLERANCIA_INVALIDA);
  avisa_derivada(tecleadas, a, b);

  // Scale: the interval's width or its midpoint's magnitude, the larger.
  double tol = maximo(std::fabs(b - a), std::fabs(a + b) / 2) * epsrel;
  escribe_parametros(a, b, tol, maxiter, metodo);
  const OpcionBench *m = metodo_numero(metodo);
  if (m == nullptr) {
    cout << "Escribe 1, 2 o 3" << endl;
    // An unknown method is a usage error, not a completed search.
    return ARGUMENTO_INVALIDO;
  }
  busca(*m, o, a, b, tol, maxiter);
  return 0;
}

int main(int argc, char *argv[]) {
  adapta_terminal();
  const Opciones opciones = lee_opciones(argc, argv);
  if (opciones.funcion == nullptr) return dialogo(Objetivo{fun, Dfun, nullptr, nullptr});

  // A typed function: checked whole before the first prompt.
  const Funciones tecleadas = funciones_tecleadas(opciones.funcion, opciones.derivada);
  cout << "f(x) = " << tecleadas.f.texto() << endl;
  cout << "f'(x) = " << tecleadas.df.texto()
       << (tecleadas.derivada_calculada ? " (derivada calculada)" : " (derivada dada)") << endl;
  return dialogo(Objetivo{nullptr, nullptr, [&tecleadas](double x) { return tecleadas.f(x); },
                          [&tecleadas](double x) { return tecleadas.df(x); }},
                 &tecleadas);
}
