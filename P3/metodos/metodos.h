// The methods of the step library as one table. Each row is a small adapter
// that gives its method the same face as every other: start on [a, b] (or
// from a, or from a and b), step, the current estimate, and the other end of
// the bracket or the previous point, all over one shared state, Busqueda.
// Its descriptor says what a driver needs to know without running it: name,
// family, where it starts and what a step costs.
//
// Every driver (rootbench, rootcompare, the benchmarks) reads this table;
// adding a method adds its header, its adapter and its row here. The
// adapters call the documented step functions and add nothing to them.
#ifndef RAICES_METODOS_H
#define RAICES_METODOS_H

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <tuple>
#include <type_traits>
#include <utility>

#include "biseccion.h"
#include "brent.h"
#include "chandrupatla.h"
#include "illinois.h"
#include "newton.h"
#include "regula_falsi.h"
#include "secante.h"
#include "steffensen.h"

namespace raices {

// Bracketing methods keep a sign change between two points and stop on the
// width of their bracket; open methods follow one estimate and stop on its
// change.
enum class Familia { acotado, abierto };

// The starting data a method takes from [A, B].
enum class Arranque {
  intervalo,   // the bracket [A, B]
  desde_a,     // the single point A
  desde_a_y_b, // the two points A and B
};

struct Descriptor {
  const char *clave;  // ASCII key, for files and options: "biseccion"
  const char *nombre; // the name shown to the user, Latin-1
  Familia familia;
  Arranque arranque;
  int evals_f;  // calls of F per step
  int evals_df; // calls of dF per step
};

// The state of a search by any method. Each adapter uses the fields its
// method needs and leaves the others alone.
struct Busqueda {
  double a = 0, b = 0;   // bracket ends; secant: previous and current point
  double fa = 0, fb = 0; // F at a and b, as the method keeps them
  double raiz = 0;       // newest point of the step
  double f_raiz = 0, df_raiz = 0;
  double previo = 0; // Newton, Steffensen: the estimate before the last step
  int lado = 0;      // Illinois: how long the same end has been kept
  EstadoBrent brent{};
  EstadoChandrupatla chandrupatla{};
  // The absolute width of bracket at which the caller will stop, set before
  // the start; the methods that know it (Brent, Chandrupatla) close their
  // bracket on it. 0: close it to the last doubles.
  double tolerancia = 0;
};

// The other point of a two-point bracketing step: the end that raiz is not.
inline double otro_extremo(const Busqueda &s) { return s.raiz == s.a ? s.b : s.a; }

struct Biseccion {
  static constexpr Descriptor descriptor{
      "biseccion", "bisecci\xF3n", Familia::acotado, Arranque::intervalo, 3, 0};
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn & /*dF*/, double a, double b, Busqueda &s) {
    s.a = s.raiz = a;
    s.b = b;
    return bisecIni(F, a, b);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn & /*dF*/, Busqueda &s) {
    return bisecIter(F, s.a, s.b, s.raiz);
  }
  static double estimacion(const Busqueda &s) { return s.raiz; }
  static double otro(const Busqueda &s) { return otro_extremo(s); }
};

struct RegulaFalsi {
  static constexpr Descriptor descriptor{
      "regula_falsi", "regula falsi", Familia::acotado, Arranque::intervalo, 3, 0};
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn & /*dF*/, double a, double b, Busqueda &s) {
    s.a = s.raiz = a;
    s.b = b;
    return rfalsiIni(F, a, b);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn & /*dF*/, Busqueda &s) {
    return rfalsiIter(F, s.a, s.b, s.raiz);
  }
  static double estimacion(const Busqueda &s) { return s.raiz; }
  static double otro(const Busqueda &s) { return otro_extremo(s); }
};

struct Illinois {
  static constexpr Descriptor descriptor{"illinois",          "Illinois", Familia::acotado,
                                         Arranque::intervalo, 1,          0};
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn & /*dF*/, double a, double b, Busqueda &s) {
    s.a = s.raiz = a;
    s.b = b;
    return illinoisIni(F, a, b, s.fa, s.fb, s.lado);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn & /*dF*/, Busqueda &s) {
    return illinoisIter(F, s.a, s.b, s.fa, s.fb, s.lado, s.raiz);
  }
  static double estimacion(const Busqueda &s) { return s.raiz; }
  static double otro(const Busqueda &s) { return otro_extremo(s); }
};

