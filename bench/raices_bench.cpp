// Cost of the step library against the calls of F (and dF) that each of its
// functions has to make: bisecIni and rfalsiIni call F twice, bisecIter and
// rfalsiIter three times, newtonIni and newtonIter call F once and dF once.
// Two objectives: rootbench's fun/Dfun (a few ns per call) and a costly F/dF
// of about 100 ns per call with the same values.
//
// Each benchmark, one per function and objective, times blocks of calls in
// pairs: a block of k calls of the library function, then a block of the
// same calls of F and dF made bare, through the same kind of pointer (the
// order alternates from pair to pair). The two blocks of a pair run a few
// microseconds apart, so changes in the machine's speed or load hit both
// alike. The counters are medians over the pairs of a run:
//   step_ns   time of one call of the library function
//   bare_ns   time of its calls of F and dF, made bare
//   ratio     step / bare, per pair
// The Time column is that of one whole pair and is not the figure of
// interest. After the run a summary table gives the counters (their median
// over --benchmark_repetitions, when given) with each ratio's target.
// rfalsiIter.dep repeats rfalsiIter against bare calls that carry the
// method's own data dependency (see rfalsiIter_dependiente), for comparison.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "Util/matutil.h"
#include "e_p3/func.h"
#include "raices.h"

// ---------------------------------------------------------------------------
// Costly objective: fun/Dfun plus a chain of dependent floating-point
// operations whose length is read through a volatile on every call, so the
// compiler can neither fold nor hoist it. The chain starts where the previous
// call's chain ended, so calls cannot overlap in the processor either: each
// call costs the whole chain, in the library and in the bare loops alike.
// The chain is multiplied by a zero that is also read through a volatile:
// the value is exactly fun(x) or Dfun(x) (a -0 becomes +0), whatever the
// length, and the chain cannot be dropped.

static volatile int eslabones = 0; // chain length, set once by calibra()
static volatile double cero = 0.0; // always 0; unknown to the compiler
static double eslabon = 0.75;      // end of the last chain; stays in [0.5, 0.75]

static double cadena() {
  const int n = eslabones;
  double s = eslabon;
  for (int i = 0; i < n; ++i) s = s * 0.5 + 0.25; // each link waits for the last
  eslabon = s;
  return s;
}

static double fun_caro(double x) { return fun(x) + cero * cadena(); }
static double Dfun_caro(double x) { return Dfun(x) + cero * cadena(); }

static double segundos(std::chrono::steady_clock::time_point t0,
                       std::chrono::steady_clock::time_point t1) {
  return std::chrono::duration<double>(t1 - t0).count();
}

// Time of one call of F through a pointer the compiler cannot see through:
// the best of several blocks, to leave out interruptions.
static double ns_por_llamada(func F) {
  benchmark::DoNotOptimize(F);
  const int llamadas = 2000;
  double mejor = 1e300;
  for (int bloque = 0; bloque < 200; ++bloque) {
    double x = 0.5;
    benchmark::DoNotOptimize(x);
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < llamadas; ++i) {
      double y = F(x);
      benchmark::DoNotOptimize(y);
    }
    const auto t1 = std::chrono::steady_clock::now();
    mejor = std::min(mejor, 1e9 * segundos(t0, t1) / llamadas);
  }
  return mejor;
}

static int acota(long n) { return static_cast<int>(std::clamp(n, 0L, 1000000L)); }

// Sets the chain length so that one call of fun_caro takes about objetivo_ns
// and returns the time of a call measured with that length. The time grows
// linearly with the length; two corrections absorb the noise of the first
// estimate.
static double calibra(double objetivo_ns) {
  eslabones = 0;
  const double base = ns_por_llamada(fun_caro);
  eslabones = 200;
  double medido = ns_por_llamada(fun_caro);
  for (int vuelta = 0; vuelta < 2 && medido > base && eslabones > 0; ++vuelta) {
    eslabones = acota(std::lround(eslabones * (objetivo_ns - base) / (medido - base)));
    medido = ns_por_llamada(fun_caro);
  }
  return medido;
}

// ---------------------------------------------------------------------------
// Steady states. [0, 1] brackets fun's root near 0.540; every call below
// starts from the same state and so does the same work, and every step takes
// its ordinary path (start checks 0, steps -2), which is checked before
// timing.

static const double A = 0.0, B = 1.0;  // bracket
static const double M = (A + B) / 2.0; // bisection's new point
static double R = 0.0;                 // regula falsi's new point, set in main
static const double X = 0.5;           // Newton's iterate

// Blocks of k calls. F and dF are laundered through DoNotOptimize, so the
// bare blocks call them through an opaque pointer exactly as the library
// does. Each returns the status of its last call (0 for the bare blocks).
typedef int (*Bloque)(func F, func dF, long k);

