// Whole solves with the step library's one search (resuelve.h), stopped by
// the rule's tests and left unjudged: the benchmark times the methods' own
// work. F and dF are counting functors, so the template forms of the step
// functions are the ones called.
#include "P3/raices.h"
#include "resolutores.h"

namespace resolutores {

Resultado nuestro(std::size_t m, const casos::Caso &c) {
  Resultado r;
  Contador k{c, r};
  const Contada F{&k};
  const ContadaD dF{&k};
  const raices::Descriptor &d = raices::DESCRIPTORES[m];
  const bool abierto = d.familia == raices::Familia::abierto;
  const double a = abierto ? c.x0 : c.a;
  const double b = abierto ? segundo_punto(c.x0) : c.b;
  raices::Criterio criterio;
  criterio.absoluta = criterio.relativa = TOL; // TOL max(1, |x|)
  criterio.max_pasos = MAX_PASOS;
  criterio.ceros_exactos = false;
  criterio.juzga = false;
  const raices::Solucion s = raices::resuelve(m, F, dF, a, b, criterio);
  r.x = s.raiz;
  r.pasos = s.pasos;
  // A step that cannot move ends the search, short of the rule.
  r.para = s.desenlace == raices::Desenlace::raiz && s.motivo != raices::Motivo::estancada;
  return r;
}

} // namespace resolutores
