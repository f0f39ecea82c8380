// Every method of the step library on one problem, under one stopping rule,
// with the iterates and the evaluation counts of each: the data behind
// rootcompare's table, CSV and picture.
#ifndef P3_COMPARA_METODOS_H
#define P3_COMPARA_METODOS_H

#include <functional>
#include <vector>

#include "P3/estados.h"

using Funcion = std::function<double(double)>;

struct Problema {
  Funcion f, df;
  double a, b; // bracketing methods on [a, b]; Newton and Steffensen from a;
               // secant from a and b
  double tol;  // the change test: |x_k - x_(k-1)| < tol * max(1, |x_k|)
  int maxiter; // steps allowed to each method
};

// One step's estimate. fx is evaluated for the report, outside the counts.
struct Iterado {
  int paso;      // 1, 2, ...
  double x;      // the method's estimate after the step
  double fx;     // f(x)
  double cambio; // |x - previous estimate|; the first step's previous
                 // estimate is a (secant: b)
};

enum class Desenlace {
  CONVERGE,    // change below tolerance, or f exactly 0 at the estimate
  NO_ARRANCA,  // the start function failed (estado says why)
  FALLA,       // a step failed (estado says why)
  NO_CONVERGE, // maxiter steps without meeting the stopping rule
};

struct Resultado {
  const char *nombre = ""; // Latin-1
  Desenlace desenlace = Desenlace::NO_ARRANCA;
  int estado = 0; // library status of the failure; 11 when out of steps
  long evals_f = 0, evals_df = 0;
  std::vector<Iterado> iterados;
};

// Bisection, regula falsi, Illinois, Brent, secant, Newton and Steffensen,
// in that order.
std::vector<Resultado> compara(const Problema &p);

#endif