// The library's blocks, one per shape of function: the step function is a
// template argument, so each block calls it directly, as a user's loop would.
template <int (*Ini)(func, double, double)> static int ini_paso(func F, func, long k) {
  benchmark::DoNotOptimize(F);
  int s = 0;
  for (long i = 0; i < k; ++i) {
    s = Ini(F, A, B);
    benchmark::DoNotOptimize(s);
  }
  return s;
}

template <int (*Iter)(func, double &, double &, double &)>
static int iter_paso(func F, func, long k) {
  benchmark::DoNotOptimize(F);
  int s = 0;
  for (long i = 0; i < k; ++i) {
    double a = A, b = B, raiz = 0; // the same bracket every time
    s = Iter(F, a, b, raiz);
    benchmark::DoNotOptimize(s);
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(b);
    benchmark::DoNotOptimize(raiz);
  }
  return s;
}

template <int (*Newton)(func, func, double &, double &, double &)>
static int newton_paso(func F, func dF, long k) {
  benchmark::DoNotOptimize(F);
  benchmark::DoNotOptimize(dF);
  int s = 0;
  for (long i = 0; i < k; ++i) {
    double f = 0, df = 0, raiz = X; // back to the same iterate every time
    s = Newton(F, dF, f, df, raiz);
    benchmark::DoNotOptimize(s);
    benchmark::DoNotOptimize(f);
    benchmark::DoNotOptimize(df);
    benchmark::DoNotOptimize(raiz);
  }
  return s;
}

static int ini_desnudo(func F, func, long k) {
  benchmark::DoNotOptimize(F);
  for (long i = 0; i < k; ++i) {
    double fa = F(A);
    double fb = F(B);
    benchmark::DoNotOptimize(fa);
    benchmark::DoNotOptimize(fb);
  }
  return 0;
}

static int bisecIter_desnudo(func F, func, long k) {
  benchmark::DoNotOptimize(F);
  for (long i = 0; i < k; ++i) {
    double fa = F(A);
    double fb = F(B);
    double fm = F(M);
    benchmark::DoNotOptimize(fa);
    benchmark::DoNotOptimize(fb);
    benchmark::DoNotOptimize(fm);
  }
  return 0;
}

static int rfalsiIter_desnudo(func F, func, long k) {
  benchmark::DoNotOptimize(F);
  const double r = R;
  for (long i = 0; i < k; ++i) {
    double fa = F(A);
    double fb = F(B);
    double fr = F(r);
    benchmark::DoNotOptimize(fa);
    benchmark::DoNotOptimize(fb);
    benchmark::DoNotOptimize(fr);
  }
  return 0;
}

// The same calls with the data dependency that regula falsi cannot avoid:
// the third point is the secant's zero, computed from the first two values,
// so the third call waits for them and for a division. Shown beside the
// plain bare calls to separate the method's own cost from the library's.
static int rfalsiIter_dependiente(func F, func, long k) {
  benchmark::DoNotOptimize(F);
  for (long i = 0; i < k; ++i) {
    double fa = F(A);
    double fb = F(B);
    double fr = F((fa * B - fb * A) / (fa - fb));
    benchmark::DoNotOptimize(fa);
    benchmark::DoNotOptimize(fb);
    benchmark::DoNotOptimize(fr);
  }
  return 0;
}

static int newton_desnudo(func F, func dF, long k) {
  benchmark::DoNotOptimize(F);
  benchmark::DoNotOptimize(dF);
  for (long i = 0; i < k; ++i) {
    double f = F(X);
    double df = dF(X);
    benchmark::DoNotOptimize(f);
    benchmark::DoNotOptimize(df);
  }
  return 0;
}

struct Funcion {
  const char *nombre;
  Bloque paso;    // the library function
  Bloque desnudo; // its mandated calls, bare
  int status;     // what the library function returns in the steady state
  const char *llamadas;
  bool con_meta; // whether the ratio has a target
};

static const Funcion FUNCIONES[] = {
    {"bisecIni", ini_paso<bisecIni>, ini_desnudo, 0, "2 F", true},
    {"bisecIter", iter_paso<bisecIter>, bisecIter_desnudo, -2, "3 F", true},
    {"rfalsiIni", ini_paso<rfalsiIni>, ini_desnudo, 0, "2 F", true},
    {"rfalsiIter", iter_paso<rfalsiIter>, rfalsiIter_desnudo, -2, "3 F", true},
    {"rfalsiIter.dep", iter_paso<rfalsiIter>, rfalsiIter_dependiente, -2, "3 F", false},
    {"newtonIni", newton_paso<newtonIni>, newton_desnudo, 0, "F+dF", true},
    {"newtonIter", newton_paso<newtonIter>, newton_desnudo, -2, "F+dF", true},
};

struct Objetivo {
  const char *nombre;
  func F;
  func dF;
  long bloque;   // calls per block: some 10 to 30 microseconds
  double limite; // target for the ratio
};

static const Objetivo OBJETIVOS[] = {
    {"fun", fun, Dfun, 1024, 1.35},
    {"costly", fun_caro, Dfun_caro, 64, 1.05},
};

