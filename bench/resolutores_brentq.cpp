// Solves of the Alefeld-Potra-Shi problems by the brentq transcription,
// counting its calls of F as the other solvers' are counted.
#include "brentq.h"
#include "resolutores_aps.h"

namespace aps {

Cuenta con_brentq(const Problema &p, bool comun) {
  Cuenta c;
  const auto F = [&p, &c](double x) { return ++c.llamadas, p(x); };
  const int limite = static_cast<int>(MAX_LLAMADAS) - 2;
  const auto regla = [](double, double, double xcur, double xblk) { return cerrado(xcur, xblk); };
  const brentq::Resultado r =
      comun ? brentq::resuelve(F, p.a, p.b, ANCHO, 4 * DBL_EPSILON, limite, regla)
            : brentq::resuelve(F, p.a, p.b, ANCHO, 4 * DBL_EPSILON, limite);
  c.x = r.x;
  c.resuelto = r.converge;
  return c;
}

} // namespace aps
