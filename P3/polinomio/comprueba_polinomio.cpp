#include "P3/polinomio/comprueba_polinomio.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "P3/expresion/expresion.h"

namespace raices {

Comprobacion comprueba_polinomio(const Polinomio &p, double x, double delta) {
  if (p.nulo()) return {Prueba::exacta, 0};
  if (!std::isfinite(x)) return {Prueba::refutada, 0};
  const double d = std::isfinite(delta) ? std::fabs(delta) : 0.0;
  const std::vector<RaizExacta> cerca = p.raices(x - d, x + d, 0.0);
  if (cerca.empty()) return {Prueba::refutada, 0};
  const RaizExacta *mejor = &cerca.front();
  for (const RaizExacta &r : cerca)
    if (std::fabs(r.x - x) < std::fabs(mejor->x - x)) mejor = &r;
  const bool cero = mejor->inf == x && mejor->sup == x;
  return {cero ? Prueba::exacta : Prueba::demostrada, mejor->multiplicidad};
}

std::optional<Polinomio> polinomio_tecleado(const ::Expresion &f) {
  try {
    return polinomio_de(f);
  } catch (const ErrorPolinomio &error) {
    throw ErrorExpresion{"error en la expresi\xF3n de f: " + error.mensaje};
  }
}

std::string describe_raices(const Polinomio &p, const std::string &a, const std::string &b,
                            double tol) {
  std::string texto;
  for (const RaizExacta &r : p.raices(a, b, tol)) {
    char x[32];
    (void)std::snprintf(x, sizeof x, "%.17g", r.x);
    texto += (texto.empty() ? "" : ", ") + (r.fraccion.empty() ? std::string(x) : r.fraccion) +
             " (multiplicidad " + std::to_string(r.multiplicidad) + ")";
  }
  return texto.empty() ? "ninguna" : texto;
}

} // namespace raices
