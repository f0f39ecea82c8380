// The curve of f as both programs draw it, so that a reader can trust it at a
// glance: the y range follows f's own values and clips only where f grows
// without bound (marked where the curve leaves the panel), axis numbers are
// written whole (no multiplier to hunt for), a removable point is an open
// circle on the curve, and where f is not defined the panel is shaded.
#ifndef P3_DIBUJO_CURVA_H
#define P3_DIBUJO_CURVA_H

#include <plplot.h>

#include <functional>
#include <vector>

namespace raices {

// A stretch of the x axis.
struct Tramo {
  double desde, hasta;
};

// The x range drawn for [a, b]: [a, b] itself, or widened about its centre
// where it is too narrow for PLplot to number its axis (a few ulps, subnormal
// ends), and kept within the doubles PLplot can compute with.
Tramo tramo_dibujable(double a, double b);

// A removable point: f not defined at x, with the same finite limit y on
// both sides.
struct Evitable {
  double x, y;
};

struct Curva {
  std::vector<PLFLT> x, y;                      // samples of f; NaN where not defined
  std::vector<double> cortes;                   // the curve is not joined across these
  std::vector<Tramo> indefinidos;               // where f is not defined: shaded
  std::vector<Evitable> evitables;              // drawn as open circles
  PLFLT y0 = -1, y1 = 1;                        // the y range drawn
  bool sale_arriba = false, sale_abajo = false; // f leaves the range
};

// Samples f over x and analyses it. `singulares` are points where f is
// known to grow without bound or jump (the curve is cut there); points where
// f was found undefined may be given in `indefinidos`, and are told apart
// as removable or not. Without a point of unbounded growth the range holds
// every finite value; with one, a few times f's median size.
Curva analiza_curva(const std::function<double(double)> &f, Tramo x, int muestras,
                    const std::vector<double> &singulares = {},
                    const std::vector<double> &indefinidos = {});

// The shaded stretches, the curve in `color` (cut at the singular points and
// where f is not defined), the open circles, and a mark where the curve
// leaves the range: on the current window.
void traza_curva(const Curva &c, PLINT color, PLINT color_sombra);

// The frame and both axes numbered in full (no multiplier), with ticks.
void caja(const Tramo &x, PLFLT y0, PLFLT y1);

// The marks for a curve that leaves the range, above and below (UTF-8).
extern const char *const SALE_ARRIBA;
extern const char *const SALE_ABAJO;

} // namespace raices

#endif
