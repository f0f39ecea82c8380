#include "P3/polinomio/raices_exactas.h"

#include "P3/polinomio/comprueba_polinomio.h"

namespace raices {

std::optional<Respuesta> raices_exactas(const Expresion &f, const std::string &texto_a,
                                        const std::string &texto_b, double a, double b, double tol,
                                        bool demuestra) {
  const std::optional<raices::Polinomio> p = raices::polinomio_tecleado(f);
  if (!p && !f.nula()) return std::nullopt;
  Respuesta r;
  r.explorado = b;
  if (!p || p->nulo()) {
    r.tramos.push_back({a, 0.0, Clase::nula, a, b});
    return r;
  }
  r.demostrada = demuestra;
  for (const RaizExacta &z : p->raices(texto_a, texto_b, tol)) {
    // `exacta` where f is exactly 0 at the double x: a rational root that
    // is a double. 1/10 is known exactly, as its fraction says, but f is
    // not 0 at the double 0.1: that root is proven, not exact.
    const bool exacta = !z.fraccion.empty() && z.inf == z.x && z.sup == z.x;
    Hallazgo h{z.x,
               p->valor(z.x),
               clase_de_multiplicidad(z.multiplicidad),
               z.inf,
               z.sup,
               exacta ? Prueba::exacta : Prueba::demostrada,
               z.multiplicidad,
               z.fraccion};
    if (demuestra) h.certeza = exacta ? Certeza::exacta : Certeza::unica;
    r.raices.push_back(h);
  }
  return r;
}

} // namespace raices
