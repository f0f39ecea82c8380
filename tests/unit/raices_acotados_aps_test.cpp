// Every bracketing method of the table on the Alefeld-Potra-Shi problems and
// the classics, through the library's search: after every step F has no
// common strict sign at the two points the method reports (its estimate and
// the other end) and the bracket lies within the one before; every method
// but plain regula falsi closes it to the benchmark's width, within its
// limit of calls, and the verdict finds the root there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "P3/raices.h"
#include "bench/problemas_aps.h"
#include "bench/resolutores_aps.h"

namespace {

bool contiene(double a, double b, double x) { return std::fmin(a, b) <= x && x <= std::fmax(a, b); }

// Solves p by method m under the benchmark's rule, judged: true when it
// stops on a root within the limit of calls. Every step keeps a sign change
// within the bracket before it.
bool cierra_con_acotado(std::size_t m, const aps::Problema &p) {
  long llamadas = 0;
  auto F = [&](double x) { return ++llamadas, p(x); };
  double x = p.a, y = p.b;
  const auto observa = [&](const raices::Paso &paso) {
    if (paso.estado != RAICES_CONTINUA) return;
    const double x1 = paso.x, y1 = raices::otro(m, paso.s);
    EXPECT_FALSE(raices::detalle::mismo_signo(p(x1), p(y1))) << "[" << x1 << ", " << y1 << "]";
    EXPECT_TRUE(contiene(x, y, x1) && contiene(x, y, y1))
        << "[" << x1 << ", " << y1 << "] leaves [" << x << ", " << y << "]";
    x = x1, y = y1;
  };
  raices::Criterio c = aps::criterio(m);
  c.juzga = true;
  const raices::Solucion s = raices::resuelve(m, F, p.a, p.b, c, observa);
  // Every problem has a root: a stop is never a singular point.
  EXPECT_NE(s.desenlace, raices::Desenlace::singularidad) << "at " << s.raiz;
  EXPECT_NE(s.desenlace, raices::Desenlace::falla) << s.estado;
  return s.desenlace == raices::Desenlace::raiz && s.evals_f <= aps::MAX_LLAMADAS;
}

TEST(TablaAcotados, KeepTheBracketAndCloseItOnTheTestSet) {
  const auto problemas = aps::problemas();
  ASSERT_EQ(std::count_if(problemas.begin(), problemas.end(), [](auto &p) { return p.k != 0; }),
            aps::NUM_APS);
  for (std::size_t m = 0; m < raices::NUM_METODOS; ++m) {
    const raices::Descriptor &d = raices::DESCRIPTORES[m];
    if (d.familia != raices::Familia::acotado) continue;
    SCOPED_TRACE(d.clave);
    // Plain regula falsi keeps one end for ever on convex F: no promise.
    const bool promete = std::strcmp(d.clave, "regula_falsi") != 0;
    for (const aps::Problema &p : problemas) {
      SCOPED_TRACE(p.nombre);
      const bool cerrado = cierra_con_acotado(m, p);
      EXPECT_TRUE(cerrado || !promete);
    }
  }
}

} // namespace
