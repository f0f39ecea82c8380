// Timing in pairs of blocks: a block of k calls of one side, then a block of
// k calls of the other, the order alternating from pair to pair. The two
// blocks of a pair run microseconds apart, so changes in the machine's speed
// or load hit both alike.
//
//   lib/<function>/<F>  each start and step function of the library, from a
//       steady state, against the calls of F (and dF) it has to make, made
//       bare through the same kind of func pointer; F is rootbench's fun/Dfun
//       (a few ns per call) or a costly F with the same values.
//   peer/<method>/<case>/<peer>  whole solves of a test case (casos.h) by
//       each method of the table and by its GSL or Boost.Math counterpart
//       (resolutores.h).
//   aps/<method>/boost_toms748  solves of all the Alefeld-Potra-Shi problems
//       and classics (problemas_aps.h) by each bracketing method of the
//       table and by Boost's toms748_solve, under one rule
//       (resolutores_aps.h); the time given is per solve.
//
// Counters, medians over the pairs of a run: the time of one call or solve
// on each side (step_ns and bare_ns, or ours_ns and peer_ns) and their ratio,
// per pair. Peer pairs add the calls of F plus dF per solve on each side
// (ours_calls, peer_calls) and per_call, the ratio of time per call. The
// Time column is that of a whole pair.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "P3/raices.h"
#include "Util/matutil.h"
#include "e_p3/func.h"
#include "resolutores.h"
#include "resolutores_aps.h"

