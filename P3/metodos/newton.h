// Newton-Raphson on any callable F and its derivative dF:
//
//   x[i+1] = x[i] - F(x[i]) / dF(x[i])
//
// Quadratic near a simple root, linear near a multiple one; nothing keeps it
// near the root. The step has no exact-root test: at a root the correction
// is zero and the caller's tolerance test ends the search.
#ifndef RAICES_NEWTON_H
#define RAICES_NEWTON_H

#include "metodo.h"
#include "raices_pasos.h"

namespace raices::detalle {

// Newton's evaluations: each value is stored before it is tested.
template <typename Fn, typename DFn>
int evalua(Fn &&F, DFn &&dF, double &f_raiz, double &df_raiz, double raiz) {
  f_raiz = F(raiz);
  if (!std::isfinite(f_raiz)) return RAICES_NO_FINITO;
  df_raiz = dF(raiz);
  if (!std::isfinite(df_raiz)) return RAICES_NO_FINITO;
  return RAICES_EXITO;
}

} // namespace raices::detalle

// F(raiz), then dF(raiz) unless F(raiz) is not finite; each is stored into
// f_raiz / df_raiz before it is tested. Returns 0 or 9; raiz is not written,
// and a zero derivative is not refused here.
template <typename Fn, typename DFn>
int newtonIni(Fn &&F, DFn &&dF, double &f_raiz, double &df_raiz, double &raiz) {
  return raices::detalle::evalua(F, dF, f_raiz, df_raiz, raiz);
}
int newtonIni(func F, func dF, double &f_raiz, double &df_raiz, double &raiz);

// As newtonIni, then raiz -= f_raiz / df_raiz. Returns -2, 9, or 12 when the
// derivative is zero (raiz unchanged). Never returns 0.
template <typename Fn, typename DFn>
int newtonIter(Fn &&F, DFn &&dF, double &f_raiz, double &df_raiz, double &raiz) {
  int status = raices::detalle::evalua(F, dF, f_raiz, df_raiz, raiz);
  if (status != RAICES_EXITO) return status;
  if (df_raiz == 0) return RAICES_DIVISION_CERO;
  raiz = raiz - f_raiz / df_raiz;
  return RAICES_CONTINUA;
}
int newtonIter(func F, func dF, double &f_raiz, double &df_raiz, double &raiz);

namespace raices {

// Newton as a row of the table: the estimate, the one before, and F and dF
// at the estimate.
struct Newton : ConIterado {
  static constexpr Descriptor descriptor{"newton",          "Newton", Familia::abierto,
                                         Arranque::desde_a, 1,        1};
  struct Estado : EstadoIterado {
    double f = 0, df = 0;
  };
  template <typename Fn, typename DFn>
  static int inicia(Fn &F, DFn &dF, double a, double /*b*/, double /*tolerancia*/, Estado &e) {
    empieza(e, a);
    return newtonIni(F, dF, e.f, e.df, e.raiz);
  }
  template <typename Fn, typename DFn> static int avanza(Fn &F, DFn &dF, Estado &e) {
    recuerda(e);
    return newtonIter(F, dF, e.f, e.df, e.raiz);
  }
};

} // namespace raices

#endif
