// What a method of the table is. Each method's header ends with its adapter,
// a struct in namespace raices that gives the method the face every driver
// uses:
//
//   descriptor                          its name, family, start and cost;
//   Estado                              what it keeps between steps;
//   inicia(F, dF, a, b, tolerancia, e)  its start on a, b into e;
//   avanza(F, dF, e)                    one step;
//   estimacion(e), otro(e)              its estimate, and the other end of
//                                       its bracket or its previous point;
//   f_estimacion(e)                     optional: F at the estimate, which
//                                       e keeps, so that no call is needed.
//
// tolerancia is the absolute width of bracket at which the caller will stop
// (0: close it to the last doubles); the methods that know it close their
// bracket on it, the others ignore it. The adapters call the documented step
// functions and add nothing to them. The table (metodos.h) lists the
// adapters; this header holds what they share: ConTramo gives every face
// but the descriptor and the state to a bracketing method that names only
// its start and step calls.
#ifndef RAICES_METODO_H
#define RAICES_METODO_H

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

// The state of a bracketing method that keeps its ends a, b and its newest
// point raiz, one of them after every step.
struct EstadoTramo {
  double a = 0, b = 0, raiz = 0;
};

// The other point of a two-point bracketing step: the end that raiz is not.
inline double otro_extremo(const EstadoTramo &t) { return t.raiz == t.a ? t.b : t.a; }

// The faces of a bracketing method M whose state is an EstadoTramo or
// extends one and whose start and step take F alone: the bracket [a, b]
// with raiz on a at the start, its newest point as the estimate and the end
// that point is not as the other. M gives the rest: arranca(F, e), its
// start on the ends of e, and paso(F, e), its step.
template <typename M> struct ConTramo {
  template <typename Fn, typename DFn, typename E>
  static int inicia(Fn &F, DFn & /*dF*/, double a, double b, double /*tolerancia*/, E &e) {
    e.a = e.raiz = a;
    e.b = b;
    return M::arranca(F, e);
  }
  template <typename Fn, typename DFn, typename E> static int avanza(Fn &F, DFn & /*dF*/, E &e) {
    return M::paso(F, e);
  }
  static double estimacion(const EstadoTramo &t) { return t.raiz; }
  static double otro(const EstadoTramo &t) { return otro_extremo(t); }
};

// The state of an open method that follows one point: the estimate and the
// one before the last step.
struct EstadoIterado {
  double raiz = 0, previo = 0;
};

// The estimate and the previous point of a method whose state is an EstadoIterado or
// extends one.
struct ConIterado {
  static double estimacion(const EstadoIterado &p) { return p.raiz; }
  static double otro(const EstadoIterado &p) { return p.previo; }
  // Both at x at the start.
  static void empieza(EstadoIterado &p, double x) { p.raiz = p.previo = x; }
  // Before a step: the estimate becomes the previous point.
  static void recuerda(EstadoIterado &p) { p.previo = p.raiz; }
};

} // namespace raices

#endif
