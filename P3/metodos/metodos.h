// The methods of the step library as one table. Each row is a method: its
// header, which ends with its adapter (metodo.h says what an adapter gives:
// its descriptor, its own state and its start, step and estimate), and its
// name in the tuple Metodos below. Adding a method adds its header (and its
// compiled form) and one row here; the state of a search, Busqueda, and the
// dispatch below are built from the table.
//
// Every driver (rootbench, rootcompare, the benchmarks) reads this table.
#ifndef RAICES_METODOS_H
#define RAICES_METODOS_H

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>

#include "metodo.h"

// One row per method: its header,
#include "biseccion.h"
#include "brent.h"
#include "chandrupatla.h"
#include "illinois.h"
#include "newton.h"
#include "regula_falsi.h"
#include "secante.h"
#include "steffensen.h"

namespace raices {

// and its adapter, in the order the programs show them, bracketing methods
// first.
using Metodos =
    std::tuple<Biseccion, RegulaFalsi, Illinois, Brent, Chandrupatla, Secante, Newton, Steffensen>;

constexpr std::size_t NUM_METODOS = std::tuple_size_v<Metodos>;

namespace detalle {

template <typename Tabla> struct EstadosDe;
template <typename... M> struct EstadosDe<std::tuple<M...>> {
  using tipo = std::variant<typename M::Estado...>;
};

} // namespace detalle

// The state of a search by any method of the table: the state of the method
// started last (alternative m of estado is row m's Estado, read by index,
// since two methods may keep the same type) and the caller's tolerance.
struct Busqueda {
  // The absolute width of bracket at which the caller will stop, set before
  // the start; the methods that know it (Brent, Chandrupatla) close their
  // bracket on it. 0: close it to the last doubles.
  double tolerancia = 0;
  detalle::EstadosDe<Metodos>::tipo estado{};
};

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

// Row I of the table on the state of a search: its adapter on the
// alternative I of s.estado.
template <std::size_t I> struct Fila {
  using M = std::tuple_element_t<I, Metodos>;
  using Estado = typename M::Estado;

  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn &dF, double a, double b, Busqueda &s) {
    return M::inicia(F, dF, a, b, s.tolerancia, s.estado.template emplace<I>());
  }
  // A state of another method gives way to an empty one of this method.
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn &dF, Busqueda &s) {
    Estado *e = std::get_if<I>(&s.estado);
    return M::avanza(F, dF, e != nullptr ? *e : s.estado.template emplace<I>());
  }
  // NaN on a state of another method.
  static double estimacion(const Busqueda &s) {
    const Estado *e = std::get_if<I>(&s.estado);
    return e != nullptr ? M::estimacion(*e) : std::numeric_limits<double>::quiet_NaN();
  }
  static double otro(const Busqueda &s) {
    const Estado *e = std::get_if<I>(&s.estado);
    return e != nullptr ? M::otro(*e) : std::numeric_limits<double>::quiet_NaN();
  }
  static const EstadoTramo *tramo(const Busqueda &s) {
    if constexpr (std::is_base_of_v<EstadoTramo, Estado>) {
      return std::get_if<I>(&s.estado);
    } else {
      return nullptr;
    }
  }
};

// The faces of every row for one pair of callable types: entry m is row m's.
template <typename Fn, typename DFn> struct Caras {
  using Inicia = int (*)(Fn &, DFn &, double, double, Busqueda &);
  using Avanza = int (*)(Fn &, DFn &, Busqueda &);
  template <std::size_t... I> static constexpr auto inicios(std::index_sequence<I...> /*filas*/) {
    return std::array<Inicia, sizeof...(I)>{&Fila<I>::template inicia<Fn, DFn>...};
  }
  template <std::size_t... I> static constexpr auto pasos(std::index_sequence<I...> /*filas*/) {
    return std::array<Avanza, sizeof...(I)>{&Fila<I>::template avanza<Fn, DFn>...};
  }
};

template <std::size_t... I> constexpr auto estimaciones(std::index_sequence<I...> /*filas*/) {
  return std::array<double (*)(const Busqueda &), sizeof...(I)>{&Fila<I>::estimacion...};
}
template <std::size_t... I> constexpr auto otros(std::index_sequence<I...> /*filas*/) {
  return std::array<double (*)(const Busqueda &), sizeof...(I)>{&Fila<I>::otro...};
}
template <std::size_t... I> constexpr auto tramos(std::index_sequence<I...> /*filas*/) {
  return std::array<const EstadoTramo *(*)(const Busqueda &), sizeof...(I)>{&Fila<I>::tramo...};
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

// The state of method M in s, or nullptr when s holds another method's.
template <typename M> const typename M::Estado *estado_de(const Busqueda &s) {
  return std::get_if<indice<M>>(&s.estado);
}

// The bracket a, b and newest point raiz of the method s was started by,
// when its state is an EstadoTramo (the methods of ConTramo, say), else nullptr.
inline const EstadoTramo *tramo(const Busqueda &s) {
  static constexpr auto tabla = detalle::tramos(detalle::TODOS);
  const std::size_t m = s.estado.index();
  return m < NUM_METODOS ? tabla[m](s) : nullptr;
}

} // namespace raices

#endif
