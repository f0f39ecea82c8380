// The order is read from the logarithms of the errors, d_k = log e_k. At
// order p, d_(k+1) ~ p d_k + c, so d_(k+j) ~ p^j d_k + c': the least-squares
// slope of d_(k+j) against d_k is p^j. A lag j of three steps spans a whole
// cycle of Illinois (one plain step, one halved, one secant-like: e_(k+3) ~
// e_k^3, order 3^(1/3) ~ 1.44 per step), where pairs of neighbours would
// alternate between orders 1 and 2 (e_(k+1) ~ e_k when it changes sides);
// it is taken when the errors give three pairs at that lag, else the lag is
// one. A fit over three pairs or more must explain most of their spread
// (r^2), nearly all of it at lag one; three errors give one estimate and no measure of its spread,
// which stands only within the orders a step of the table reaches.
#include "P3/rootcompare/orden.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace raices {
namespace {

const double MISMA_RAIZ = 1e-6;        // relative distance of roots taken as one
const double NIVEL_REDONDEO = 1000.0;  // rounding level, in eps max(1, |x*|)
const double REGIMEN = 0.1;            // largest error of the asymptotic regime, in max(1, |x*|)
const std::size_t ERRORES_MINIMOS = 3; // fewer give no order
const std::size_t DESFASE_MAXIMO = 3;  // the longest lag j
const std::size_t PARES_MINIMOS = 3;   // fewer pairs give no measure of the spread
// Least r^2 of a fit over three pairs or more: at lag one the pairs of a
// cycling method scatter, and must line up to stand.
const double AJUSTE_MINIMO = 0.6, AJUSTE_MINIMO_VECINOS = 0.9;
const double ORDEN_MAXIMO = 4.5; // above any order a step of the table reaches

double nan() { return std::numeric_limits<double>::quiet_NaN(); }

struct Recta {
  double pendiente, r2;
};

// Least-squares line of y against x, and its coefficient of determination.
Recta ajusta(const std::vector<double> &x, const std::vector<double> &y) {
  const double n = static_cast<double>(x.size());
  double sx = 0, sy = 0, sxx = 0, sxy = 0, syy = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    sx += x[i];
    sy += y[i];
    sxx += x[i] * x[i];
    sxy += x[i] * y[i];
    syy += y[i] * y[i];
  }
  const double vx = n * sxx - sx * sx, vy = n * syy - sy * sy, cxy = n * sxy - sx * sy;
  if (!(vx > 0)) return {nan(), 0};
  return {cxy / vx, vy > 0 ? cxy * cxy / (vx * vy) : 1.0};
}

} // namespace

double raiz_referencia(const std::vector<Resultado> &todos, const Resultado &r) {
  if (r.iterados.empty()) return nan();
  const double x = r.raiz;
  const double radio = MISMA_RAIZ * std::fmax(1.0, std::fabs(x));
  const Resultado *mejor = nullptr;
  for (const Resultado &otro : todos) {
    if (otro.desenlace != Desenlace::raiz) continue;
    if (!(std::fabs(otro.raiz - x) <= radio)) continue;
    if (mejor == nullptr || std::fabs(otro.f_raiz) < std::fabs(mejor->f_raiz)) mejor = &otro;
  }
  return mejor != nullptr ? mejor->raiz : nan();
}

std::vector<double> errores_utiles(const Resultado &r, double x_estrella) {
  std::vector<double> e;
  if (!std::isfinite(x_estrella)) return e;
  const double escala = std::fmax(1.0, std::fabs(x_estrella));
  const double nivel = NIVEL_REDONDEO * DBL_EPSILON * escala;
  double previo = r.inicio.x;
  for (const Iterado &it : r.iterados) {
    // Exact comparison on purpose: only a repeated estimate is skipped.
    if (it.x == previo) continue;
    previo = it.x;
    const double error = std::fabs(it.x - x_estrella);
    if (!(error > nivel)) break;
    if (error < REGIMEN * escala) e.push_back(error);
  }
  return e;
}

Orden orden_observado(const Resultado &r, double x_estrella) {
  const std::vector<double> e = errores_utiles(r, x_estrella);
  const Orden ninguno{nan(), e.size()};
  if (e.size() < ERRORES_MINIMOS) return ninguno;
  const std::size_t j = e.size() >= DESFASE_MAXIMO + PARES_MINIMOS ? DESFASE_MAXIMO : 1;
  std::vector<double> antes, despues;
  for (std::size_t k = 0; k + j < e.size(); ++k) {
    antes.push_back(std::log(e[k]));
    despues.push_back(std::log(e[k + j]));
  }
  const Recta recta = ajusta(antes, despues);
  if (!(recta.pendiente > 0)) return ninguno;
  const double ajuste = j == 1 ? AJUSTE_MINIMO_VECINOS : AJUSTE_MINIMO;
  if (antes.size() >= PARES_MINIMOS && recta.r2 < ajuste) return ninguno;
  const double p = std::pow(recta.pendiente, 1.0 / static_cast<double>(j));
  return {p <= ORDEN_MAXIMO ? p : nan(), e.size()};
}

} // namespace raices
