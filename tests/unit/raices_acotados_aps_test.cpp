// Every bracketing method of the table on the Alefeld-Potra-Shi problems and
// the classics: after every step F has no common strict sign at the two
// points the method reports (its estimate and the other end) and the bracket
// lies within the one before; every method but plain regula falsi closes it
// to the benchmark's width, within its limit of calls.
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

// Steps method m on p to the benchmark's rule; false when it stops short.
bool cierra_con_acotado(std::size_t m, const aps::Problema &p) {
  long llamadas = 0;
  auto F = [&](double x) { return ++llamadas, p(x); };
  raices::Busqueda s;
  s.tolerancia = aps::ANCHO;
  EXPECT_EQ(raices::inicia(m, F, p.a, p.b, s), RAICES_EXITO);
  double x = raices::estimacion(m, s), y = raices::otro(m, s);
  while (llamadas < aps::MAX_LLAMADAS) {
    const int status = raices::avanza(m, F, s);
    if (status == RAICES_EXITO) return p(raices::estimacion(m, s)) == 0;
    EXPECT_EQ(status, RAICES_CONTINUA);
    if (status != RAICES_CONTINUA) return false;
    const double x1 = raices::estimacion(m, s), y1 = raices::otro(m, s);
    EXPECT_FALSE(raices::detalle::mismo_signo(p(x1), p(y1))) << "[" << x1 << ", " << y1 << "]";
    EXPECT_TRUE(contiene(x, y, x1) && contiene(x, y, y1))
        << "[" << x1 << ", " << y1 << "] leaves [" << x << ", " << y << "]";
    x = x1, y = y1;
    if (aps::cerrado(x, y)) return true;
  }
  return false;
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
