// A derivative against central differences of its function. The differences
// are taken at three steps, h, h/2 and h/4; their spread measures both the
// truncation and the rounding in them, and a point is judged only where the
// one-sided slopes agree and the differences settle, so that a kink (abs at
// its corner), a jump or a pole between the samples never counts as a
// disagreement; h shrinks until f is smooth at its scale. It only ever warns:
// a difference quotient is no proof that a derivative is wrong.
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

// The steps tried at x: from 2^-12 max(1, |x|) down by a factor of 8 at a
// time, so that a fast oscillation (sin(300000 x)) is met at a step small
// against its period; the smallest ones are lost in rounding, which widens
// the margin until nothing is refused.
constexpr int ESCALONES = 10;

// Central difference at x with step k.
double central(const Expresion &f, double x, double k) { return (f(x + k) - f(x - k)) / (2 * k); }

enum class Juicio { concuerda, discrepa, no_liso };

// d against the differences of f at x with step h: judged only where f is
// finite and smooth at the scale of h, the one-sided slopes agreeing and the
// central differences at h, h/2, h/4 settling; the margin grows with their
// spread and with the rounding of f's values over the step.
Juicio compara(const Expresion &f, double x, double h, double d, double f0, double &c4) {
  const double k = h / 4;
  const std::array<double, 4> valores = {f(x - h), f(x + h), f(x - k), f(x + k)};
  double grande = std::fabs(f0);
  bool plana = true;
  for (double v : valores) {
    if (!std::isfinite(v)) return Juicio::no_liso;
    grande = std::fmax(grande, std::fabs(v));
    plana = plana && v == f0;
  }
  // f takes one value over the whole step: no slope to compare f' with.
  if (plana) return Juicio::concuerda;
  const double c1 = central(f, x, h), c2 = central(f, x, h / 2);
  c4 = central(f, x, k);
  const double delante = (valores[3] - f0) / k, detras = (f0 - valores[2]) / k;
  const double ruido = 64 * std::numeric_limits<double>::epsilon() * grande / k;
  const double dispersion = std::fabs(c1 - c2) + std::fabs(c2 - c4);
  if (!std::isfinite(c1 + c2 + c4 + delante + detras)) return Juicio::no_liso;
  if (std::fabs(delante - detras) >
      quiebro * std::fmax(std::fabs(delante), std::fabs(detras)) + ruido)
    return Juicio::no_liso;
  if (dispersion > quiebro * std::fabs(c4) + 8 * ruido) return Juicio::no_liso;
  const double margen = clara * std::fmax(std::fabs(d), std::fabs(c4)) + 8 * dispersion + 8 * ruido;
  return std::fabs(d - c4) <= margen ? Juicio::concuerda : Juicio::discrepa;
}

std::optional<Discrepancia> en(const Expresion &f, const Expresion &df, double x) {
  if (!std::isfinite(x)) return std::nullopt;
  const double d = df(x), f0 = f(x);
  if (!std::isfinite(d) || !std::isfinite(f0)) return std::nullopt;
  for (int i = 0; i < ESCALONES; ++i) {
    const double h = std::ldexp(std::fmax(1.0, std::fabs(x)), -12 - 3 * i);
    double c4 = 0;
    const Juicio j = compara(f, x, h, d, f0, c4);
    if (j == Juicio::concuerda) return std::nullopt;
    if (j == Juicio::discrepa) return Discrepancia{x, d, c4};
  }
  return std::nullopt; // a kink, a jump or a pole at x: nothing to judge
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
  if (fs.derivada_calculada) return fs.aviso;
  std::vector<double> puntos;
  for (double t : {0.0, 0.25, 0.5, 0.75, 1.0}) puntos.push_back(a * (1 - t) + b * t);
  const std::optional<Discrepancia> d = discrepancia(fs.f, fs.df, puntos);
  if (!d) return "";
  return "Aviso: f'(x) no parece la derivada de f: " + describe(*d);
}
