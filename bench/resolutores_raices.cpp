// Whole solves with the step library, through its table of methods: the
// start function, then the step function while it returns RAICES_CONTINUA
// and the stopping rule does not hold. F and dF are counting functors, so
// the template forms of the step functions are the ones called.
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
  raices::Busqueda s;
  s.tolerancia = TOL; // the rule's absolute part
  if (raices::inicia(m, F, dF, a, b, s) != RAICES_EXITO) return r;
  while (r.pasos < MAX_PASOS) {
    ++r.pasos;
    const int status = raices::avanza(m, F, dF, s);
    r.x = raices::estimacion(m, s);
    if (status == RAICES_EXITO || (status == RAICES_CONTINUA && cerca(r.x, raices::otro(m, s)))) {
      r.para = true;
      return r;
    }
    if (status != RAICES_CONTINUA) return r;
  }
  return r;
}

} // namespace resolutores
