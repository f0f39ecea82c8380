// Every method of the step library's table on one problem, each stopped by
// the test that fits its family and judged by one residual test, with the
// iterates and the evaluation counts of each: the data behind rootcompare's
// table, CSV and picture.
#ifndef P3_COMPARA_METODOS_H
#define P3_COMPARA_METODOS_H

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "P3/busqueda/prueba.h"
#include "P3/busqueda/resuelve.h"
#include "P3/metodos/estados.h"

namespace raices {

using FuncionReal = std::function<double(double)>;

struct Problema {
  FuncionReal f, df;
  double a, b; // bracketing methods on [a, b]; the others start as the table says
  double tol;  // both stopping tests are tol * max(1, |x|)
  int maxiter; // steps allowed to each method
  // What balls prove of a root x within delta, and f(x) as they compute it
  // (for the note of a refuted root); empty: no check, and every prueba is
  // sin_demostrar.
  std::function<Prueba(double x, double delta)> comprueba{};
  std::function<std::string(double x)> f_bolas{};
  // f a polynomial, checked against its exact roots (comprueba then says
  // so): those in [a, b] with their multiplicities, for the notes
  // ("1/10 (multiplicidad 2)"); empty otherwise.
  std::string exactas{};
};

// One step's estimate. fx is evaluated for the report, outside the counts.
struct Iterado {
  int paso;      // 0 for the starting estimate, then 1, 2, ...
  double x;      // the method's estimate after the step
  double fx;     // f(x)
  double cambio; // |x - previous estimate|; 0 at step 0
};

struct Resultado {
  std::size_t metodo = 0;                      // row of the method table
  Desenlace desenlace = Desenlace::no_arranca; // the library's verdict
  int estado = 0;                              // outcome code: 0 when it converges, else the status
  bool fuera = false;                          // converged outside [a, b]
  double raiz = 0;     // the answer: a bracketing method's final end with the
  double f_raiz = 0;   // smaller |f|, an open method's last estimate; f there
  double x_cierre = 0; // where the residual test looked: the final bracket
  double f_cierre = 0; // closed to neighbouring doubles, else raiz
  long evals_f = 0, evals_df = 0;
  Prueba prueba = Prueba::sin_demostrar; // what balls prove of raiz, when checked
  std::string f_bolas;                   // f(raiz) by balls, for a refuted root
  Iterado inicio{};                      // the starting estimate, step 0
  std::vector<Iterado> iterados;         // one per step taken
};

// The methods of the table, in its order.
std::vector<Resultado> compara(const Problema &p);

// Name (Latin-1) and ASCII key of the method of r.
const char *nombre(const Resultado &r);
const char *clave(const Resultado &r);

} // namespace raices

#endif
