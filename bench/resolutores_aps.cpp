// Solves of the Alefeld-Potra-Shi problems: the table's bracketing methods
// and Boost.Math's toms748_solve, each counting its calls of F.
#include "resolutores_aps.h"

#include <cstdint>
#include <stdexcept>
#include <utility>

#include <boost/math/tools/toms748_solve.hpp>

#include "P3/raices.h"

namespace aps {

namespace {

struct Contada {
  const Problema *p;
  Cuenta *c;
  double *ultimo; // F at the last point
  double operator()(double x) const {
    ++c->llamadas;
    return *ultimo = (*p)(x);
  }
};

} // namespace

Cuenta con_metodo(std::size_t m, const Problema &p) {
  Cuenta c;
  double ultimo = NAN;
  const Contada F{&p, &c, &ultimo};
  const auto s = raices::resuelve(m, F, p.a, p.b, criterio(m));
  c.x = s.raiz;
  c.resuelto = s.desenlace == raices::Desenlace::raiz && s.motivo != raices::Motivo::estancada &&
               c.llamadas <= MAX_LLAMADAS;
  return c;
}

// max_iter of toms748_solve counts calls of F, its two first ones included.
Cuenta con_toms748(const Problema &p) {
  Cuenta c;
  double ultimo = NAN;
  const Contada F{&p, &c, &ultimo};
  const auto regla = [&ultimo](double a, double b) { return ultimo == 0 || cerrado(a, b); };
  std::uintmax_t llamadas = MAX_LLAMADAS;
  try {
    const std::pair<double, double> ab =
        boost::math::tools::toms748_solve(F, p.a, p.b, regla, llamadas);
    c.x = ab.first + (ab.second - ab.first) / 2;
    c.resuelto = regla(ab.first, ab.second);
  } catch (const std::exception &) {
    c.resuelto = false;
  }
  return c;
}

} // namespace aps
