// Illinois method on any callable F: regula falsi,
//
//   x[i+1] = (f(a) b - f(b) a) / (f(a) - f(b)),
//
// where the stored F value of an end that has been kept twice running is
// halved. Plain regula falsi keeps one end for ever on a convex F and
// converges only linearly; the halving pulls the next point towards the
// kept end, so the stalled end finally moves and convergence is superlinear.
// At a multiple or very flat root F at the moving end falls faster than the
// halvings, and the kept end would never move: once an end has been kept
// RETENCIONES_ILLINOIS times running, the step bisects until it moves, so the
// bracket always closes. Where F is so flat that the point rounds onto an
// end, F there is already known: the step bisects too.
//
// Invariant at the start of every step: fa and fb are finite, F(a) and F(b)
// with the kept end's value possibly halved, and have no common strict sign
// (the bracket [a, b] holds a sign change); lado counts how many steps
// running the same end has been kept (-k: a, +k: b, 0: none yet).
#ifndef RAICES_ILLINOIS_H
#define RAICES_ILLINOIS_H

#include <cmath>

#include "metodo.h"
#include "raices_pasos.h"

namespace raices::detalle {

// a + t (b - a), t in [0, 1], kept between a and b where rounding would put
// it an ulp outside. Where b - a overflows, the two products give the same
// point without overflow.
inline double entre(double a, double b, double t) {
  double ancho = b - a;
  double x = std::isfinite(ancho) ? a + t * ancho : a + (t * b - t * a);
  return std::fmin(std::fmax(x, std::fmin(a, b)), std::fmax(a, b));
}

// Halves a stored F value, unless the half underflows to zero: a zero would
// claim an exact root at that end.
inline double mitad(double f) {
  double m = f / 2;
  return m != 0 ? m : f;
}

// Steps running that an end may be kept before the step bisects instead.
const int RETENCIONES_ILLINOIS = 3;

// lado after one more step that keeps the end of sentido (-1: a, +1: b):
// the count goes on while the same end is kept, up to RETENCIONES_ILLINOIS.
inline int cuenta_retencion(int lado, int sentido) {
  const bool mismo = sentido < 0 ? lado < 0 : lado > 0;
  if (!mismo) return sentido;
  const bool tope = lado <= -RETENCIONES_ILLINOIS || lado >= RETENCIONES_ILLINOIS;
  return tope ? sentido * RETENCIONES_ILLINOIS : lado + sentido;
}

} // namespace raices::detalle

// The same check as bisecIni, storing F(a) / F(b) into fa / fb before each
// is tested and 0 into lado. Returns 0, 9 or 27.
template <typename Fn>
int illinoisIni(Fn &&F, double a, double b, double &fa, double &fb, int &lado) {
  lado = 0;
  return raices::detalle::acotada(F, a, b, fa, fb);
}
int illinoisIni(func F, double a, double b, double &fa, double &fb, int &lado);

// Regula falsi on the stored values, then F(raiz): one call. The new point
// replaces the end whose F value has its sign; when the same end has been
// kept twice running, its stored F value is halved; once kept three times
// running, the step takes the midpoint instead. lado counts the steps the
// same end has been kept (-k: a, +k: b, up to 3). Returns 0 (an end or the
// new point is an exact root, raiz holds it, ends unchanged), -2, 9 (ends
// unchanged), 12 when fa == fb (nothing written), 23 when a and b are
// neighbouring doubles, so that no new point lies between them (nothing
// written, F not called).

// The point is written as a + t (b - a) with t = fa / (fa - fb): with
// opposite signs |fa| <= |fa - fb|, so t lies in [0, 1] and the point in the
// bracket, where the plain formula can overflow.
template <typename Fn>
int illinoisIter(Fn &&F, double &a, double &b, double &fa, double &fb, int &lado, double &raiz) {
  using raices::detalle::mitad;
  if (fa == 0 || fb == 0) { // an end is already an exact root
    raiz = fa == 0 ? a : b;
    return RAICES_EXITO;
  }
  if (fa == fb) return RAICES_DIVISION_CERO; // exact: only then is the divisor zero
  using raices::detalle::RETENCIONES_ILLINOIS;
  const bool atascado = lado <= -RETENCIONES_ILLINOIS || lado >= RETENCIONES_ILLINOIS;
  double nuevo = raices::detalle::entre(a, b, atascado ? 0.5 : fa / (fa - fb));
  if (nuevo == a || nuevo == b) nuevo = raices::detalle::entre(a, b, 0.5); // see above
  if (nuevo == a || nuevo == b) return RAICES_ESTANCADA; // neighbours: no point between
  raiz = nuevo;
  double f_raiz = F(raiz);
  if (!std::isfinite(f_raiz)) return RAICES_NO_FINITO;
  if (f_raiz == 0) return RAICES_EXITO;             // exact root; -0 counts too
  if (raices::detalle::signo_opuesto(fa, f_raiz)) { // a kept
    b = raiz;
    fb = f_raiz;
    lado = raices::detalle::cuenta_retencion(lado, -1);
    if (lado < -1) fa = mitad(fa);
  } else { // b kept
    a = raiz;
    fa = f_raiz;
    lado = raices::detalle::cuenta_retencion(lado, 1);
    if (lado > 1) fb = mitad(fb);
  }
  return RAICES_CONTINUA;
}
int illinoisIter(func F, double &a, double &b, double &fa, double &fb, int &lado, double &raiz);

namespace raices {

// Illinois as a row of the table: the bracket, its ends' stored F values and
// the count of the kept end.
struct Illinois : ConTramo<Illinois> {
  static constexpr Descriptor descriptor{"illinois",          "Illinois", Familia::acotado,
                                         Arranque::intervalo, 1,          0};
  struct Estado : EstadoTramo {
    double fa = 0, fb = 0;
    int lado = 0;
  };
  template <typename Fn> static int arranca(Fn &F, Estado &e) {
    return illinoisIni(F, e.a, e.b, e.fa, e.fb, e.lado);
  }
  template <typename Fn> static int paso(Fn &F, Estado &e) {
    return illinoisIter(F, e.a, e.b, e.fa, e.fb, e.lado, e.raiz);
  }
};

} // namespace raices

#endif
