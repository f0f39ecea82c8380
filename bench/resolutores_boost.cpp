// Whole solves with Boost.Math's root finders. bisect and toms748_solve take
// the common stopping rule as their test on the bracket, and their estimate
// is the middle of the bracket they return. newton_raphson_iterate
// takes only its own relative test, |step| <= 2^(1-digits) |x|, given the
// digits that make it about TOL. Boost reports failures by exceptions.
#include <cfloat>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include <boost/math/tools/roots.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include "resolutores.h"

namespace resolutores {

namespace {

constexpr int DIGITOS = 34; // 2^-33 = 1.16e-10

struct Parada {
  const Contador *k;
  bool operator()(double a, double b) const { return k->f_ultimo == 0 || cerca(a, b); }
};

template <typename Solve> Resultado acotado(const casos::Caso &c, Solve solve) {
  Resultado r;
  Contador k{c, r};
  std::uintmax_t pasos = MAX_PASOS;
  try {
    const std::pair<double, double> ab =
        solve([&k](double x) { return k.F(x); }, Parada{&k}, pasos);
    r.x = ab.first + (ab.second - ab.first) / 2;
    r.para = Parada{&k}(ab.first, ab.second);
  } catch (const std::exception &) {
    pasos = 0;
  }
  r.pasos = static_cast<int>(pasos);
  return r;
}

} // namespace

Resultado boost_bisect(const casos::Caso &c) {
  return acotado(c, [&c](auto F, Parada p, std::uintmax_t &pasos) {
    return boost::math::tools::bisect(F, c.a, c.b, p, pasos);
  });
}

// max_iter of toms748_solve counts calls of F, its two first ones included.
Resultado boost_toms748(const casos::Caso &c) {
  return acotado(c, [&c](auto F, Parada p, std::uintmax_t &pasos) {
    pasos += 2;
    return boost::math::tools::toms748_solve(F, c.a, c.b, p, pasos);
  });
}

Resultado boost_newton(const casos::Caso &c) {
  Resultado r;
  Contador k{c, r};
  std::uintmax_t pasos = MAX_PASOS;
  try {
    r.x = boost::math::tools::newton_raphson_iterate(
        [&k](double x) { return std::make_pair(k.F(x), k.dF(x)); }, c.x0, -DBL_MAX, DBL_MAX,
        DIGITOS, pasos);
    r.para = pasos < MAX_PASOS;
  } catch (const std::exception &) {
    pasos = 0;
  }
  r.pasos = static_cast<int>(pasos);
  return r;
}

} // namespace resolutores
