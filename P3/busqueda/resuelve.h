// One whole search by any method of the table (metodos.h): the start, the
// steps under the stopping test of the method's family (paradas.h), and the
// verdict on where it stopped. Every program and benchmark solves through
// it, so "converged" means one thing everywhere.
//
// The verdict, with its thresholds written once here:
//   - F exactly 0 at a point the search reached is a root, whatever the step
//     said of it (Newton's zero derivative at a double root, say).
//   - A bracket that stopped is closed to neighbouring doubles (cierre.h).
//     It holds a root when |F| there is at most `fraccion_residuo` of the
//     scale of F on the problem, the larger |F| at the two starting points;
//     else F stays away from 0 where it changes sign, unbounded or jumping:
//     a singular point (21). |F| at the answer itself is not judged: a
//     steep F is large a tolerance away from a true root.
//   - An open method's point that stopped holds a root when its |F| passes
//     the same residual test and F has a zero around it (cero_local): an
//     estimate creeping along a tail where F only tends to 0 fails that. A
//     point that fails is a stall (23), or a singular point (21) when the
//     last two points straddle a sign change that closes with |F| large.
//   - A root that the caller's check (Criterio::comprueba) refutes is not
//     within the tolerance (14).
#ifndef RAICES_RESUELVE_H
#define RAICES_RESUELVE_H

#include <array>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <tuple>
#include <type_traits>
#include <utility>

#include "../metodos/estados.h"
#include "../metodos/metodos.h"
#include "cierre.h"
#include "cuenta.h"
#include "paradas.h"
#include "prueba.h"

namespace raices {

// How a search ended.
enum class Desenlace {
  raiz,         // stopped, and the verdict finds a zero there
  singularidad, // stopped on a sign change that is no zero: a pole or a jump (21)
  estancada,    // an open method stopped where F has no zero (23)
  limite,       // the step limit came first (11)
  falla,        // a step failed (the library's status: 9, 12)
  no_arranca,   // the start failed (the library's status: 9, 12, 27)
  no_alcanza,   // a root that the caller's check refutes (14)
};

// The test that ends the search after each step.
enum class Parada {
  familia, // the method's family: a bracket's width, an open method's change
  anchura, // the width between the estimate and the other end
  cambio,  // the change of the estimate in the last step
};

// Why the steps stopped, for a caller that words it.
enum class Motivo {
  ninguno,    // they did not: a failure or the step limit
  exacta,     // F is exactly 0 at the point
  tolerancia, // the stopping test held
  estancada,  // the step could not move its estimate (23)
};

struct Criterio {
  // The tolerance at x: max(absoluta, relativa |x|), or their sum when
  // `suma` (brentq's xtol + rtol |x|).
  double absoluta = 0, relativa = 0;
  bool suma = false;
  int max_pasos = 100;
  Parada parada = Parada::familia;
  // Also stop on F exactly 0 at the starting points and at every new
  // estimate, looked at with calls of F outside the step's own, or in the
  // state of a method that keeps F at its estimate (Brent, Chandrupatla).
  bool ceros_exactos = true;
  // Judge a stop as above (calls of F beyond the steps'); false: every stop
  // is a root, for benchmarks that time the methods' own work.
  bool juzga = true;
  // What ball arithmetic proves of a root x within delta, the tolerance at
  // x; empty: no check, and Solucion::prueba stays sin_demostrar.
  std::function<Prueba(double x, double delta)> comprueba;
  // Tell the method the absolute tolerance, so that Brent and Chandrupatla
  // close their bracket on it; false: they close it to the last doubles,
  // for a caller that wants the root to the last bit at a few more calls.
  bool tolerancia_al_metodo = true;

