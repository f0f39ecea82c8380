#include "P3/polinomio/raices_exactas.h"

#include "P3/polinomio/comprueba_polinomio.h"

namespace raices {

namespace {

raices::Clase clase(int multiplicidad) {
  if (multiplicidad == 1) return raices::Clase::simple;
  return multiplicidad % 2 == 0 ? raices::Clase::par : raices::Clase::impar;
}

} // namespace

std::optional<RespuestaExacta> raices_exactas(const Expresion &f, const std::string &texto_a,
                                              const std::string &texto_b, double a, double b,
                                              double tol, bool demuestra) {
  const std::optional<raices::Polinomio> p = raices::polinomio_tecleado(f);
  if (!p && !f.nula()) return std::nullopt;
  RespuestaExacta r;
  r.e.explorado = b;
  if (!p || p->nulo()) {
    r.e.tramos.push_back({a, 0.0, raices::Clase::nula, a, b});
    return r;
  }
  for (const raices::RaizExacta &z : p->raices(texto_a, texto_b, tol)) {
    // `exacta` where f is exactly 0 at the double x: a rational root that
    // is a double. 1/10 is known exactly, as its fraction says, but f is
    // not 0 at the double 0.1: that root is proven, not exact.
    const bool exacta = !z.fraccion.empty() && z.inf == z.x && z.sup == z.x;
    r.e.raices.push_back({z.x, p->valor(z.x), clase(z.multiplicidad), z.inf, z.sup,
                          exacta ? raices::Prueba::exacta : raices::Prueba::demostrada,
                          z.multiplicidad, z.fraccion});
  }
  if (demuestra) {
    raices::Demostracion d;
    for (const raices::Hallazgo &h : r.e.raices)
      d.raices.push_back(
          {h.x, h.inf, h.sup,
           h.prueba == raices::Prueba::exacta ? raices::Certeza::exacta : raices::Certeza::unica,
           h.multiplicidad, h.fraccion});
    d.explorado = b;
    r.d = d;
  }
  return r;
}

} // namespace raices
