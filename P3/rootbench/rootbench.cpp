// rootbench: interactive root search with the step library, on fun (e_p3/func)
// or on a function typed with -f. Reads the interval, the relative precision,
// the iteration limit and the method; writes the parameter report, one table
// row per iteration and the root. Fatal conditions end the run through
// error() with their code.
#include <cmath>
#include <functional>
#include <iomanip>
#include <iostream>
#include <optional>

#include "P3/bolas/comprueba_raiz.h"
#include "P3/consola/parametros.h"
#include "P3/consola/rechaza_expresion.h"
#include "P3/consola/terminal.h"
#include "P3/expresion/expresion.h"
#include "P3/polinomio/comprueba_polinomio.h"
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

// The context of error() for a search that stopped where f has no zero.
static const char *contexto_falso(int estado) {
  if (estado == NO_ALCANZA)
    return "error en la ra\xEDz: f no se anula a menos de la tolerancia del punto hallado";
  if (estado == SINGULARIDAD)
    return "error en la ra\xEDz: f no se anula en el punto hallado (posible polo o "
           "discontinuidad)";
  return "error en la ra\xEDz: f no se anula en el punto hallado";
}

// The search, through the library's: one row per step, written as the
// observer sees it. The verdict is known when the row's stopping test holds,
// so the convergence line is written only over a root; any other verdict
// ends the run with its error after the last row. The iteration limit is
// tested after each row, so converging on the last allowed iteration still
// counts as exceeding it.
static void busca(const OpcionBench &m, const Objetivo &o, double a, double b, double tol,
                  int maxiter) {
  double raiz = 0;
  const auto observa = [&raiz, &m, a, b](const Paso &paso) {
    if (paso.paso == 0 || paso.sol.desenlace == Desenlace::falla) return;
    if (paso.ultimo && paso.sol.desenlace == Desenlace::raiz) {
      if (paso.sol.motivo == Motivo::exacta) cout << "El m\xE9todo converge exactamente" << endl;
      if (paso.sol.motivo == Motivo::tolerancia)
        cout << " El m\xE9todo ha convergido por debajo de la tolerancia" << endl;
    }
    // A bracketing method's row shows its bracket, Newton's the interval typed.
    raiz = estimacion(m.metodo, paso.s);
    const EstadoTramo *t = tramo(paso.s);
    escribe_tabla(t != nullptr ? t->a : a, t != nullptr ? t->b : b, raiz, paso.paso);
  };
  const Solucion s = resuelve(m, o, a, b, tol, maximo(maxiter, 1), observa);
  switch (s.desenlace) {
  case Desenlace::no_arranca: error(m.mensaje_inicio, s.estado);
  case Desenlace::falla: error("error en la iteraci\xF3n", s.estado);
  case Desenlace::limite: error("excede n\xFAmero m\xE1ximo de iteraciones", MAX_ITERACIONES);
  case Desenlace::raiz: break;
  default: error(contexto_falso(s.estado), s.estado);
  }
  if (s.pasos >= maxiter) error("excede n\xFAmero m\xE1ximo de iteraciones", MAX_ITERACIONES);
  cout << " La ra\xEDz es " << std::setw(12) << std::setprecision(8) << raiz << endl;
  cout << " N\xFAmero de iteraciones empleado " << s.pasos << endl;
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
  const Funciones tecleadas =
      funciones_tecleadas(opciones.funcion, opciones.derivada, opciones.parametros);
  cout << "f(x) = " << tecleadas.f.texto() << describe_parametros(opciones.parametros) << endl;
  cout << "f'(x) = " << tecleadas.df.texto()
       << (tecleadas.derivada_calculada ? " (derivada calculada)" : " (derivada dada)") << endl;
  // Every root found is checked on balls within the tolerance; that of a
  // polynomial, against its exact roots.
  std::optional<raices::Polinomio> polinomio;
  try {
    polinomio = raices::polinomio_tecleado(tecleadas.f);
  } catch (const ErrorExpresion &e) {
    rechaza_expresion(e);
  }
  std::function<raices::Prueba(double, double)> comprueba = [&tecleadas](double x, double delta) {
    return comprueba_raiz(tecleadas.f, x, delta);
  };
  if (polinomio)
    comprueba = [&polinomio](double x, double delta) {
      return raices::comprueba_polinomio(*polinomio, x, delta).prueba;
    };
  return dialogo(Objetivo{nullptr, nullptr, [&tecleadas](double x) { return tecleadas.f(x); },
                          [&tecleadas](double x) { return tecleadas.df(x); }, comprueba},
                 &tecleadas);
}