  double tolerancia(double x) const {
    const double r = relativa * std::fabs(x);
    return suma ? absoluta + r : std::fmax(absoluta, r);
  }
};

struct Solucion {
  Desenlace desenlace = Desenlace::no_arranca;
  int estado = 0; // 0 for a root, else the status of the outcome above
  Motivo motivo = Motivo::ninguno;
  // The answer: a bracketing method's final end with the smaller |F|, an
  // open method's last estimate; F there. The other end of the bracket, or
  // the estimate before the last.
  double raiz = NAN, f_raiz = NAN, otro = NAN;
  // Where the verdict looked: the bracket closed to neighbouring doubles,
  // else raiz.
  double x_cierre = NAN, f_cierre = NAN;
  int pasos = 0;
  // Every call the search made: the start's, the steps' and those of its
  // own looks (exact zeros, the verdict), each point counted once.
  long evals_f = 0, evals_df = 0;
  Prueba prueba = Prueba::sin_demostrar;
};

// What the observer sees after the start (paso 0) and after every step.
struct Paso {
  int paso;
  int estado;        // the start's or the step's status
  double x, previo;  // the estimate after it, and before it
  const Busqueda &s; // the search's state: the method's own in s.estado
  bool ultimo;       // the search ends here; sol holds its outcome
  const Solucion &sol;
};

// An observer that looks at nothing.
struct SinObservador {
  void operator()(const Paso & /*paso*/) const {}
};

// The residual test's share of the scale of F for a tolerance tol: a sign
// change whose |F|, closed to neighbouring doubles, stays above 1e-4 of |F|
// at the starting points is a pole or a jump; a zero, even of the steepest
// root x^(1/3), ends far below it. A loose tol loosens it for the open
// methods' estimates, which stop short of the last doubles; never above 1.
constexpr double RESIDUO = 1e-4;
inline double fraccion_residuo(double tol) { return std::fmin(1.0, std::fmax(RESIDUO, tol)); }

namespace detalle {

// Half-width of the zero test around an open method's point: ten
// tolerances, where a point that stopped on its change still lies; never
// below a few ulps.
constexpr double ENTORNO_TOL = 10, ENTORNO_MINIMO = 8 * DBL_EPSILON;

template <typename M> constexpr bool es_acotado = M::descriptor.familia == Familia::acotado;

// Method M's state keeps F at its estimate (M::f_estimacion).
template <typename M, typename = void> struct GuardaF : std::false_type {};
template <typename M>
struct GuardaF<M,
               std::void_t<decltype(M::f_estimacion(std::declval<const typename M::Estado &>()))>>
    : std::true_type {};

// The verdict for method M of the table, known when the code is compiled,
// so that its estimate and stopping test inline into the loop.
template <typename M, typename Fn> class Veredicto {
public:
  using Estado = typename M::Estado;

  Veredicto(Contado<Fn> &F, const Criterio &c, double a, double b)
      : F_(F), c_(c), a_(a), b_(b), absoluta_(c.absoluta), relativa_(c.relativa), suma_(c.suma),
        ancho_(c.parada == Parada::anchura || (c.parada == Parada::familia && es_acotado<M>)),
        ceros_(c.ceros_exactos) {}

  // The answer after the steps: a bracket's better end, else the estimate.
  void responde(const Estado &s, Solucion &sol) const {
    sol.raiz = M::estimacion(s);
    sol.otro = M::otro(s);
    sol.f_raiz = F_.valor(sol.raiz);
    if constexpr (es_acotado<M>) {
      const double f_otro = F_.valor(sol.otro);
      if (std::fabs(f_otro) < std::fabs(sol.f_raiz)) {
        std::swap(sol.raiz, sol.otro);
        sol.f_raiz = f_otro;
      }
    }
    sol.x_cierre = sol.raiz;
    sol.f_cierre = sol.f_raiz;
  }

  // Root, singular point or stall of a search that stopped; previo is the
  // estimate before the last.
  void juzga(double previo, Solucion &sol) const {
    if (!std::isfinite(sol.raiz)) return fija(sol, Desenlace::falla, RAICES_NO_FINITO);
    if (sol.f_raiz == 0) return raiz(sol);
    const double fraccion = fraccion_residuo(std::fmax(c_.absoluta, c_.relativa));
    if constexpr (es_acotado<M>) {
      cierra_cambio(sol.raiz, sol.f_raiz, sol.otro, sol);
      if (residuo(sol.f_cierre, fraccion)) return raiz(sol);
      return fija(sol, Desenlace::singularidad, SINGULARIDAD);
    }
    const auto Fv = [this](double x) { return F_.valor(x); };
    if (residuo(sol.f_raiz, fraccion) && cero_local(Fv, sol.raiz, entorno(sol.raiz)))
      return raiz(sol);
    cierra_cambio(sol.raiz, sol.f_raiz, previo, sol);
    if (sol.x_cierre != sol.raiz && !residuo(sol.f_cierre, fraccion))
      return fija(sol, Desenlace::singularidad, SINGULARIDAD);
    fija(sol, Desenlace::estancada, RAICES_ESTANCADA);
  }

  // Why the steps stop after one that returned estado with estimate x (the
  // estimate before it: previo), or Motivo::ninguno when they go on or fail.
  Motivo motivo(const Estado &s, int estado, double x, double previo) const {
    if (estado == RAICES_CONTINUA) {
      const double r = relativa_ * std::fabs(x); // Criterio::tolerancia(x)
      const double tol = suma_ ? absoluta_ + r : std::fmax(absoluta_, r);
      if (ancho_ ? ancho_menor(x, M::otro(s), tol) : cambio_menor(x, previo, tol))
        return Motivo::tolerancia;
      return ceros_ && f_en(s, x) == 0 ? Motivo::exacta : Motivo::ninguno;
    }
    if (estado == RAICES_EXITO) return Motivo::exacta;
    if (estado == RAICES_ESTANCADA) return Motivo::estancada;
    // A failed step at an exact zero: a root all the same.
    return f_en(s, x) == 0 ? Motivo::exacta : Motivo::ninguno;
  }

  // The outcome of a search whose last step returned estado with estimate
  // x, sol.motivo already set.
  void concluye(const Estado &s, int estado, double x, double previo, Solucion &sol) const {
    if (!c_.juzga) {
      sol.raiz = x;
      sol.otro = M::otro(s);
    } else {
      responde(s, sol);
    }
    if (sol.motivo == Motivo::ninguno) {
      if (estado == RAICES_CONTINUA) return fija(sol, Desenlace::limite, MAX_ITERACIONES);
      // A step that fails (a division by zero) where the caller's check
      // proves a root within tolerance of the estimate: that root.
      if (c_.juzga && c_.comprueba && std::isfinite(sol.raiz)) {
        const Prueba p = c_.comprueba(sol.raiz, c_.tolerancia(sol.raiz));
        if (p == Prueba::exacta || p == Prueba::demostrada) {
          fija(sol, Desenlace::raiz, SALIDA_BIEN);
          sol.prueba = p;
          return;
        }
      }
      return fija(sol, Desenlace::falla, estado);
    }
    if (!c_.juzga) return fija(sol, Desenlace::raiz, SALIDA_BIEN);
    if (sol.motivo == Motivo::exacta && F_.valor(x) == 0) {
      sol.raiz = sol.x_cierre = x;
      sol.f_raiz = sol.f_cierre = 0;
      return raiz(sol);
    }
    juzga(previo, sol);
  }

  // A root at sol.raiz, unless the caller's check refutes it.
  void raiz(Solucion &sol) const {
    fija(sol, Desenlace::raiz, SALIDA_BIEN);
    if (!c_.comprueba) return;
    sol.prueba = c_.comprueba(sol.raiz, c_.tolerancia(sol.raiz));
    if (sol.prueba == Prueba::refutada) fija(sol, Desenlace::no_alcanza, NO_ALCANZA);
  }

  static void fija(Solucion &sol, Desenlace d, int estado) {
    sol.desenlace = d;
    sol.estado = estado;
  }

private:
  // F at the estimate x: from the state when the method keeps it there,
  // else by a call of F.
  double f_en(const Estado &s, double x) const {
    if constexpr (GuardaF<M>::value) {
      return M::f_estimacion(s);
    } else {
      return F_.valor(x);
    }
  }

  // The residual test against the scale of F at the starting points; F at
  // b is looked at only when F at a alone leaves it open (a method that
  // starts from a has not computed it).
  bool residuo(double fx, double fraccion) const {
    const double fa = F_.valor(a_);
    if (std::isfinite(fa) && std::fabs(fx) <= fraccion * std::fabs(fa)) return true;
    return residuo_relativo(fx, fa, F_.valor(b_), fraccion);
  }

  double entorno(double x) const {
    return std::fmax(ENTORNO_TOL * c_.tolerancia(x), ENTORNO_MINIMO * std::fmax(1.0, std::fabs(x)));
  }

  // When F has opposite strict signs at x and y, their sign change closed
  // to neighbouring doubles into sol's x_cierre, f_cierre.
  void cierra_cambio(double x, double fx, double y, Solucion &sol) const {
    const double fy = F_.valor(y);
    if (!detalle::signo_opuesto(fx, fy)) return;
    const Punto p = cierra_desde([this](double t) { return F_.valor(t); }, x, fx, y, fy);
    sol.x_cierre = p.x;
    sol.f_cierre = p.fx;
  }

  Contado<Fn> &F_;
  const Criterio &c_;
  double a_, b_;
  // The stopping test's data, copied so that they stay in registers across
  // the calls of F, which could change the criterion for all the compiler
  // knows.
  double absoluta_, relativa_;
  bool suma_, ancho_, ceros_;
};

} // namespace detalle

namespace detalle {

// The whole search by method M, its start, step, estimate and stopping test
// called directly: resuelve below picks M once per search, so no step goes
// through the table's indirect calls.
template <typename M, typename Fn, typename DFn, typename Observa>
Solucion resuelve_con(Fn &F, DFn &dF, double a, double b, const Criterio &c, Observa &observa) {
  Solucion sol;
  // Counted in locals, kept in registers, and written to sol before the
  // observer looks and at the end.
  Contado<Fn> Fc(F);
  long evals_df = 0;
  auto dFc = [&](double x) {
    ++evals_df;
    return dF(x);
  };
  const Veredicto<M, Fn> veredicto(Fc, c, a, b);
  Busqueda s;
  s.tolerancia = c.tolerancia_al_metodo ? c.absoluta : 0;
  // M's own state, stepped directly: no step looks at which method s holds.
  typename M::Estado &e = s.estado.template emplace<raices::indice<M>>();
  int estado = M::inicia(Fc, dFc, a, b, s.tolerancia, e);
  Fc.guarda_extremos(a, b);
  double previo = M::estimacion(e);
  const auto informa = [&](int paso, double x, bool ultimo) {
    constexpr bool mira = !std::is_same_v<std::decay_t<Observa>, SinObservador>;
    if (!(mira || ultimo)) return;
    sol.pasos = paso;
    sol.evals_f = Fc.llamadas();
    sol.evals_df = evals_df;
    if constexpr (mira) observa(Paso{paso, estado, x, previo, s, ultimo, sol});
  };
  // An exact zero at a starting point ends the search before any step.
  if (c.ceros_exactos) {
    constexpr bool dos = M::descriptor.arranque != Arranque::desde_a;
    for (const double x : {a, b}) {
      if (!(x == a || dos) || Fc.valor(x) != 0) continue;
      sol.raiz = sol.x_cierre = x;
      sol.f_raiz = sol.f_cierre = 0;
      sol.otro = x == a ? b : a;
      sol.motivo = Motivo::exacta;
      veredicto.raiz(sol);
      informa(0, previo, true);
      return sol;
    }
  }
  if (estado != RAICES_EXITO) {
    Veredicto<M, Fn>::fija(sol, Desenlace::no_arranca, estado);
    informa(0, previo, true);
    return sol;
  }
  informa(0, previo, false);
  const int max_pasos = c.max_pasos;
  for (int k = 1; k <= max_pasos; ++k) {
    estado = M::avanza(Fc, dFc, e);
    const double x = M::estimacion(e);
    const Motivo motivo = veredicto.motivo(e, estado, x, previo);
    const bool ultimo = motivo != Motivo::ninguno || estado != RAICES_CONTINUA || k == max_pasos;
    if (ultimo) {
      sol.motivo = motivo;
      veredicto.concluye(e, estado, x, previo, sol);
    }
    informa(k, x, ultimo);
    if (ultimo) return sol;
    previo = x;
  }
  // max_pasos below 1: not one step allowed.
  sol.evals_f = Fc.llamadas();
  sol.evals_df = evals_df;
  Veredicto<M, Fn>::fija(sol, Desenlace::limite, MAX_ITERACIONES);
  return sol;
}

// The row m of the table picked once: one indirect call per search.
template <typename Fn, typename DFn, typename Observa, std::size_t... I>
Solucion despacha(std::size_t m, Fn &F, DFn &dF, double a, double b, const Criterio &c,
                  Observa &observa, std::index_sequence<I...> /*filas*/) {
  using Resolutor = Solucion (*)(Fn &, DFn &, double, double, const Criterio &, Observa &);
  static constexpr std::array<Resolutor, sizeof...(I)> tabla{
      &resuelve_con<std::tuple_element_t<I, Metodos>, Fn, DFn, Observa>...};
  return tabla[m](F, dF, a, b, c, observa);
}

} // namespace detalle

// Method m (a row of the table) on F (and dF, for the methods that take it)
// from a and b as its descriptor's Arranque says, stopped as c says, with
// observa(Paso) called after the start and after every step. Calls F and dF
// through the steps, and F alone for the zero checks and the verdict.
template <typename Fn, typename DFn, typename Observa = SinObservador>
Solucion resuelve(std::size_t m, Fn &&F, DFn &&dF, double a, double b, const Criterio &c,
                  Observa &&observa = {}) {
  return detalle::despacha(m, F, dF, a, b, c, observa, detalle::TODOS);
}

// The same, for a method that takes no derivative.
template <typename Fn, typename Observa = SinObservador>
Solucion resuelve(std::size_t m, Fn &&F, double a, double b, const Criterio &c,
                  Observa &&observa = {}) {
  return resuelve(m, F, detalle::sin_derivada, a, b, c, observa);
}

} // namespace raices

#endif