// Brent's estimate is its best point b, its other end the contrapoint c; it
// takes the caller's tolerance from s.tolerancia at the start.
struct Brent {
  static constexpr Descriptor descriptor{"brent", "Brent", Familia::acotado, Arranque::intervalo,
                                         1,       0};
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn & /*dF*/, double a, double b, Busqueda &s) {
    s.brent = EstadoBrent{a, 0, b, 0, a, 0, 0, 0, s.tolerancia};
    return brentIni(F, a, b, s.brent, s.tolerancia);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn & /*dF*/, Busqueda &s) {
    return brentIter(F, s.brent);
  }
  static double estimacion(const Busqueda &s) { return s.brent.b; }
  static double otro(const Busqueda &s) { return s.brent.c; }
  // F at the estimate, which the state keeps: the search need not call F.
  static double f_estimacion(const Busqueda &s) { return s.brent.fb; }
};

// Chandrupatla's estimate is the end with the smaller |F|; it takes the
// caller's tolerance from s.tolerancia at the start.
struct Chandrupatla {
  static constexpr Descriptor descriptor{
      "chandrupatla", "Chandrupatla", Familia::acotado, Arranque::intervalo, 1, 0};
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn & /*dF*/, double a, double b, Busqueda &s) {
    return chandrupatlaIni(F, a, b, s.chandrupatla, s.tolerancia);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn & /*dF*/, Busqueda &s) {
    return chandrupatlaIter(F, s.chandrupatla);
  }
  static double estimacion(const Busqueda &s) {
    const EstadoChandrupatla &e = s.chandrupatla;
    return std::fabs(e.fa) < std::fabs(e.fb) ? e.a : e.b;
  }
  static double otro(const Busqueda &s) {
    const EstadoChandrupatla &e = s.chandrupatla;
    return std::fabs(e.fa) < std::fabs(e.fb) ? e.b : e.a;
  }
  static double f_estimacion(const Busqueda &s) {
    const EstadoChandrupatla &e = s.chandrupatla;
    return std::fabs(e.fa) < std::fabs(e.fb) ? e.fa : e.fb;
  }
};

// The secant's two points are a (previous) and b (current).
struct Secante {
  static constexpr Descriptor descriptor{
      "secante", "secante", Familia::abierto, Arranque::desde_a_y_b, 1, 0};
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn & /*dF*/, double a, double b, Busqueda &s) {
    s.a = a;
    s.b = b;
    return secanteIni(F, a, b, s.fa, s.fb);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn & /*dF*/, Busqueda &s) {
    return secanteIter(F, s.a, s.b, s.fa, s.fb);
  }
  static double estimacion(const Busqueda &s) { return s.b; }
  static double otro(const Busqueda &s) { return s.a; }
};

struct Newton {
  static constexpr Descriptor descriptor{"newton",          "Newton", Familia::abierto,
                                         Arranque::desde_a, 1,        1};
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn &dF, double a, double /*b*/, Busqueda &s) {
    s.raiz = s.previo = a;
    return newtonIni(F, dF, s.f_raiz, s.df_raiz, s.raiz);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn &dF, Busqueda &s) {
    s.previo = s.raiz;
    return newtonIter(F, dF, s.f_raiz, s.df_raiz, s.raiz);
  }
  static double estimacion(const Busqueda &s) { return s.raiz; }
  static double otro(const Busqueda &s) { return s.previo; }
};

struct Steffensen {
  static constexpr Descriptor descriptor{
      "steffensen", "Steffensen", Familia::abierto, Arranque::desde_a, 2, 0};
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn & /*dF*/, double a, double /*b*/, Busqueda &s) {
    s.raiz = s.previo = a;
    return steffensenIni(F, s.f_raiz, s.raiz);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn & /*dF*/, Busqueda &s) {
    s.previo = s.raiz;
    return steffensenIter(F, s.f_raiz, s.raiz);
  }
  static double estimacion(const Busqueda &s) { return s.raiz; }
  static double otro(const Busqueda &s) { return s.previo; }
};

// An adapter may also give f_estimacion(s), F at its estimate as its state
// keeps it, so that the search's test for an exact zero calls F no more.

