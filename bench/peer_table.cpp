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
#include <cstddef>
#include <cstdio>
#include <functional>
#include <iterator>
#include <utility>

#include "P3/metodos/metodos.h"
#include "casos.h"
#include "resolutores.h"

using casos::Caso;
using resolutores::Resultado;

static bool resuelto(const Resultado &r, const Caso &c) {
  return r.para && std::fabs(r.x - c.raiz) <= c.radio * std::fmax(1.0, std::fabs(c.raiz));
}

using Resuelve = std::function<Resultado(const Caso &)>;

static void celda(const Resuelve &resuelve, const Caso &c, int &resueltos) {
  if (!resuelve) {
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

// Every method of the table, each beside its counterparts.
int main() {
  for (std::size_t m = 0; m < raices::NUM_METODOS; ++m) {
    const resolutores::Pares p = resolutores::pares(raices::DESCRIPTORES[m].clave);
    const Resuelve nuestro = [m](const Caso &c) { return resolutores::nuestro(m, c); };
    const Resuelve gsl = p.gsl != nullptr ? Resuelve(p.gsl) : Resuelve();
    const Resuelve boost = p.boost != nullptr ? Resuelve(p.boost) : Resuelve();
    std::printf("\n### %s\n\n| case | ours | GSL %s | Boost %s |\n|---|---|---|---|\n",
                raices::DESCRIPTORES[m].clave, p.nombre_gsl != nullptr ? p.nombre_gsl : "(none)",
                p.nombre_boost != nullptr ? p.nombre_boost : "(none)");
    int nuestros = 0, de_gsl = 0, de_boost = 0;
    for (const Caso &c : casos::CASOS) {
      std::printf("| %s |", c.nombre);
      celda(nuestro, c, nuestros);
      celda(gsl, c, de_gsl);
      celda(boost, c, de_boost);
      std::printf("\n");
    }
    const int n = static_cast<int>(std::size(casos::CASOS));
    std::printf("| solved | %d/%d |", nuestros, n);
    for (const auto &[par, resueltos] : {std::pair{&gsl, de_gsl}, std::pair{&boost, de_boost}}) {
      if (*par) {
        std::printf(" %d/%d |", resueltos, n);
      } else {
        std::printf(" – |");
      }
    }
    std::printf("\n");
  }
  return 0;
}
