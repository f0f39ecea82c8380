// The methods of rootbench, one row each: what the dialogue, the report and
// the search loop need to know about a method. Adding a method adds a row.
#ifndef P3_ROOTBENCH_METODOS_H
#define P3_ROOTBENCH_METODOS_H

#include <functional>

#include "Util/matutil.h"

// The function searched and its derivative (used by Newton only): fun and
// Dfun as func pointers, which go to the library's compiled forms, or a
// typed function and its derivative as callables (compilada == nullptr).
struct Objetivo {
  func f_compilada;
  func df_compilada;
  std::function<double(double)> f;
  std::function<double(double)> df;
};

// The search state, as the step functions read and write it.
struct Estado {
  double a;
  double b;
  double raiz = 0;
  double f_raiz = 0;
  double df_raiz = 0;
};

struct Metodo {
  const char *nombre;         // line of the parameter report
  const char *mensaje_inicio; // context of error() when the start call fails
  int (*inicia)(const Objetivo &o, Estado &e);
  int (*paso)(const Objetivo &o, Estado &e);
  // A bracketing step reports an exact root with status 0; the others never
  // return 0 from a step.
  bool acotado;
  // The change compared with the tolerance after a step.
  double (*cambio)(const Estado &e, double raiz_previa);
};

// The method of the number the user typed (1, 2, 3), or nullptr.
const Metodo *metodo_numero(int numero);

#endif
