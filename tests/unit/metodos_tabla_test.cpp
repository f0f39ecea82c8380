// The table's dispatch on Busqueda against the search's own: for every row,
// raices::inicia and raices::avanza give the estimates, step by step, that
// the search's observer sees, with the tolerance passed to the method; the
// state holds that row's Estado; a row whose state is an EstadoTramo shows
// its estimate in it; another row reads no estimate from it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <vector>

#include "P3/raices.h"

namespace {

TEST(TablaDeMetodos, CadaFilaSobreSuEstadoComoLaBusqueda) {
  const auto F = [](double x) { return x * x * x - 2 * x - 5; };
  const auto dF = [](double x) { return 3 * x * x - 2; };
  const double a = 2, b = 3, ancho = 1e-9;
  for (std::size_t m = 0; m < raices::NUM_METODOS; ++m) {
    SCOPED_TRACE(raices::DESCRIPTORES[m].clave);
    raices::Criterio c;
    c.absoluta = ancho;
    c.ceros_exactos = false;
    std::vector<double> vistos;
    const auto observa = [&](const raices::Paso &paso) {
      EXPECT_EQ(paso.s.estado.index(), m);
      if (paso.paso > 0) vistos.push_back(raices::estimacion(m, paso.s));
    };
    raices::resuelve(m, F, dF, a, b, c, observa);
    ASSERT_FALSE(vistos.empty());

    raices::Busqueda s;
    s.tolerancia = ancho;
    ASSERT_EQ(raices::inicia(m, F, dF, a, b, s), RAICES_EXITO);
    ASSERT_EQ(s.estado.index(), m);
    for (const double visto : vistos) {
      raices::avanza(m, F, dF, s);
      EXPECT_EQ(raices::estimacion(m, s), visto);
      const raices::EstadoTramo *t = raices::tramo(s);
      if (t != nullptr) {
        EXPECT_EQ(t->raiz, visto);
      }
    }
    const std::size_t otra = (m + 1) % raices::NUM_METODOS;
    EXPECT_TRUE(std::isnan(raices::estimacion(otra, s)));
    EXPECT_TRUE(std::isnan(raices::otro(otra, s)));
  }
}

// The rows that show a bracket are bracketing methods, started on [A, B]
// with their newest point on A; bisection is one of them.
TEST(TablaDeMetodos, ElTramoDeLosQueLoGuardan) {
  const auto F = [](double x) { return x * x - 2; };
  for (std::size_t m = 0; m < raices::NUM_METODOS; ++m) {
    SCOPED_TRACE(raices::DESCRIPTORES[m].clave);
    raices::Busqueda s;
    raices::inicia(m, F, 1.0, 2.0, s);
    const raices::EstadoTramo *t = raices::tramo(s);
    if (t == nullptr) continue;
    EXPECT_EQ(raices::DESCRIPTORES[m].familia, raices::Familia::acotado);
    EXPECT_EQ(t->a, 1.0);
    EXPECT_EQ(t->b, 2.0);
    EXPECT_EQ(t->raiz, 1.0);
  }
  raices::Busqueda biseccion;
  raices::inicia(raices::indice<raices::Biseccion>, F, 1.0, 2.0, biseccion);
  EXPECT_NE(raices::tramo(biseccion), nullptr);
  raices::Busqueda s;
  raices::inicia(raices::indice<raices::Brent>, F, 1.0, 2.0, s);
  EXPECT_NE(raices::estado_de<raices::Brent>(s), nullptr);
  EXPECT_EQ(raices::estado_de<raices::Chandrupatla>(s), nullptr);
}

} // namespace
