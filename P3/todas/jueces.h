// The judges of the search for every root on doubles: what ball arithmetic,
// or any other judge the caller has, says where the doubles cannot tell.
#ifndef RAICES_JUECES_H
#define RAICES_JUECES_H

#include <functional>

#include "../busqueda/prueba.h"

namespace raices {

// What ball arithmetic (or any other judge the caller has) says where the
// doubles cannot tell; each may be empty. jueces_de_bolas.h builds them from
// a callable that runs on balls.
struct Jueces {
  // F(x) where its double v lies below its own rounding error: a value of
  // the true sign (0 only when F(x) is exactly 0, or no sign can be told),
  // as accurate as the balls give it, never 0 by underflow; v where the
  // balls cannot bound F at x.
  std::function<double(double x, double v)> precisa;
  // The rounding error of F(x) in doubles: the radius of its 53-bit ball.
  std::function<double(double x)> ruido;
  // What is proven of a root reported at x, within delta.
  std::function<Prueba(double x, double delta)> comprueba;
  // F' on [l, r]: 1 proven away from 0, 0 not, -1 not bounded.
  std::function<int(double l, double r)> pendiente;
  // F proven nonzero on all of [l, r]; F bounded (and so continuous) on it.
  std::function<bool(double l, double r)> sin_cero, acotada;
};

} // namespace raices

#endif
