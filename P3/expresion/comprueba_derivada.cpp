// A derivative against central differences of its function. The differences
// are taken at three steps, h, h/2 and h/4; their spread measures both the
// truncation and the rounding in them, and a point is judged only where the
// one-sided slopes agree, so that a kink (abs at its corner), a jump or a
// pole between the samples never counts as a disagreement.
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "P3/expresion/expresion_interna.h"

namespace {

// Relative disagreement that is clear: a wrong sign, a factor, another
// function; far above what the differences miss on a smooth function.
constexpr double clara = 0.05;
// Relative difference of the one-sided slopes beyond which f is taken to
// bend too much at the scale of h (or not to be differentiable) to judge.
constexpr double quiebro = 0.1;

// Central difference at x with step k.
double central(const Expresion &f, double x, double k) { return (f(x + k) - f(x - k)) / (2 * k); }

std::optional<Discrepancia> en(const Expresion &f, const Expresion &df, double x) {
  const double h = std::ldexp(std::fmax(1.0, std::fabs(x)), -12), k = h / 4;
  const double d = df(x), f0 = f(x);
  const std::array<double, 4> valores = {f(x - h), f(x + h), f(x - k), f(x + k)};
  double grande = std::fabs(f0);
  for (double v : valores) {
    if (!std::isfinite(v)) return std::nullopt;
    grande = std::fmax(grande, std::fabs(v));
  }
  if (!std::isfinite(x) || !std::isfinite(d) || !std::isfinite(f0)) return std::nullopt;
  const double c1 = central(f, x, h), c2 = central(f, x, h / 2), c4 = central(f, x, k);
  const double delante = (valores[3] - f0) / k, detras = (f0 - valores[2]) / k;
  const double ruido = 64 * std::numeric_limits<double>::epsilon() * grande / k;
  const double dispersion = std::fabs(c1 - c2) + std::fabs(c2 - c4);
  if (!std::isfinite(c1 + c2 + c4 + delante + detras)) return std::nullopt;
  if (std::fabs(delante - detras) >
      quiebro * std::fmax(std::fabs(delante), std::fabs(detras)) + ruido)
    return std::nullopt;
  const double margen = clara * std::fmax(std::fabs(d), std::fabs(c4)) + 8 * dispersion + 8 * ruido;
  if (std::fabs(d - c4) <= margen) return std::nullopt;
  return Discrepancia{x, d, c4};
}

} // namespace

std::optional<Discrepancia> discrepancia(const Expresion &f, const Expresion &df,
                                         const std::vector<double> &puntos) {
  for (double x : puntos)
    if (const std::optional<Discrepancia> d = en(f, df, x)) return d;
  return std::nullopt;
}

std::string describe(const Discrepancia &d) {
  char texto[96];
  (void)std::snprintf(texto, sizeof texto, "en x = %.6g, f' = %.6g, diferencias: %.6g", d.x,
                      d.derivada, d.diferencias);
  return texto;
}

std::string aviso_derivada(const Funciones &fs, double a, double b) {
  if (fs.derivada_calculada) return "";
  std::vector<double> puntos;
  for (double t : {0.0, 0.25, 0.5, 0.75, 1.0}) puntos.push_back(a * (1 - t) + b * t);
  const std::optional<Discrepancia> d = discrepancia(fs.f, fs.df, puntos);
  if (!d) return "";
  return "Aviso: f'(x) no parece la derivada de f: " + describe(*d);
}
