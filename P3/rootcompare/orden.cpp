// Errors below the rounding level are noise: once an estimate has reached
// it, later iterates say nothing about the method's order.
#include "P3/rootcompare/orden.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

const double MISMA_RAIZ = 1e-6;        // relative distance of roots taken as one
const double NIVEL_REDONDEO = 1000.0;  // rounding level, in eps max(1, |x*|)
const double REGIMEN = 0.1;            // largest error of the asymptotic regime, in max(1, |x*|)
const std::size_t ERRORES_MINIMOS = 3; // fewer give no order

double nan() { return std::numeric_limits<double>::quiet_NaN(); }

// Least-squares slope of y against x.
double pendiente(const std::vector<double> &x, const std::vector<double> &y) {
  const double n = static_cast<double>(x.size());
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    sx += x[i];
    sy += y[i];
    sxx += x[i] * x[i];
    sxy += x[i] * y[i];
  }
  const double denominador = n * sxx - sx * sx;
  return denominador != 0 ? (n * sxy - sx * sy) / denominador : nan();
}

} // namespace

double raiz_referencia(const std::vector<Resultado> &todos, const Resultado &r) {
  if (r.iterados.empty()) return nan();
  const double x = r.iterados.back().x;
  const double radio = MISMA_RAIZ * std::fmax(1.0, std::fabs(x));
  const Iterado *mejor = nullptr;
  for (const Resultado &otro : todos) {
    if (otro.desenlace != Desenlace::CONVERGE) continue;
    const Iterado &c = otro.iterados.back();
    if (!(std::fabs(c.x - x) <= radio)) continue;
    if (mejor == nullptr || std::fabs(c.fx) < std::fabs(mejor->fx)) mejor = &c;
  }
  return mejor != nullptr ? mejor->x : nan();
}

double orden_observado(const Resultado &r, double x_estrella) {
  if (!std::isfinite(x_estrella)) return nan();
  const double escala = std::fmax(1.0, std::fabs(x_estrella));
  const double nivel = NIVEL_REDONDEO * DBL_EPSILON * escala;
  std::vector<double> log_e;
  for (std::size_t k = 0; k < r.iterados.size(); ++k) {
    // Exact comparison on purpose: only a repeated estimate is skipped.
    if (k > 0 && r.iterados[k].x == r.iterados[k - 1].x) continue;
    const double e = std::fabs(r.iterados[k].x - x_estrella);
    if (!(e > nivel)) break;
    if (e < REGIMEN * escala) log_e.push_back(std::log(e));
  }
  if (log_e.size() < ERRORES_MINIMOS) return nan();
  const std::vector<double> antes(log_e.begin(), log_e.end() - 1);
  const std::vector<double> despues(log_e.begin() + 1, log_e.end());
  return pendiente(antes, despues);
}
