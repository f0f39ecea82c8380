// Each method runs through the library's own start and step functions, on
// lambdas that count the calls of f and f'. The loop and the stopping rule
// are common to all: a method is one row of the table at the bottom.
#include "P3/rootcompare/compara_metodos.h"

#include <cmath>

#include "P3/raices.h"

namespace {

// The loop shared by every method. paso(x) makes one library step, writes
// the method's new estimate into x and returns the library's status.
template <typename Paso> void recorre(const Problema &p, Resultado &r, double x, Paso &&paso) {
  for (int k = 1; k <= p.maxiter; ++k) {
    const double previo = x;
    const int estado = paso(x);
    if (estado != RAICES_CONTINUA && estado != RAICES_EXITO) {
      r.desenlace = Desenlace::FALLA;
      r.estado = estado;
      return;
    }
    const double fx = p.f(x);
    const double cambio = std::fabs(x - previo);
    r.iterados.push_back({k, x, fx, cambio});
    // fx == 0 is exact on purpose: the estimate is a root of the computed f.
    if (estado == RAICES_EXITO || fx == 0 || cambio < p.tol * std::fmax(1.0, std::fabs(x))) {
      r.desenlace = Desenlace::CONVERGE;
      return;
    }
  }
  r.desenlace = Desenlace::NO_CONVERGE;
  r.estado = raices::MAX_ITERACIONES;
}

// A failed start leaves the result as it is: no iterates, NO_ARRANCA.
bool arranca(Resultado &r, int estado) {
  r.estado = estado;
  return estado == RAICES_EXITO;
}

// f and f' of the problem, counting their calls into the result.
auto cuenta_f(const Problema &p, Resultado &r) {
  return [&f = p.f, &n = r.evals_f](double x) {
    ++n;
    return f(x);
  };
}
auto cuenta_df(const Problema &p, Resultado &r) {
  return [&df = p.df, &n = r.evals_df](double x) {
    ++n;
    return df(x);
  };
}

void biseccion(const Problema &p, Resultado &r) {
  auto F = cuenta_f(p, r);
  if (!arranca(r, bisecIni(F, p.a, p.b))) return;
  double a = p.a, b = p.b;
  recorre(p, r, p.a, [&](double &x) { return bisecIter(F, a, b, x); });
}

void regula_falsi(const Problema &p, Resultado &r) {
  auto F = cuenta_f(p, r);
  if (!arranca(r, rfalsiIni(F, p.a, p.b))) return;
  double a = p.a, b = p.b;
  recorre(p, r, p.a, [&](double &x) { return rfalsiIter(F, a, b, x); });
}

void illinois(const Problema &p, Resultado &r) {
  auto F = cuenta_f(p, r);
  double a = p.a, b = p.b, fa = 0, fb = 0;
  int lado = 0;
  if (!arranca(r, illinoisIni(F, a, b, fa, fb, lado))) return;
  recorre(p, r, p.a, [&](double &x) { return illinoisIter(F, a, b, fa, fb, lado, x); });
}

// Brent's iterate is the point each step evaluates. Its best point b can
// stay put for a step while the bracket shrinks from the other side, so a
// change of b says nothing of convergence.
void brent(const Problema &p, Resultado &r) {
  auto F = cuenta_f(p, r);
  double nuevo = p.a;
  auto F_anota = [&F, &nuevo](double x) {
    nuevo = x;
    return F(x);
  };
  EstadoBrent s{};
  if (!arranca(r, brentIni(F_anota, p.a, p.b, s))) return;
  nuevo = s.b;
  recorre(p, r, p.a, [&](double &x) {
    const int estado = brentIter(F_anota, s);
    x = nuevo;
    return estado;
  });
}

void secante(const Problema &p, Resultado &r) {
  auto F = cuenta_f(p, r);
  double x0 = p.a, x1 = p.b, f0 = 0, f1 = 0;
  if (!arranca(r, secanteIni(F, x0, x1, f0, f1))) return;
  recorre(p, r, p.b, [&](double &x) {
    const int estado = secanteIter(F, x0, x1, f0, f1);
    x = x1;
    return estado;
  });
}

void newton(const Problema &p, Resultado &r) {
  auto F = cuenta_f(p, r);
  auto dF = cuenta_df(p, r);
  double x = p.a, fx = 0, dfx = 0;
  if (!arranca(r, newtonIni(F, dF, fx, dfx, x))) return;
  recorre(p, r, p.a, [&](double &estimacion) {
    const int estado = newtonIter(F, dF, fx, dfx, x);
    estimacion = x;
    return estado;
  });
}

void steffensen(const Problema &p, Resultado &r) {
  auto F = cuenta_f(p, r);
  double x = p.a, fx = 0;
  if (!arranca(r, steffensenIni(F, fx, x))) return;
  recorre(p, r, p.a, [&](double &estimacion) {
    const int estado = steffensenIter(F, fx, x);
    estimacion = x;
    return estado;
  });
}

struct Metodo {
  const char *nombre; // Latin-1
  void (*corre)(const Problema &, Resultado &);
};

const Metodo METODOS[] = {
    {"bisecci\xF3n", biseccion}, {"regula falsi", regula_falsi},
    {"Illinois", illinois},      {"Brent", brent},
    {"secante", secante},        {"Newton", newton},
    {"Steffensen", steffensen},
};

} // namespace

std::vector<Resultado> compara(const Problema &p) {
  std::vector<Resultado> resultados;
  for (const Metodo &m : METODOS) {
    Resultado r;
    r.nombre = m.nombre;
    m.corre(p, r);
    resultados.push_back(std::move(r));
  }
  return resultados;
}
