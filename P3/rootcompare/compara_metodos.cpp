// Each method of the table solved by the library's one search (resuelve.h),
// which stops it by its family's test and judges where it stopped:
//   bracketing: the final bracket is narrower than tol max(1, |x|);
//   open: the estimate moved less than tol max(1, |x|), or cannot move;
//   every method: f is exactly 0 at a starting point or the estimate.
// Here only the iterates are kept, as the observer sees them, for the
// table, the CSV and the picture.
#include "P3/rootcompare/compara_metodos.h"

#include <cmath>

#include "P3/metodos/metodos.h"

namespace raices {
namespace {

Resultado corre(const Problema &p, std::size_t m) {
  Resultado r;
  r.metodo = m;
  Criterio c;
  c.absoluta = c.relativa = p.tol;
  c.max_pasos = p.maxiter;
  c.comprueba = p.comprueba;
  // f for the report, outside the counts; a failed or stalled step moved nothing.
  const auto observa = [&](const Paso &paso) {
    const Iterado it{paso.paso, paso.x, p.f(paso.x), std::fabs(paso.x - paso.previo)};
    if (paso.paso == 0) {
      r.inicio = it;
    } else if (paso.estado == RAICES_CONTINUA || paso.estado == RAICES_EXITO) {
      r.iterados.push_back(it);
    }
  };
  const Solucion s = resuelve(m, p.f, p.df, p.a, p.b, c, observa);
  r.desenlace = s.desenlace;
  r.estado = s.estado;
  r.raiz = s.raiz;
  r.f_raiz = s.f_raiz;
  r.x_cierre = s.x_cierre;
  r.f_cierre = s.f_cierre;
  r.evals_f = s.evals_f;
  r.evals_df = s.evals_df;
  r.prueba = s.prueba;
  if (s.prueba == Prueba::refutada && p.f_bolas) r.f_bolas = p.f_bolas(s.raiz);
  r.fuera = s.desenlace == Desenlace::raiz && !(r.raiz >= p.a && r.raiz <= p.b);
  return r;
}

} // namespace

std::vector<Resultado> compara(const Problema &p) {
  std::vector<Resultado> resultados;
  for (std::size_t m = 0; m < NUM_METODOS; ++m) resultados.push_back(corre(p, m));
  return resultados;
}

const char *nombre(const Resultado &r) { return DESCRIPTORES[r.metodo].nombre; }
const char *clave(const Resultado &r) { return DESCRIPTORES[r.metodo].clave; }

} // namespace raices
