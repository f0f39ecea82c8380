// rootcompare's engine: the verdict of every method on problems chosen to
// tempt a false "converge", observed orders near their theoretical values,
// the evaluation counts each step promises, and the table and CSV as a
// program reads them.
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "P3/metodos.h"
#include "P3/rootcompare/compara_metodos.h"
#include "P3/rootcompare/informe.h"
#include "P3/rootcompare/orden.h"

namespace {

using raices::Desenlace;
using raices::FuncionReal;
using raices::Problema;
using raices::Resultado;

const double NINGUNA = NAN; // no root expected

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

// What a method must report on a problem: its outcome and, when it
// converges, a root within 2 TOL max(1, |x*|) of x* (outside [A, B] or not).
struct Veredicto {
  const char *clave;
  Desenlace desenlace;
  double x_estrella = NINGUNA;
  bool fuera = false;
};

struct Caso {
  const char *nombre;
  Problema p;
  std::vector<Veredicto> veredictos;
};

std::vector<Caso> casos() {
  const auto D = Desenlace::converge, S = Desenlace::singularidad, E = Desenlace::estancado,
             N = Desenlace::no_converge, F = Desenlace::falla;
  const double pi = std::acos(-1.0), omega = 0.56714329040978384;
  const auto polo = [](double x) { return 1 / (x - 1.1); };
  const auto salto = [](double x) { return (x - 0.3) / std::fabs(x - 0.3); };
  const auto tan_ = [](double x) { return std::tan(x); };
  const auto sec2 = [](double x) { return 1 / (std::cos(x) * std::cos(x)); };
  const auto xex = [](double x) { return x * std::exp(x) - 1; };
  const auto dxex = [](double x) { return (x + 1) * std::exp(x); };
  const auto x10 = [](double x) { return std::pow(x, 10) - 1; };
  const auto dx10 = [](double x) { return 10 * std::pow(x, 9); };
  const auto x20 = [](double x) { return std::pow(x, 20) - 1; };
  const auto dx20 = [](double x) { return 20 * std::pow(x, 19); };
  const auto seno = [](double x) { return std::sin(x); };
  const auto coseno = [](double x) { return std::cos(x); };
  const auto cx = [](double x) { return std::cos(x) - x; };
  const auto dcx = [](double x) { return -std::sin(x) - 1; };
  const auto cubica = [](double x) { return x * x * x - 2 * x - 5; };
  const auto dcubica = [](double x) { return 3 * x * x - 2; };
  // Root at 0: a relative-only test (TOL |x|) would never stop bisection.
  const auto impar = [](double x) { return x + x * x * x; };
  const auto dimpar = [](double x) { return 1 + 3 * x * x; };
  return {
      {"pole",
       problema(polo, polo, 0, 2),
       {{"biseccion", S}, {"illinois", S}, {"regula_falsi", N}, {"newton", N}}},
      {"jump",
       problema(salto, salto, 0, 1),
       {{"biseccion", S}, {"regula_falsi", S}, {"illinois", S}, {"brent", S}, {"secante", F}}},
      {"tan over [1, 2]",
       problema(tan_, sec2, 1, 2),
       {{"biseccion", S},
        {"illinois", S},
        {"brent", S},
        {"secante", D, pi, true},
        {"newton", D, 0, true}}},
      {"Steffensen stalls",
       problema(xex, dxex, 0, 1),
       {{"steffensen", E}, {"biseccion", D, omega}, {"newton", D, omega}, {"secante", D, omega}}},
      {"secant stalls",
       problema(x10, dx10, 0, 1.3),
       {{"secante", E}, {"biseccion", D, 1}, {"illinois", D, 1}, {"brent", D, 1}}},
      {"Steffensen from 2.5",
       problema(x20, dx20, 2.5, 3),
       {{"steffensen", E}, {"newton", D, 1, true}}},
      {"root at A",
       problema(seno, coseno, 0, 3),
       {{"biseccion", D, 0},
        {"regula_falsi", D, 0},
        {"illinois", D, 0},
        {"brent", D, 0},
        {"secante", D, 0},
        {"newton", D, 0},
        {"steffensen", D, 0}}},
      {"root at 0, relative test",
       problema(impar, dimpar, -1, 2),
       {{"biseccion", D, 0},
        {"illinois", D, 0},
        {"brent", D, 0},
        {"secante", D, 0},
        {"newton", D, 0},
        {"regula_falsi", N}}},
      {"cos(x) - x",
       problema(cx, dcx, 0, 1),
       {{"biseccion", D, 0.73908513321516067},
        {"regula_falsi", D, 0.73908513321516067},
        {"illinois", D, 0.73908513321516067},
        {"brent", D, 0.73908513321516067},
        {"secante", D, 0.73908513321516067},
        {"newton", D, 0.73908513321516067},
        {"steffensen", D, 0.73908513321516067}}},
      {"x^3 - 2x - 5",
       problema(cubica, dcubica, 2, 3),
       {{"biseccion", D, 2.0945514815423265},
        {"illinois", D, 2.0945514815423265},
        {"brent", D, 2.0945514815423265},
        {"secante", D, 2.0945514815423265},
        {"newton", D, 2.0945514815423265},
        {"steffensen", D, 2.0945514815423265}}},
  };
}

TEST(RootcompareVeredictos, EveryMethodSaysWhatHappened) {
  for (const Caso &c : casos()) {
    const std::vector<Resultado> rs = raices::compara(c.p);
    for (const Veredicto &v : c.veredictos) {
      const Resultado &r = metodo(rs, v.clave);
      EXPECT_EQ(r.desenlace, v.desenlace) << c.nombre << ", " << v.clave << " at " << r.raiz;
      EXPECT_EQ(r.fuera, v.fuera) << c.nombre << ", " << v.clave;
      if (v.desenlace != Desenlace::converge) {
        EXPECT_NE(r.estado, 0) << c.nombre << ", " << v.clave;
        continue;
      }
      EXPECT_EQ(r.estado, 0);
      EXPECT_LE(std::fabs(r.raiz - v.x_estrella),
                2 * c.p.tol * std::fmax(1.0, std::fabs(v.x_estrella)))
          << c.nombre << ", " << v.clave;
    }
  }
}

// A bracketing method answers with the end of its final bracket with the
// smaller |f|, never with its last point when the other end is better.
TEST(RootcompareVeredictos, BracketingAnswerIsTheBetterEnd) {
  for (const Caso &c : casos()) {
    for (const Resultado &r : raices::compara(c.p)) {
      if (r.iterados.empty() || r.desenlace == Desenlace::falla ||
          raices::DESCRIPTORES[r.metodo].familia != raices::Familia::acotado)
        continue;
      EXPECT_LE(std::fabs(r.f_raiz), std::fabs(r.iterados.back().fx)) << c.nombre;
    }
  }
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
      ASSERT_EQ(r.desenlace, Desenlace::converge)
          << e.clave << " on [" << p.a << ", " << p.b << "]";
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
  r.desenlace = Desenlace::converge;
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
  lejos.desenlace = Desenlace::no_converge;
  lejos.raiz = 5;
  r.raiz = 1;
  EXPECT_TRUE(std::isnan(raices::raiz_referencia({r, lejos}, lejos)));
}

// Evaluations per step as the table's descriptors promise (a step that
// failed or could not move adds no iterate but may have called f), and the
// change column.
TEST(RootcompareCuentas, EvaluationsAndChangesFollowTheSteps) {
  const Problema p = problema([](double x) { return x * x * x - 2 * x - 5; },
                              [](double x) { return 3 * x * x - 2; }, 2, 3);
  for (const Resultado &r : raices::compara(p)) {
    const raices::Descriptor &d = raices::DESCRIPTORES[r.metodo];
    const auto pasos = static_cast<long>(r.iterados.size());
    const long inicio_f = d.arranque == raices::Arranque::desde_a ? 1 : 2;
    const long inicio_df = d.evals_df > 0 ? 1 : 0;
    EXPECT_GE(r.evals_f, inicio_f + d.evals_f * pasos) << d.clave;
    EXPECT_LT(r.evals_f, inicio_f + d.evals_f * (pasos + 1)) << d.clave;
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
  EXPECT_EQ(linea, "metodo,paso,x,fx,cambio,estado");
  for (const Resultado &r : rs) {
    std::vector<raices::Iterado> filas{r.inicio};
    filas.insert(filas.end(), r.iterados.begin(), r.iterados.end());
    for (const raices::Iterado &it : filas) {
      ASSERT_TRUE(std::getline(csv, linea));
      std::istringstream campos(linea);
      std::string clave, paso, x, fx, cambio, estado;
      std::getline(campos, clave, ',');
      std::getline(campos, paso, ',');
      std::getline(campos, x, ',');
      std::getline(campos, fx, ',');
      std::getline(campos, cambio, ',');
      std::getline(campos, estado);
      EXPECT_EQ(clave, raices::clave(r));
      EXPECT_EQ(std::stoi(paso), it.paso);
      EXPECT_EQ(std::strtod(x.c_str(), nullptr), it.x);
      EXPECT_EQ(std::strtod(fx.c_str(), nullptr), it.fx);
      EXPECT_EQ(std::strtod(cambio.c_str(), nullptr), it.cambio);
      EXPECT_EQ(std::stoi(estado), r.estado);
    }
  }
  EXPECT_FALSE(std::getline(csv, linea));
}

} // namespace