// The table: every method of the library, in the order the programs show
// them, bracketing methods first.
using Metodos =
    std::tuple<Biseccion, RegulaFalsi, Illinois, Brent, Chandrupatla, Secante, Newton, Steffensen>;

constexpr std::size_t NUM_METODOS = std::tuple_size_v<Metodos>;

namespace detalle {

template <std::size_t... I>
constexpr std::array<Descriptor, sizeof...(I)> descriptores(std::index_sequence<I...> /*filas*/) {
  return {std::tuple_element_t<I, Metodos>::descriptor...};
}

template <typename M, std::size_t I = 0> constexpr std::size_t indice() {
  static_assert(I < NUM_METODOS, "not a method of the table");
  if constexpr (std::is_same_v<M, std::tuple_element_t<I, Metodos>>) {
    return I;
  } else {
    return indice<M, I + 1>();
  }
}

// The faces of every method for one pair of callable types, built from the
// table: entry m is method m's adapter.
template <typename Fn, typename DFn> struct Caras {
  using Inicia = int (*)(Fn &, DFn &, double, double, Busqueda &);
  using Avanza = int (*)(Fn &, DFn &, Busqueda &);
  using Lee = double (*)(const Busqueda &);
  template <std::size_t... I> static constexpr auto inicios(std::index_sequence<I...> /*filas*/) {
    return std::array<Inicia, sizeof...(I)>{
        &std::tuple_element_t<I, Metodos>::template inicia<Fn, DFn>...};
  }
  template <std::size_t... I> static constexpr auto pasos(std::index_sequence<I...> /*filas*/) {
    return std::array<Avanza, sizeof...(I)>{
        &std::tuple_element_t<I, Metodos>::template avanza<Fn, DFn>...};
  }
};

template <std::size_t... I> constexpr auto estimaciones(std::index_sequence<I...> /*filas*/) {
  return std::array<double (*)(const Busqueda &), sizeof...(I)>{
      &std::tuple_element_t<I, Metodos>::estimacion...};
}
template <std::size_t... I> constexpr auto otros(std::index_sequence<I...> /*filas*/) {
  return std::array<double (*)(const Busqueda &), sizeof...(I)>{
      &std::tuple_element_t<I, Metodos>::otro...};
}

constexpr auto TODOS = std::make_index_sequence<NUM_METODOS>{};

// dF for the methods that need none: a call would make Newton fail with 9.
inline double sin_derivada(double /*x*/) { return std::numeric_limits<double>::quiet_NaN(); }

} // namespace detalle

// The descriptors of the table, in its order.
constexpr std::array<Descriptor, NUM_METODOS> DESCRIPTORES = detalle::descriptores(detalle::TODOS);

// The row of method M in the table.
template <typename M> constexpr std::size_t indice = detalle::indice<M>();

// Method m (a row of the table) started on a, b into s: its start function's
// status (0 when the search may go on).
template <typename Fn, typename DFn>
int inicia(std::size_t m, Fn &F, DFn &dF, double a, double b, Busqueda &s) {
  static constexpr auto tabla = detalle::Caras<Fn, DFn>::inicios(detalle::TODOS);
  return tabla[m](F, dF, a, b, s);
}

// One step of method m on s: its step function's status.
template <typename Fn, typename DFn> int avanza(std::size_t m, Fn &F, DFn &dF, Busqueda &s) {
  static constexpr auto tabla = detalle::Caras<Fn, DFn>::pasos(detalle::TODOS);
  return tabla[m](F, dF, s);
}

// The same, for a caller with no derivative.
template <typename Fn> int inicia(std::size_t m, Fn &F, double a, double b, Busqueda &s) {
  auto dF = detalle::sin_derivada;
  return inicia(m, F, dF, a, b, s);
}
template <typename Fn> int avanza(std::size_t m, Fn &F, Busqueda &s) {
  auto dF = detalle::sin_derivada;
  return avanza(m, F, dF, s);
}

// Method m's current estimate, and the other end of its bracket (bracketing)
// or its previous point (open).
inline double estimacion(std::size_t m, const Busqueda &s) {
  static constexpr auto tabla = detalle::estimaciones(detalle::TODOS);
  return tabla[m](s);
}
inline double otro(std::size_t m, const Busqueda &s) {
  static constexpr auto tabla = detalle::otros(detalle::TODOS);
  return tabla[m](s);
}

} // namespace raices

#endif
