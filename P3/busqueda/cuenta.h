// F as one search sees it: every call counted, the last values kept. The
// steps call F as their method does, each call counted; the search's own
// looks (an exact zero at a starting point or at an estimate, the verdict)
// take a value the start or a step already computed, and call F, counted
// too, only for a point no one has looked at. A step that then calls F at a
// point the search looked at last gets that value: one call, counted once.
#ifndef RAICES_CUENTA_H
#define RAICES_CUENTA_H

#include <cmath>

namespace raices::detalle {

template <typename Fn> class Contado {
public:
  explicit Contado(Fn &F) : F_(F) {}

  // A step's call of F at x.
  double operator()(double x) {
    if (hay_pendiente_ && igual(x, x_pendiente_)) {
      hay_pendiente_ = false;
      return f_pendiente_;
    }
    return llama(x);
  }

  // F at x for the search's own looks: a value kept, else a call.
  double valor(double x) {
    for (int i = 0; i < N; ++i)
      if (usado_[i] && igual(x_[i], x)) return f_[i];
    for (int i = 0; i < 2; ++i)
      if (extremo_usado_[i] && igual(x_extremo_[i], x)) return f_extremo_[i];
    const double fx = llama(x);
    hay_pendiente_ = true;
    x_pendiente_ = x;
    f_pendiente_ = fx;
    return fx;
  }

  // Keeps F at the starting points a and b, when the start computed it, for
  // the whole search: the verdict's scale of F needs them at the end.
  void guarda_extremos(double a, double b) {
    const double x[2] = {a, b};
    for (int k = 0; k < 2; ++k)
      for (int i = 0; i < N; ++i)
        if (usado_[i] && igual(x_[i], x[k])) {
          extremo_usado_[k] = true;
          x_extremo_[k] = x[k];
          f_extremo_[k] = f_[i];
        }
  }

  long llamadas() const { return llamadas_; }

private:
  static constexpr int N = 8; // a power of 2
  // The same double: -0 is not 0 (1/x tells them apart); a NaN is never
  // looked up again.
  static bool igual(double x, double y) { return x == y && std::signbit(x) == std::signbit(y); }

  double llama(double x) {
    ++llamadas_;
    const double fx = F_(x);
    x_[k_] = x;
    f_[k_] = fx;
    usado_[k_] = true;
    k_ = (k_ + 1) & (N - 1);
    return fx;
  }

  Fn &F_;
  long llamadas_ = 0;
  double x_[N] = {}, f_[N] = {};
  bool usado_[N] = {};
  int k_ = 0;
  double x_extremo_[2] = {}, f_extremo_[2] = {};
  bool extremo_usado_[2] = {};
  bool hay_pendiente_ = false;
  double x_pendiente_ = 0, f_pendiente_ = 0;
};

} // namespace raices::detalle

#endif
