// rootcompare's engine: the verdict of every method on problems chosen to
// tempt a false "converge", observed orders near their theoretical values,
// the evaluation counts each step promises, and the table and CSV as a
// program reads them.
#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "P3/bolas/comprueba_raiz.h"
#include "P3/metodos/metodos.h"
#include "P3/rootcompare/compara_metodos.h"
#include "P3/rootcompare/informe.h"
#include "P3/rootcompare/orden.h"

namespace {

using raices::Desenlace;
using raices::FuncionReal;
using raices::Problema;
using raices::Resultado;

Problema problema(FuncionReal f, FuncionReal df, double a, double b, double tol = 1e-12) {
  return {std::move(f), std::move(df), a, b, tol, 100};
}

const Resultado &metodo(const std::vector<Resultado> &rs, const std::string &clave) {
  for (const Resultado &r : rs) {
    if (clave == raices::clave(r)) return r;
  }
  ADD_FAILURE() << "no method " << clave;
  std::abort();
}

// An open method that converges outside [A, B] is marked so; the verdict
// itself is the library's (tests/unit/resuelve_test.cpp).
TEST(RootcompareVeredictos, OutsideTheIntervalIsMarked) {
  const Problema p = problema([](double x) { return std::tan(x); },
                              [](double x) { return 1 / (std::cos(x) * std::cos(x)); }, 1, 2);
  const std::vector<Resultado> rs = raices::compara(p);
  EXPECT_TRUE(metodo(rs, "secante").fuera);
  EXPECT_TRUE(metodo(rs, "newton").fuera);
  EXPECT_FALSE(metodo(rs, "biseccion").fuera);
  EXPECT_EQ(metodo(rs, "biseccion").desenlace, Desenlace::singularidad);
}

struct Esperado {
  const char *clave;
  double orden, margen;
};

// Known orders on smooth functions with a simple root inside [a, b], and
// Newton's linear order at a triple root.
TEST(RootcompareOrden, ObservedOrdersNearTheirTheoreticalValues) {
  const std::vector<Problema> suaves = {
      problema([](double x) { return x * x * x - 2 * x - 5; },
               [](double x) { return 3 * x * x - 2; }, 2, 3),
      problema([](double x) { return std::cos(x) - x; }, [](double x) { return -std::sin(x) - 1; },
               0, 1),
      problema([](double x) { return std::exp(x) - 3; }, [](double x) { return std::exp(x); }, 0.5,
               3),
      problema([](double x) { return std::exp(-x) - 2 * x * x; },
               [](double x) { return -std::exp(-x) - 4 * x; }, 0, 1),
      problema([](double x) { return x * x * x + x - 3; }, [](double x) { return 3 * x * x + 1; },
               1, 2),
      problema([](double x) { return std::log(x) - 1; }, [](double x) { return 1 / x; }, 2, 3),
  };
  const Esperado esperados[] = {{"biseccion", 1.0, 0.05},
                                {"secante", 1.618, 0.1},
                                {"newton", 2.0, 0.1},
                                {"steffensen", 2.0, 0.1},
                                {"illinois", 1.442, 0.1}};
  for (const Problema &p : suaves) {
    const std::vector<Resultado> rs = raices::compara(p);
    for (const Esperado &e : esperados) {
      const Resultado &r = metodo(rs, e.clave);
      ASSERT_EQ(r.desenlace, Desenlace::raiz) << e.clave << " on [" << p.a << ", " << p.b << "]";
      const raices::Orden o = raices::orden_observado(r, raices::raiz_referencia(rs, r));
      EXPECT_NEAR(o.p, e.orden, e.margen) << e.clave << " on [" << p.a << ", " << p.b << "]";
      EXPECT_GE(o.usados, 3U);
    }
  }
  const Problema triple = problema([](double x) { return (x - 1) * (x - 1) * (x - 1); },
                                   [](double x) { return 3 * (x - 1) * (x - 1); }, 0.2, 1.5);
  const std::vector<Resultado> rs = raices::compara(triple);
  const Resultado &newton = metodo(rs, "newton");
  EXPECT_NEAR(raices::orden_observado(newton, 1.0).p, 1.0, 0.05);
}

// Three errors give one estimate; fewer, or one beyond any step's order,
// give none. A method that ends away from every converged root has no
// reference.
TEST(RootcompareOrden, NoOrderFromTooFewOrImplausibleErrors) {
  Resultado r;
  r.desenlace = Desenlace::raiz;
  r.inicio = {0, 2, 0, 0};
  r.iterados = {{1, 1.01, 0, 0}, {2, 1.0001, 0, 0}, {3, 1.0, 0, 0}};
  EXPECT_TRUE(std::isnan(raices::orden_observado(r, 1.0).p));
  r.iterados.insert(r.iterados.begin() + 2, {3, 1.00000001, 0, 0});
  EXPECT_NEAR(raices::orden_observado(r, 1.0).p, 2.0, 1e-6);
  EXPECT_EQ(raices::orden_observado(r, 1.0).usados, 3U);
  r.iterados[2].x = 1 + 1e-12; // e: 1e-2, 1e-4, 1e-12: order 4 from three errors
  EXPECT_NEAR(raices::orden_observado(r, 1.0).p, 4.0, 1e-3);
  r.iterados[1].x = 1.001; // e: 1e-2, 1e-3, 1e-12: order 9
  EXPECT_TRUE(std::isnan(raices::orden_observado(r, 1.0).p));
  Resultado lejos = r;
  lejos.desenlace = Desenlace::limite;
  lejos.raiz = 5;
  r.raiz = 1;
  EXPECT_TRUE(std::isnan(raices::raiz_referencia({r, lejos}, lejos)));
}

// Evaluations per step as the table's descriptors promise (a step that
// failed or could not move adds no iterate but may have called f; the
// verdict adds its own calls, counted too), and the change column.
TEST(RootcompareCuentas, EvaluationsAndChangesFollowTheSteps) {
  const Problema p = problema([](double x) { return x * x * x - 2 * x - 5; },
                              [](double x) { return 3 * x * x - 2; }, 2, 3);
  for (const Resultado &r : raices::compara(p)) {
    const raices::Descriptor &d = raices::DESCRIPTORES[r.metodo];
    const auto pasos = static_cast<long>(r.iterados.size());
    const long inicio_f = d.arranque == raices::Arranque::desde_a ? 1 : 2;
    const long inicio_df = d.evals_df > 0 ? 1 : 0;
    EXPECT_GE(r.evals_f, inicio_f + d.evals_f * pasos) << d.clave;
    // A failed step's calls, and at most three of the verdict's own.
    EXPECT_LT(r.evals_f, inicio_f + d.evals_f * (pasos + 1) + 3) << d.clave;
    EXPECT_EQ(r.evals_df, inicio_df + d.evals_df * pasos) << d.clave;
    double previo = r.inicio.x;
    for (const raices::Iterado &it : r.iterados) {
      EXPECT_EQ(it.cambio, std::fabs(it.x - previo)) << d.clave;
      previo = it.x;
    }
  }
}

// The table: no line over 80 columns, whatever the expression's length, the
// numbers of the header and the notes; with no method converging, every
// order cell is a dash.
TEST(RootcompareTabla, EightyColumnsAndDashesWithoutConvergence) {
  Problema polo = problema([](double x) { return 1 / (x - 1.1); },
                           [](double x) { return -1 / ((x - 1.1) * (x - 1.1)); }, 0, 2);
  Problema largo =
      problema([](double x) { return x; }, [](double) { return 1.0; }, -1.2345678901234567e-300,
               1.2345678901234567e+300, 1.2345678901234567e-200);
  largo.maxiter = 100000;
  const std::string texto = "1/(x-1.1) + " + std::string(300, 'x') + std::string(20, ' ') +
                            "+ 0*x " + std::string(40, '1');
  for (const Problema *p : {&polo, &largo}) {
    const std::vector<Resultado> rs = raices::compara(*p);
    std::stringstream tabla;
    raices::escribe_tabla(tabla, texto, *p, rs);
    std::string linea;
    std::size_t filas = 0;
    bool en_tabla = false;
    while (std::getline(tabla, linea)) {
      EXPECT_LE(linea.size(), raices::COLUMNAS) << linea;
      if (en_tabla && filas < rs.size()) {
        ++filas;
        if (p == &polo) {
          EXPECT_EQ(linea.substr(58, 6), "-     ") << linea; // orden
        }
      }
      en_tabla = en_tabla || linea.rfind("m\xE9todo", 0) == 0;
    }
    EXPECT_EQ(filas, rs.size());
  }
}

// The CSV: ASCII, the start and every step of each method with its key and
// final outcome code, values that read back bit for bit.
TEST(RootcompareCsv, AsciiRowsReadBackWithTheOutcome) {
  const Problema p = problema([](double x) { return std::tan(x); },
                              [](double x) { return 1 / (std::cos(x) * std::cos(x)); }, 1, 2);
  const std::vector<Resultado> rs = raices::compara(p);
  std::stringstream csv;
  raices::escribe_csv(csv, rs);
  for (const char c : csv.str()) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
  std::string linea;
  std::getline(csv, linea);
  EXPECT_EQ(linea, "metodo,paso,x,fx,cambio,estado,prueba");
  for (const Resultado &r : rs) {
    std::vector<raices::Iterado> filas{r.inicio};
    filas.insert(filas.end(), r.iterados.begin(), r.iterados.end());
    for (const raices::Iterado &it : filas) {
      ASSERT_TRUE(std::getline(csv, linea));
      std::istringstream campos(linea);
      std::string clave, paso, x, fx, cambio, estado, prueba;
      std::getline(campos, clave, ',');
      std::getline(campos, paso, ',');
      std::getline(campos, x, ',');
      std::getline(campos, fx, ',');
      std::getline(campos, cambio, ',');
      std::getline(campos, estado, ',');
      std::getline(campos, prueba);
      EXPECT_EQ(clave, raices::clave(r));
      EXPECT_EQ(std::stoi(paso), it.paso);
      EXPECT_EQ(std::strtod(x.c_str(), nullptr), it.x);
      EXPECT_EQ(std::strtod(fx.c_str(), nullptr), it.fx);
      EXPECT_EQ(std::strtod(cambio.c_str(), nullptr), it.cambio);
      EXPECT_EQ(std::stoi(estado), r.estado);
      EXPECT_EQ(prueba, "sin_demostrar"); // no check asked
    }
  }
  EXPECT_FALSE(std::getline(csv, linea));
}

} // namespace