static double mediana(std::vector<double> v) {
  if (v.empty()) return 0;
  const auto mitad = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
  std::nth_element(v.begin(), mitad, v.end());
  return *mitad;
}

// Seconds taken by one block.
static double cronometra(Bloque bloque, const Objetivo &o) {
  const auto t0 = std::chrono::steady_clock::now();
  const int s = bloque(o.F, o.dF, o.bloque);
  const auto t1 = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(s);
  return segundos(t0, t1);
}

static void pares(benchmark::State &st, const Funcion &f, const Objetivo &o) {
  if (f.paso(o.F, o.dF, 1) != f.status) {
    st.SkipWithError("unexpected status");
    return;
  }
  std::vector<double> paso, desnudo, razon;
  bool paso_primero = true;
  for (auto _ : st) {
    double tp = 0, td = 0;
    if (paso_primero) {
      tp = cronometra(f.paso, o);
      td = cronometra(f.desnudo, o);
    } else {
      td = cronometra(f.desnudo, o);
      tp = cronometra(f.paso, o);
    }
    paso_primero = !paso_primero;
    paso.push_back(1e9 * tp / static_cast<double>(o.bloque));
    desnudo.push_back(1e9 * td / static_cast<double>(o.bloque));
    razon.push_back(tp / td);
  }
  st.counters["step_ns"] = mediana(paso);
  st.counters["bare_ns"] = mediana(desnudo);
  st.counters["ratio"] = mediana(razon);
}

// ---------------------------------------------------------------------------
// Console output as usual; the counters of each benchmark are kept for the
// summary: their median when there are repetitions, the single run's
// otherwise.
struct Cifras {
  double paso, desnudo, razon;
};

class Resumen : public benchmark::ConsoleReporter {
public:
  Resumen() : benchmark::ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run> &runs) override {
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run &r : runs) {
      if (r.error_occurred) continue;
      const bool mediana = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      const bool unica = r.run_type == Run::RT_Iteration && r.repetitions <= 1;
      if (!mediana && !unica) continue;
      const auto valor = [&r](const char *nombre) {
        const auto c = r.counters.find(nombre);
        return c == r.counters.end() ? 0.0 : c->second.value;
      };
      cifras[r.run_name.function_name] = {valor("step_ns"), valor("bare_ns"), valor("ratio")};
    }
  }

  std::map<std::string, Cifras> cifras; // by benchmark name
};

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  const double fa = fun(A), fb = fun(B);
  R = (fa * B - fb * A) / (fa - fb);

  const double costo = calibra(100.0);
  char texto[128];
  std::snprintf(texto, sizeof texto, "%d chain links, %.1f ns per call of F",
                static_cast<int>(eslabones), costo);
  benchmark::AddCustomContext("costly F", texto);

  for (const Objetivo &o : OBJETIVOS) {
    for (const Funcion &f : FUNCIONES) {
      const std::string nombre = std::string(f.nombre) + "/" + o.nombre;
      benchmark::RegisterBenchmark(nombre.c_str(), pares, f, o)->Unit(benchmark::kMicrosecond);
    }
  }

  Resumen resumen;
  benchmark::RunSpecifiedBenchmarks(&resumen);
  benchmark::Shutdown();

  std::printf("\nLibrary function against its calls of F and dF made bare\n"
              "(ns per call of the library function; ratio = step / bare, paired)\n");
  std::printf("%-14s %-7s %-5s %9s %9s %7s  %s\n", "function", "F", "calls", "step", "bare",
              "ratio", "target");
  int fuera = 0;
  for (const Objetivo &o : OBJETIVOS) {
    for (const Funcion &f : FUNCIONES) {
      const auto c = resumen.cifras.find(std::string(f.nombre) + "/" + o.nombre);
      if (c == resumen.cifras.end()) continue;
      const Cifras &x = c->second;
      std::printf("%-14s %-7s %-5s %9.2f %9.2f %7.3f", f.nombre, o.nombre, f.llamadas, x.paso,
                  x.desnudo, x.razon);
      if (f.con_meta) {
        const bool bien = x.razon <= o.limite;
        if (!bien) ++fuera;
        std::printf("  <= %.2f %s\n", o.limite, bien ? "ok" : "MISSED");
      } else {
        std::printf("  -\n");
      }
    }
  }
  std::printf("rfalsiIter.dep: rfalsiIter again, its bare third call made at the secant point\n"
              "computed from the first two values, as the method must; for comparison only\n");
  std::printf("costly F: %s (calibration)", texto);
  const auto medida = resumen.cifras.find("bisecIter/costly");
  if (medida != resumen.cifras.end())
    std::printf("; %.1f ns per call in the run (bisecIter bare / 3)", medida->second.desnudo / 3);
  std::printf("\n");
  if (fuera > 0) std::printf("%d ratio(s) above target\n", fuera);
  return 0;
}
