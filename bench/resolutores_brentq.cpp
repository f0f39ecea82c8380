// Solves of the Alefeld-Potra-Shi problems by the brentq transcription,
// counting its calls of F as the other solvers' are counted.
#include "brentq.h"
#include "resolutores_aps.h"

namespace aps {

Cuenta con_brentq(const Problema &p) {
  Cuenta c;
  const auto F = [&p, &c](double x) { return ++c.llamadas, p(x); };
  const brentq::Resultado r =
      brentq::resuelve(F, p.a, p.b, ANCHO, 4 * DBL_EPSILON, static_cast<int>(MAX_LLAMADAS) - 2);
  c.x = r.x;
  c.resuelto = r.converge;
  return c;
}

} // namespace aps