namespace {

// Every method's root checked on balls within TOL*max(1, |x|): a refuted
// root is never "converge" but 14, and the roots that stand are proven where
// f changes sign. f in double and on balls from one generic lambda.
TEST(RootcompareBolas, UnaRaizRefutadaNoConverge) {
  struct Caso {
    const char *que;
    std::function<double(double)> f;
    std::function<raices::Prueba(double, double)> comprueba;
    double a, b;
    bool alguna_converge; // some method's root stands
  };
  const auto con = [](auto f) {
    return [f](double x, double delta) { return raices::comprueba_raiz(f, x, delta); };
  };
  const auto expo = [](auto x) { return exp(-x); };
  const auto triple = [](auto x) { return pow(x, 3) - 3 * pow(x, 2) + 3 * x - 1; };
  const auto raiz2 = [](auto x) { return x * x - 2; };
  const Caso casos[] = {
      {"exp(-x), underflow", [&](double x) { return expo(x); }, con(expo), 0, 1000, false},
      {"expanded triple root", [&](double x) { return triple(x); }, con(triple), 0, 2.5, false},
      {"x^2 - 2", [&](double x) { return raiz2(x); }, con(raiz2), 1, 2, true},
  };
  for (const Caso &c : casos) {
    Problema p = problema(c.f, c.f, c.a, c.b);
    p.comprueba = c.comprueba;
    p.f_bolas = [](double) { return std::string("v"); };
    bool converge = false;
    for (const Resultado &r : raices::compara(p)) {
      const bool refutada = r.prueba == raices::Prueba::refutada;
      EXPECT_EQ(refutada, r.desenlace == Desenlace::no_alcanza) << c.que << ": " << clave(r);
      EXPECT_EQ(r.f_bolas, refutada ? "v" : "") << c.que << ": " << clave(r);
      EXPECT_EQ(r.estado == raices::NO_ALCANZA, refutada) << c.que << ": " << clave(r);
      if (r.desenlace == Desenlace::raiz) {
        converge = true;
        EXPECT_EQ(r.prueba, raices::Prueba::demostrada) << c.que << ": " << clave(r);
      }
    }
    EXPECT_EQ(converge, c.alguna_converge) << c.que;
  }
}

} // namespace
