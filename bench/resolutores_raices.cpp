// Whole solves with the step library, in its documented order: the start
// function, then the step function while it returns RAICES_CONTINUA and the
// stopping rule does not hold. F and dF are counting functors, so the
// template forms of the step functions are the ones called.
#include "P3/raices.h"
#include "resolutores.h"

namespace resolutores {

namespace {

// Calls paso(x, y) (one step; writes the estimate into x and, into y, the
// other end of the bracket or the estimate before the step) until it returns
// RAICES_EXITO (exact root), fails, or x and y are close enough.
template <typename Paso> void itera(Resultado &r, Paso paso) {
  while (r.pasos < MAX_PASOS) {
    ++r.pasos;
    double y = NAN;
    const int s = paso(r.x, y);
    if (s == RAICES_EXITO || (s == RAICES_CONTINUA && cerca(r.x, y))) {
      r.para = true;
      return;
    }
    if (s != RAICES_CONTINUA) return;
  }
}

// The end of [a, b] that is not x.
double otro(double a, double b, double x) { return x == a ? b : a; }

} // namespace

Resultado biseccion(const casos::Caso &c) {
  Resultado r;
  Contador k{c, r};
  const Contada F{&k};
  double a = c.a, b = c.b;
  if (bisecIni(F, a, b) == RAICES_EXITO)
    itera(r, [&](double &x, double &y) {
      const int s = bisecIter(F, a, b, x);
      y = otro(a, b, x);
      return s;
    });
  return r;
}

Resultado regula_falsi(const casos::Caso &c) {
  Resultado r;
  Contador k{c, r};
  const Contada F{&k};
  double a = c.a, b = c.b;
  if (rfalsiIni(F, a, b) == RAICES_EXITO)
    itera(r, [&](double &x, double &y) {
      const int s = rfalsiIter(F, a, b, x);
      y = otro(a, b, x);
      return s;
    });
  return r;
}

Resultado illinois(const casos::Caso &c) {
  Resultado r;
  Contador k{c, r};
  const Contada F{&k};
  double a = c.a, b = c.b, fa = 0, fb = 0;
  int lado = 0;
  if (illinoisIni(F, a, b, fa, fb, lado) == RAICES_EXITO)
    itera(r, [&](double &x, double &y) {
      const int s = illinoisIter(F, a, b, fa, fb, lado, x);
      y = otro(a, b, x);
      return s;
    });
  return r;
}

Resultado brent(const casos::Caso &c) {
  Resultado r;
  Contador k{c, r};
  const Contada F{&k};
  EstadoBrent s{};
  if (brentIni(F, c.a, c.b, s) == RAICES_EXITO) {
    itera(r, [&](double &x, double &y) {
      const int status = brentIter(F, s);
      x = s.b;
      y = s.c;
      return status;
    });
  }
  return r;
}

Resultado secante(const casos::Caso &c) {
  Resultado r;
  Contador k{c, r};
  const Contada F{&k};
  double x0 = c.x0, x1 = segundo_punto(c.x0), f0 = 0, f1 = 0;
  if (secanteIni(F, x0, x1, f0, f1) == RAICES_EXITO)
    itera(r, [&](double &x, double &y) {
      const int s = secanteIter(F, x0, x1, f0, f1);
      x = x1;
      y = x0;
      return s;
    });
  return r;
}

Resultado newton(const casos::Caso &c) {
  Resultado r;
  Contador k{c, r};
  const Contada F{&k};
  const ContadaD dF{&k};
  double x0 = c.x0, f = 0, df = 0;
  if (newtonIni(F, dF, f, df, x0) == RAICES_EXITO)
    itera(r, [&](double &x, double &y) {
      y = x0;
      const int s = newtonIter(F, dF, f, df, x0);
      x = x0;
      return s;
    });
  return r;
}

Resultado steffensen(const casos::Caso &c) {
  Resultado r;
  Contador k{c, r};
  const Contada F{&k};
  double x0 = c.x0, f = 0;
  if (steffensenIni(F, f, x0) == RAICES_EXITO)
    itera(r, [&](double &x, double &y) {
      y = x0;
      const int s = steffensenIter(F, f, x0);
      x = x0;
      return s;
    });
  return r;
}

} // namespace resolutores
