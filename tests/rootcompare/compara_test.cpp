// rootcompare's engine: observed orders near their theoretical values, the
// evaluation counts each step promises, and the CSV read back bit for bit.
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "P3/rootcompare/compara_metodos.h"
#include "P3/rootcompare/informe.h"
#include "P3/rootcompare/orden.h"

namespace {

Problema problema(Funcion f, Funcion df, double a, double b) { return {f, df, a, b, 1e-12, 100}; }

// Smooth functions with a simple root inside [a, b].
std::vector<Problema> suaves() {
  return {
      problema([](double x) { return x * x * x - 2 * x - 5; },
               [](double x) { return 3 * x * x - 2; }, 2, 3),
      problema([](double x) { return std::cos(x) - x; }, [](double x) { return -std::sin(x) - 1; },
               0, 1),
      problema([](double x) { return std::exp(x) - 3; }, [](double x) { return std::exp(x); }, 0.5,
               3),
  };
}

const Resultado &metodo(const std::vector<Resultado> &rs, const std::string &nombre) {
  for (const Resultado &r : rs) {
    if (nombre == r.nombre) return r;
  }
  ADD_FAILURE() << "no method " << nombre;
  std::abort();
}

TEST(RootcompareOrden, ObservedOrdersNearTheirTheoreticalValues) {
  struct Esperado {
    const char *nombre;
    double orden, margen;
  };
  const Esperado esperados[] = {{"bisecci\xF3n", 1.0, 0.1},
                                {"regula falsi", 1.0, 0.1},
                                {"secante", 1.618, 0.1},
                                {"Newton", 2.0, 0.1},
                                {"Steffensen", 2.0, 0.1}};
  for (const Problema &p : suaves()) {
    const std::vector<Resultado> rs = compara(p);
    for (const Esperado &e : esperados) {
      const Resultado &r = metodo(rs, e.nombre);
      ASSERT_EQ(r.desenlace, Desenlace::CONVERGE) << e.nombre;
      EXPECT_NEAR(orden_observado(r, raiz_referencia(rs, r)), e.orden, e.margen)
          << e.nombre << " on [" << p.a << ", " << p.b << "]";
    }
  }
}

// Too few errors above the rounding level: no order.
TEST(RootcompareOrden, NoOrderFromFewerThanThreeErrors) {
  Resultado r;
  r.desenlace = Desenlace::CONVERGE;
  r.iterados = {{1, 1.01, 0, 0}, {2, 1.0001, 0, 0}, {3, 1.0, 0, 0}};
  EXPECT_TRUE(std::isnan(orden_observado(r, 1.0)));
  r.iterados.insert(r.iterados.begin() + 2, {3, 1.00000001, 0, 0});
  EXPECT_NEAR(orden_observado(r, 1.0), 2.0, 1e-6);
  // A method that ends away from every converged root has no reference.
  Resultado lejos = r;
  lejos.desenlace = Desenlace::NO_CONVERGE;
  lejos.iterados.back().x = 5;
  EXPECT_TRUE(std::isnan(raiz_referencia({r, lejos}, lejos)));
}

// Evaluations per step as each method promises, and the change column.
TEST(RootcompareCuentas, EvaluationsAndChangesFollowTheSteps) {
  const std::vector<Resultado> rs = compara(suaves()[0]);
  struct Coste {
    const char *nombre;
    long inicio, por_paso, df_inicio, df_por_paso;
  };
  const Coste costes[] = {{"bisecci\xF3n", 2, 3, 0, 0}, {"regula falsi", 2, 3, 0, 0},
                          {"Illinois", 2, 1, 0, 0},     {"Brent", 2, 1, 0, 0},
                          {"secante", 2, 1, 0, 0},      {"Newton", 1, 1, 1, 1},
                          {"Steffensen", 1, 2, 0, 0}};
  for (const Coste &c : costes) {
    const Resultado &r = metodo(rs, c.nombre);
    const auto pasos = static_cast<long>(r.iterados.size());
    EXPECT_EQ(r.evals_f, c.inicio + c.por_paso * pasos) << c.nombre;
    EXPECT_EQ(r.evals_df, c.df_inicio + c.df_por_paso * pasos) << c.nombre;
    for (std::size_t k = 1; k < r.iterados.size(); ++k)
      EXPECT_EQ(r.iterados[k].cambio, std::fabs(r.iterados[k].x - r.iterados[k - 1].x));
  }
}

TEST(RootcompareCsv, ReadsBackToTheSameIterates) {
  for (const Problema &p : suaves()) {
    const std::vector<Resultado> rs = compara(p);
    std::stringstream csv;
    escribe_csv(csv, rs);
    std::string linea;
    std::getline(csv, linea);
    EXPECT_EQ(linea, "m\xE9todo,paso,x,f(x),cambio");
    for (const Resultado &r : rs) {
      for (const Iterado &it : r.iterados) {
        ASSERT_TRUE(std::getline(csv, linea));
        std::istringstream campos(linea);
        std::string nombre, paso, x, fx, cambio;
        std::getline(campos, nombre, ',');
        std::getline(campos, paso, ',');
        std::getline(campos, x, ',');
        std::getline(campos, fx, ',');
        std::getline(campos, cambio);
        EXPECT_EQ(nombre, r.nombre);
        EXPECT_EQ(std::stoi(paso), it.paso);
        EXPECT_EQ(std::strtod(x.c_str(), nullptr), it.x);
        EXPECT_EQ(std::strtod(fx.c_str(), nullptr), it.fx);
        EXPECT_EQ(std::strtod(cambio.c_str(), nullptr), it.cambio);
      }
    }
    EXPECT_FALSE(std::getline(csv, linea));
  }
}

} // namespace
