// Convergence and calls of F (and dF) of each of our methods beside its GSL
// and Boost.Math counterparts, on every test case, as Markdown tables.
//
// A case counts as solved when the solver stopped by the common rule (not
// by a failure or the step limit) within radio max(1, |root|) of the known
// root. A cell gives the calls of F (+ calls of dF) and the outcome:
// "ok" solved, "far" stopped away from the root, "limit" step limit reached,
// "fail" failure status (or exception); for the latter three, the final x
// and its error.
#include <cmath>
#include <cstdio>
#include <iterator>

#include "casos.h"
#include "resolutores.h"

using casos::Caso;
using resolutores::Resultado;

static bool resuelto(const Resultado &r, const Caso &c) {
  return r.para && std::fabs(r.x - c.raiz) <= c.radio * std::fmax(1.0, std::fabs(c.raiz));
}

static void celda(resolutores::Resolutor resuelve, const Caso &c, int &resueltos) {
  if (resuelve == nullptr) {
    std::printf(" – |");
    return;
  }
  const Resultado r = resuelve(c);
  const bool bien = resuelto(r, c);
  resueltos += bien ? 1 : 0;
  if (r.df > 0) {
    std::printf(" %ld+%ld", r.f, r.df);
  } else {
    std::printf(" %ld", r.f);
  }
  if (bien) {
    std::printf(" ok |");
  } else {
    const char *motivo = r.para ? "far" : r.pasos >= resolutores::MAX_PASOS ? "limit" : "fail";
    std::printf(" %s, x = %.3g (error %.1e) |", motivo, r.x, r.x - c.raiz);
  }
}

int main() {
  for (const resolutores::Metodo &m : resolutores::METODOS) {
    std::printf("\n### %s\n\n| case | ours | GSL %s | Boost %s |\n|---|---|---|---|\n", m.nombre,
                m.nombre_gsl, m.nombre_boost != nullptr ? m.nombre_boost : "(none)");
    int nuestro = 0, gsl = 0, boost = 0;
    for (const Caso &c : casos::CASOS) {
      std::printf("| %s |", c.nombre);
      celda(m.nuestro, c, nuestro);
      celda(m.gsl, c, gsl);
      celda(m.boost, c, boost);
      std::printf("\n");
    }
    const int n = static_cast<int>(std::size(casos::CASOS));
    std::printf("| solved | %d/%d | %d/%d |", nuestro, n, gsl, n);
    if (m.boost != nullptr) {
      std::printf(" %d/%d |\n", boost, n);
    } else {
      std::printf(" – |\n");
    }
  }
  return 0;
}