namespace {

void usa(double v) { benchmark::DoNotOptimize(v); }

// ---------------------------------------------------------------------------
// Costly F: fun/Dfun plus a chain of dependent operations whose length is
// read through a volatile, so it can be neither folded nor hoisted; each
// chain starts where the last one ended, so calls cannot overlap in the
// processor. The chain is multiplied by a zero also read through a volatile:
// the value is exactly fun(x) or Dfun(x) (a -0 becomes +0).
volatile int eslabones = 0; // chain length, set once by calibra()
volatile double cero = 0.0;
double eslabon = 0.75; // end of the last chain; stays in [0.5, 0.75]

double cadena() {
  const int n = eslabones;
  double s = eslabon;
  for (int i = 0; i < n; ++i) s = s * 0.5 + 0.25; // each link waits for the last
  eslabon = s;
  return s;
}

double fun_caro(double x) { return fun(x) + cero * cadena(); }
double Dfun_caro(double x) { return Dfun(x) + cero * cadena(); }

double segundos(const std::function<void()> &bloque) {
  const auto t0 = std::chrono::steady_clock::now();
  bloque();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Nanoseconds per call of fun_caro: the best of 100 blocks of 1000 calls.
double ns_caro() {
  double mejor = 1e300;
  for (int i = 0; i < 100; ++i)
    mejor = std::min(mejor, segundos([] {
                       for (int j = 0; j < 1000; ++j) usa(fun_caro(0.5));
                     }));
  return mejor * 1e6;
}

// Sets the chain length so that a call takes about objetivo_ns (the time
// grows linearly with the length) and returns the time measured.
double calibra(double objetivo_ns) {
  eslabones = 0;
  const double base = ns_caro();
  eslabones = 200;
  double medido = ns_caro();
  for (int vuelta = 0; vuelta < 2 && medido > base; ++vuelta) {
    eslabones = static_cast<int>(
        std::clamp(std::lround(eslabones * (objetivo_ns - base) / (medido - base)), 1L, 1000000L));
    medido = ns_caro();
  }
  return medido;
}

// ---------------------------------------------------------------------------
// Steady states: every call starts from the same state, so does the same
// work, and takes its ordinary path (checked before timing). [A, B] brackets
// fun's root near 0.540; X is Newton's and Steffensen's iterate.
const double A = 0.0, B = 1.0, X = 0.5;
double FA, FB, FX;               // fun at A, B and X
EstadoBrent BRENT;               // after brentIni and one step on [A, B]
EstadoChandrupatla CHANDRUPATLA; // after chandrupatlaIni and one step on [A, B]
// The points at which the steps call F: the new point of each, and
// Steffensen's two.
double P_BISEC, P_RFALSI, P_SECANTE, P_ILLINOIS, P_BRENT, P_CHANDRUPATLA, P_STEFF1, P_STEFF2;

// One call of a library function from its steady state, or the calls of F
// and dF that it has to make, made bare.
using Una = int (*)(func F, func dF);

int bisec_ini(func F, func) { return bisecIni(F, A, B); }
int bisec_iter(func F, func) {
  double a = A, b = B, x = 0;
  const int s = bisecIter(F, a, b, x);
  usa(a), usa(b), usa(x);
  return s;
}
int rfalsi_ini(func F, func) { return rfalsiIni(F, A, B); }
int rfalsi_iter(func F, func) {
  double a = A, b = B, x = 0;
  const int s = rfalsiIter(F, a, b, x);
  usa(a), usa(b), usa(x);
  return s;
}
int newton_ini(func F, func dF) {
  double f = 0, df = 0, x = X;
  const int s = newtonIni(F, dF, f, df, x);
  usa(f), usa(df), usa(x);
  return s;
}
int newton_iter(func F, func dF) {
  double f = 0, df = 0, x = X;
  const int s = newtonIter(F, dF, f, df, x);
  usa(f), usa(df), usa(x);
  return s;
}
int secante_ini(func F, func) {
  double f0 = 0, f1 = 0;
  const int s = secanteIni(F, A, B, f0, f1);
  usa(f0), usa(f1);
  return s;
}
int secante_iter(func F, func) {
  double x0 = A, x1 = B, f0 = FA, f1 = FB;
  const int s = secanteIter(F, x0, x1, f0, f1);
  usa(x0), usa(x1), usa(f0), usa(f1);
  return s;
}
int illinois_ini(func F, func) {
  double fa = 0, fb = 0;
  int lado = 0;
  const int s = illinoisIni(F, A, B, fa, fb, lado);
  usa(fa), usa(fb), usa(lado);
  return s;
}
int illinois_iter(func F, func) {
  double a = A, b = B, fa = FA, fb = FB, x = 0;
  int lado = 0;
  const int s = illinoisIter(F, a, b, fa, fb, lado, x);
  usa(a), usa(b), usa(fa), usa(fb), usa(lado), usa(x);
  return s;
}
int brent_ini(func F, func) {
  EstadoBrent e{};
  const int s = brentIni(F, A, B, e);
  benchmark::DoNotOptimize(e);
  return s;
}
int brent_iter(func F, func) {
  EstadoBrent e = BRENT;
  const int s = brentIter(F, e);
  benchmark::DoNotOptimize(e);
  return s;
}
int chandrupatla_ini(func F, func) {
  EstadoChandrupatla e{};
  const int s = chandrupatlaIni(F, A, B, e);
  benchmark::DoNotOptimize(e);
  return s;
}
int chandrupatla_iter(func F, func) {
  EstadoChandrupatla e = CHANDRUPATLA;
  const int s = chandrupatlaIter(F, e);
  benchmark::DoNotOptimize(e);
  return s;
}
int steffensen_ini(func F, func) {
  double f = 0, x = X;
  const int s = steffensenIni(F, f, x);
  usa(f), usa(x);
  return s;
}
int steffensen_iter(func F, func) {
  double f = FX, x = X;
  const int s = steffensenIter(F, f, x);
  usa(f), usa(x);
  return s;
}

int f_ab(func F, func) { return usa(F(A)), usa(F(B)), 0; }
int f_abm(func F, func) { return usa(F(A)), usa(F(B)), usa(F(P_BISEC)), 0; }
int f_abr(func F, func) { return usa(F(A)), usa(F(B)), usa(F(P_RFALSI)), 0; }
int f_x_dx(func F, func dF) { return usa(F(X)), usa(dF(X)), 0; }
int f_s(func F, func) { return usa(F(P_SECANTE)), 0; }
int f_i(func F, func) { return usa(F(P_ILLINOIS)), 0; }
int f_b(func F, func) { return usa(F(P_BRENT)), 0; }
int f_c(func F, func) { return usa(F(P_CHANDRUPATLA)), 0; }
int f_x(func F, func) { return usa(F(X)), 0; }
int f_x1x2(func F, func) { return usa(F(P_STEFF1)), usa(F(P_STEFF2)), 0; }
// With the data dependency that the method cannot avoid: the last point is
// computed from the values before it, so its call waits for them.
int f_abr_dep(func F, func) {
  const double fa = F(A), fb = F(B);
  return usa(F((fa * B - fb * A) / (fa - fb))), 0;
}
int f_x1x2_dep(func F, func) {
  const double d = F(X + FX) - FX;
  return usa(F(X - FX * (FX / d))), 0;
}

// k calls, F and dF laundered so that they are called through an opaque
// pointer on both sides. Returns the status of the last call.
template <Una una> int bloque(func F, func dF, long k) {
  benchmark::DoNotOptimize(F);
  benchmark::DoNotOptimize(dF);
  int s = 0;
  for (long i = 0; i < k; ++i) {
    s = una(F, dF);
    benchmark::DoNotOptimize(s);
  }
  return s;
}

using Bloque = int (*)(func, func, long);

struct Funcion {
  const char *nombre;
  Bloque paso, desnudo;
  int status; // of the library function in its steady state
};

const Funcion FUNCIONES[] = {
    {"bisecIni", bloque<bisec_ini>, bloque<f_ab>, 0},
    {"bisecIter", bloque<bisec_iter>, bloque<f_abm>, -2},
    {"rfalsiIni", bloque<rfalsi_ini>, bloque<f_ab>, 0},
    {"rfalsiIter", bloque<rfalsi_iter>, bloque<f_abr>, -2},
    {"rfalsiIter.dep", bloque<rfalsi_iter>, bloque<f_abr_dep>, -2},
    {"newtonIni", bloque<newton_ini>, bloque<f_x_dx>, 0},
    {"newtonIter", bloque<newton_iter>, bloque<f_x_dx>, -2},
    {"secanteIni", bloque<secante_ini>, bloque<f_ab>, 0},
    {"secanteIter", bloque<secante_iter>, bloque<f_s>, -2},
    {"illinoisIni", bloque<illinois_ini>, bloque<f_ab>, 0},
    {"illinoisIter", bloque<illinois_iter>, bloque<f_i>, -2},
    {"brentIni", bloque<brent_ini>, bloque<f_ab>, 0},
    {"brentIter", bloque<brent_iter>, bloque<f_b>, -2},
    {"chandrupatlaIni", bloque<chandrupatla_ini>, bloque<f_ab>, 0},
    {"chandrupatlaIter", bloque<chandrupatla_iter>, bloque<f_c>, -2},
    {"steffensenIni", bloque<steffensen_ini>, bloque<f_x>, 0},
    {"steffensenIter", bloque<steffensen_iter>, bloque<f_x1x2>, -2},
    {"steffensenIter.dep", bloque<steffensen_iter>, bloque<f_x1x2_dep>, -2},
};

struct Objetivo {
  const char *nombre;
  func F, dF;
  long k; // calls per block: some 10 to 30 microseconds
};

const Objetivo OBJETIVOS[] = {{"fun", fun, Dfun, 1024}, {"costly", fun_caro, Dfun_caro, 64}};

// The points at which one call of a step makes its calls of F.
struct Registro {
  std::vector<double> *x;
  double operator()(double v) const { return x->push_back(v), fun(v); }
};

void estados() {
  FA = fun(A), FB = fun(B), FX = fun(X);
  brentIni(fun, A, B, BRENT);
  brentIter(fun, BRENT); // past the start, where b == A == 0 and the step is a secant's
  chandrupatlaIni(fun, A, B, CHANDRUPATLA);
  chandrupatlaIter(fun, CHANDRUPATLA); // past the first step, which halves
  std::vector<double> x;
  const Registro r{&x};
  double a = A, b = B;
  bisecIter(r, a, b, P_BISEC);
  a = A, b = B;
  rfalsiIter(r, a, b, P_RFALSI);
  double x0 = A, x1 = B, f0 = FA, f1 = FB;
  secanteIter(r, x0, x1, f0, f1);
  P_SECANTE = x1;
  a = A, b = B, f0 = FA, f1 = FB;
  int lado = 0;
  illinoisIter(r, a, b, f0, f1, lado, P_ILLINOIS);
  EstadoBrent e = BRENT;
  x.clear();
  brentIter(r, e);
  P_BRENT = x.at(0);
  EstadoChandrupatla ec = CHANDRUPATLA;
  x.clear();
  chandrupatlaIter(r, ec);
  P_CHANDRUPATLA = x.at(0);
  x0 = X, f0 = FX;
  x.clear();
  steffensenIter(r, f0, x0);
  P_STEFF1 = x.at(0), P_STEFF2 = x.at(1);
}

// ---------------------------------------------------------------------------
double mediana(std::vector<double> v) {
  if (v.empty()) return 0;
  const auto mitad = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
  std::nth_element(v.begin(), mitad, v.end());
  return *mitad;
}

// The pairs: uno and otro each run a block of k calls.
void pares(benchmark::State &st, const std::function<void()> &uno,
           const std::function<void()> &otro, long k, const std::string &n_uno,
           const std::string &n_otro) {
  std::vector<double> t_uno, t_otro, razon;
  bool uno_primero = true;
  for (auto _ : st) {
    double tu = 0, to = 0;
    if (uno_primero) {
      tu = segundos(uno), to = segundos(otro);
    } else {
      to = segundos(otro), tu = segundos(uno);
    }
    uno_primero = !uno_primero;
    t_uno.push_back(1e9 * tu / static_cast<double>(k));
    t_otro.push_back(1e9 * to / static_cast<double>(k));
    razon.push_back(tu / to);
  }
  st.counters[n_uno] = mediana(t_uno);
  st.counters[n_otro] = mediana(t_otro);
  st.counters["ratio"] = mediana(razon);
}

void lib(benchmark::State &st, const Funcion &f, const Objetivo &o) {
  if (f.paso(o.F, o.dF, 1) != f.status) {
    st.SkipWithError("unexpected status");
    return;
  }
  pares(
      st, [&] { usa(f.paso(o.F, o.dF, o.k)); }, [&] { usa(f.desnudo(o.F, o.dF, o.k)); }, o.k,
      "step_ns", "bare_ns");
}

using Resuelve = std::function<resolutores::Resultado(const casos::Caso &)>;

void peer(benchmark::State &st, const Resuelve &nuestro, const Resuelve &otro,
          const casos::Caso &c) {
  const auto solves = [&c](const Resuelve &r, long k) {
    for (long i = 0; i < k; ++i) {
      const resolutores::Resultado x = r(c);
      usa(x.x);
    }
  };
  // Blocks of some 20 microseconds.
  const double t =
      std::max(segundos([&] { solves(nuestro, 10); }), segundos([&] { solves(otro, 10); }));
  const long k = std::clamp(std::lround(20e-6 / (t / 10)), 1L, 100000L);
  pares(
      st, [&] { solves(nuestro, k); }, [&] { solves(otro, k); }, k, "ours_ns", "peer_ns");
  const resolutores::Resultado a = nuestro(c), b = otro(c);
  st.counters["ours_calls"] = static_cast<double>(a.f + a.df);
  st.counters["peer_calls"] = static_cast<double>(b.f + b.df);
  st.counters["per_call"] =
      st.counters["ratio"] * static_cast<double>(b.f + b.df) / static_cast<double>(a.f + a.df);
}

// Every problem of the set, solved by one side.
double resuelve_aps(const std::vector<aps::Problema> &v,
                    const std::function<aps::Cuenta(const aps::Problema &)> &r) {
  double x = 0;
  for (const aps::Problema &p : v) x += r(p).x;
  return x;
}

void aps_par(benchmark::State &st, std::size_t m) {
  const std::vector<aps::Problema> v = aps::problemas();
  const auto nuestro = [m](const aps::Problema &p) { return aps::con_metodo(m, p); };
  const long n = static_cast<long>(v.size());
  pares(
      st, [&] { usa(resuelve_aps(v, nuestro)); }, [&] { usa(resuelve_aps(v, aps::con_toms748)); },
      n, "ours_ns", "peer_ns");
  long nuestras = 0, suyas = 0;
  for (const aps::Problema &p : v) {
    nuestras += nuestro(p).llamadas;
    suyas += aps::con_toms748(p).llamadas;
  }
  st.counters["ours_calls"] = static_cast<double>(nuestras);
  st.counters["peer_calls"] = static_cast<double>(suyas);
}

} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  estados();
  const double costo = calibra(100.0);
  benchmark::AddCustomContext("costly F", std::to_string(eslabones) + " chain links, " +
                                              std::to_string(costo) + " ns per call");
  for (const Objetivo &o : OBJETIVOS)
    for (const Funcion &f : FUNCIONES)
      benchmark::RegisterBenchmark(("lib/" + std::string(f.nombre) + "/" + o.nombre).c_str(), lib,
                                   f, o)
          ->Unit(benchmark::kMicrosecond);
  for (std::size_t m = 0; m < raices::NUM_METODOS; ++m) {
    const raices::Descriptor &d = raices::DESCRIPTORES[m];
    const resolutores::Pares p = resolutores::pares(d.clave);
    const Resuelve nuestro = [m](const casos::Caso &c) { return resolutores::nuestro(m, c); };
    for (const casos::Caso &c : casos::CASOS) {
      const std::string n = "peer/" + std::string(d.clave) + "/" + c.nombre + "/";
      if (p.gsl != nullptr)
        benchmark::RegisterBenchmark((n + "gsl_" + p.nombre_gsl).c_str(), peer, nuestro,
                                     Resuelve(p.gsl), c)
            ->Unit(benchmark::kMicrosecond);
      if (p.boost != nullptr)
        benchmark::RegisterBenchmark((n + "boost_" + p.nombre_boost).c_str(), peer, nuestro,
                                     Resuelve(p.boost), c)
            ->Unit(benchmark::kMicrosecond);
    }
    if (d.familia == raices::Familia::acotado)
      benchmark::RegisterBenchmark(("aps/" + std::string(d.clave) + "/boost_toms748").c_str(),
                                   aps_par, m)
          ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
