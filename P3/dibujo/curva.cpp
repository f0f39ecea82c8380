// The y range. A pole sends a few samples beside it far above everything
// else and would flatten the rest, so where f grows without bound the range
// is a few times f's median size, as it always was; everywhere else the
// range is simply f's own, which is what a reader takes it to be (the bell
// of exp(-x^2) over [-30, 30] is a bell, not a wall at 1e-98).
// Growth without bound is told from a mere peak by looking closer: near a
// pole |f| keeps growing as the look narrows, near a peak it does not.
#include "P3/dibujo/curva.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace raices {

const char *const SALE_ARRIBA = "\xE2\x96\xB3"; // white up-pointing triangle
const char *const SALE_ABAJO = "\xE2\x96\xBD";  // white down-pointing triangle

namespace {

const double ANCHO_RELATIVO = 1e-6; // narrowest x window, relative to its ends' size
const double ANCHO_MINIMO = 1e-250; // and absolute, near 0; also the lowest y range
const double MAYOR = 1e150;         // PLplot's arithmetic on a window stays finite within
const double CANDIDATO = 10;        // a local maximum of |f| this many medians up is looked at
const int MIRADAS = 80;             // narrowing steps of that look
const double SIN_COTA = 1e3;        // |f| growing this many times as the look narrows: a pole
const std::size_t MAXIMOS = 32;     // local maxima looked at, the largest first
const double HOLGURA = 4;           // with a pole, the range holds this many medians of |f|
const double MARGEN = 0.05;         // of the y range, above and below
const double EVITABLE = 1e-6;       // relative difference of the two sides at a removable point
const int BORDES = 50;              // bisections that find where f stops being defined
const double SOMBRA_MINIMA = 0.004; // narrowest shaded stretch, of the window's width
const std::size_t MARCAS = 40;      // marks where the curve leaves the range, at most

double x_de(const Tramo &t, int i, int n) {
  const double s = static_cast<double>(i) / (n - 1);
  return i == n - 1 ? t.hasta : t.desde * (1 - s) + t.hasta * s;
}

double mediana_abs(const std::vector<PLFLT> &y) {
  std::vector<double> m;
  for (const PLFLT v : y)
    if (std::isfinite(v)) m.push_back(std::fabs(v));
  if (m.empty()) return 0;
  const auto k = static_cast<std::ptrdiff_t>(m.size() / 2);
  std::nth_element(m.begin(), m.begin() + k, m.end());
  return m[static_cast<std::size_t>(k)];
}

// Whether |f| grows without bound in [a, b] around a sample where it is
// `pico`: a golden-section look for the largest |f| there. x of the growth.
bool crece_sin_cota(const std::function<double(double)> &f, double a, double b, double pico,
                    double &donde) {
  const double g = (std::sqrt(5.0) - 1) / 2;
  auto modulo = [&f](double x) {
    const double v = std::fabs(f(x));
    return std::isnan(v) ? -1.0 : v;
  };
  double c = b - g * (b - a), d = a + g * (b - a), fc = modulo(c), fd = modulo(d);
  for (int i = 0; i < MIRADAS && a < c && c < d && d < b; ++i) {
    if (fc >= fd)
      b = d, d = c, fd = fc, c = b - g * (b - a), fc = modulo(c);
    else
      a = c, c = d, fc = fd, d = a + g * (b - a), fd = modulo(d);
    if (std::max(fc, fd) > SIN_COTA * pico) break;
  }
  donde = fc >= fd ? c : d;
  return std::max(fc, fd) > SIN_COTA * pico;
}

// Points of unbounded growth among the samples: infinite values, and local
// maxima of |f| far above its median that keep growing when looked at closer.
void busca_polos(const std::function<double(double)> &f, Curva &c) {
  const double mediana = mediana_abs(c.y);
  std::vector<std::size_t> picos;
  const std::size_t n = c.x.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (std::isinf(c.y[i])) c.cortes.push_back(c.x[i]);
    if (!std::isfinite(c.y[i]) || !(std::fabs(c.y[i]) > CANDIDATO * mediana)) continue;
    const auto menor = [&](std::size_t j) {
      return !std::isfinite(c.y[j]) || std::fabs(c.y[j]) <= std::fabs(c.y[i]);
    };
    if ((i == 0 || menor(i - 1)) && (i + 1 == n || menor(i + 1))) picos.push_back(i);
  }
  std::sort(picos.begin(), picos.end(),
            [&c](std::size_t i, std::size_t j) { return std::fabs(c.y[i]) > std::fabs(c.y[j]); });
  if (picos.size() > MAXIMOS) picos.resize(MAXIMOS);
  for (const std::size_t i : picos) {
    double donde = c.x[i];
    if (crece_sin_cota(f, c.x[i == 0 ? 0 : i - 1], c.x[std::min(i + 1, n - 1)], std::fabs(c.y[i]),
                       donde))
      c.cortes.push_back(donde);
  }
  // Both sides of one pole, and a sample on it, find the same point.
  const double paso = n > 1 ? (c.x[n - 1] - c.x[0]) / static_cast<double>(n - 1) : 0;
  std::sort(c.cortes.begin(), c.cortes.end());
  c.cortes.erase(std::unique(c.cortes.begin(), c.cortes.end(),
                             [paso](double u, double v) { return v - u <= paso; }),
                 c.cortes.end());
}

// Where f stops being defined between a defined point and an undefined one.
double borde(const std::function<double(double)> &f, double definido, double indefinido) {
  for (int i = 0; i < BORDES; ++i) {
    const double m = definido / 2 + indefinido / 2;
    if (m == definido || m == indefinido) break;
    (std::isnan(f(m)) ? indefinido : definido) = m;
  }
  return definido / 2 + indefinido / 2;
}

// Whether f, undefined at x, has one finite limit on both sides; its value.
bool evitable(const std::function<double(double)> &f, double x, double paso, double &limite) {
  const double d = std::max(paso * 1e-6, std::fabs(x) * 1e-12);
  const double izquierda = f(x - d), derecha = f(x + d);
  if (!std::isfinite(izquierda) || !std::isfinite(derecha)) return false;
  const double escala = std::max({std::fabs(izquierda), std::fabs(derecha), 1e-300});
  limite = izquierda / 2 + derecha / 2;
  return std::fabs(izquierda - derecha) <= EVITABLE * escala + 1e3 * d;
}

// Runs of undefined samples: a removable point when the run is one sample
// with a finite limit, otherwise a stretch to shade.
void busca_indefinidos(const std::function<double(double)> &f, Curva &c,
                       const std::vector<double> &conocidos) {
  const std::size_t n = c.x.size();
  const double paso = n > 1 ? (c.x[n - 1] - c.x[0]) / static_cast<double>(n - 1) : 1;
  for (std::size_t i = 0; i < n;) {
    if (!std::isnan(c.y[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j + 1 < n && std::isnan(c.y[j + 1])) ++j;
    double limite = 0;
    if (i == j && evitable(f, c.x[i], paso, limite)) {
      c.evitables.push_back({c.x[i], limite});
    } else {
      const double desde = i == 0 ? c.x[0] : borde(f, c.x[i - 1], c.x[i]);
      const double hasta = j + 1 == n ? c.x[n - 1] : borde(f, c.x[j + 1], c.x[j]);
      c.indefinidos.push_back({desde, hasta});
    }
    i = j + 1;
  }
  for (const double x : conocidos) {
    double limite = 0;
    const bool ya = std::any_of(c.evitables.begin(), c.evitables.end(),
                                [x](const Evitable &e) { return e.x == x; });
    if (!ya && x >= c.x.front() && x <= c.x.back() && evitable(f, x, paso, limite))
      c.evitables.push_back({x, limite});
  }
}

void rango_y(Curva &c) {
  const double tope = c.cortes.empty() ? MAYOR : std::min(MAYOR, HOLGURA * mediana_abs(c.y));
  double y0 = 0, y1 = 0;
  for (const PLFLT y : c.y) {
    if (!std::isfinite(y)) continue;
    y0 = std::min(y0, std::max(y, -tope));
    y1 = std::max(y1, std::min(y, tope));
  }
  for (const Evitable &e : c.evitables) y0 = std::min(y0, e.y), y1 = std::max(y1, e.y);
  if (y0 == y1) y0 = -1, y1 = 1; // f is 0 wherever it is defined
  // Values of f so small that PLplot's scale of them overflows: drawn on 0.
  if (y1 - y0 < ANCHO_MINIMO) y0 = -ANCHO_MINIMO, y1 = ANCHO_MINIMO;
  const double margen = MARGEN * (y1 - y0);
  c.y0 = y0 - margen, c.y1 = y1 + margen;
  for (const PLFLT y : c.y) {
    c.sale_arriba = c.sale_arriba || y > c.y1;
    c.sale_abajo = c.sale_abajo || y < c.y0;
  }
}

} // namespace

Tramo tramo_dibujable(double a, double b) {
  a = std::clamp(a, -MAYOR, MAYOR), b = std::clamp(b, -MAYOR, MAYOR);
  const double necesario =
      std::max(ANCHO_RELATIVO * std::max(std::fabs(a), std::fabs(b)), ANCHO_MINIMO);
  if (b - a >= necesario) return {a, b};
  const double centro = a / 2 + b / 2;
  return {centro - necesario / 2, centro + necesario / 2};
}

Curva analiza_curva(const std::function<double(double)> &f, Tramo x, int muestras,
                    const std::vector<double> &singulares, const std::vector<double> &indefinidos) {
  Curva c;
  for (int i = 0; i < muestras; ++i) {
    c.x.push_back(x_de(x, i, muestras));
    c.y.push_back(f(c.x.back()));
  }
  busca_polos(f, c);
  busca_indefinidos(f, c, indefinidos);
  for (const Evitable &e : c.evitables) {
    const auto i = std::find(c.x.begin(), c.x.end(), e.x);
    if (i != c.x.end()) c.y[static_cast<std::size_t>(i - c.x.begin())] = e.y;
  }
  c.cortes.insert(c.cortes.end(), singulares.begin(), singulares.end());
  std::sort(c.cortes.begin(), c.cortes.end());
  rango_y(c);
  return c;
}

namespace {

void sombrea(const Curva &c, PLINT color) {
  if (c.indefinidos.empty()) return;
  const double minimo = SOMBRA_MINIMA * (c.x.back() - c.x.front());
  plcol0(color);
  for (const Tramo &t : c.indefinidos) {
    double desde = t.desde, hasta = t.hasta;
    if (hasta - desde < minimo) {
      const double centro = desde / 2 + hasta / 2;
      desde = centro - minimo / 2, hasta = centro + minimo / 2;
    }
    PLFLT xs[] = {desde, hasta, hasta, desde}, ys[] = {c.y0, c.y0, c.y1, c.y1};
    plfill(4, xs, ys);
  }
}

void linea(const Curva &c) {
  const PLFLT alto = c.y1 - c.y0;
  std::vector<PLFLT> x, y;
  auto vacia = [&] {
    if (x.size() >= 2) plline(static_cast<PLINT>(x.size()), x.data(), y.data());
    x.clear(), y.clear();
  };
  std::size_t s = 0;
  for (std::size_t i = 0; i < c.x.size(); ++i) {
    bool corta = false;
    while (s < c.cortes.size() && c.cortes[s] <= c.x[i]) ++s, corta = true;
    const PLFLT yi = std::clamp<PLFLT>(c.y[i], c.y0 - alto, c.y1 + alto);
    const bool cruza =
        !y.empty() && ((y.back() > c.y1 && yi < c.y0) || (y.back() < c.y0 && yi > c.y1));
    if (corta || cruza || !std::isfinite(c.y[i])) vacia();
    if (!std::isfinite(c.y[i])) continue;
    x.push_back(c.x[i]);
    y.push_back(yi);
  }
  vacia();
}

void glifo(PLFLT x, PLFLT y, const char *texto) { plstring(1, &x, &y, texto); }

bool dentro(const Curva &c, std::size_t i) {
  return std::isfinite(c.y[i]) && c.y[i] >= c.y0 && c.y[i] <= c.y1;
}

// One mark per run of samples beyond an edge: where the curve leaves the
// panel when it comes back on one side only (beside a pole, at the window's
// end), else at the run's furthest point (a hump cut off).
void salidas(const Curva &c) {
  std::vector<std::pair<PLFLT, bool>> marcas;
  const std::size_t n = c.x.size();
  for (std::size_t i = 0; i < n;) {
    const int lado = c.y[i] > c.y1 ? 1 : c.y[i] < c.y0 ? -1 : 0;
    if (lado == 0) {
      ++i;
      continue;
    }
    const std::size_t inicio = i;
    std::size_t extremo = i;
    for (; i < n && (lado > 0 ? c.y[i] > c.y1 : c.y[i] < c.y0); ++i)
      if (std::fabs(c.y[i]) > std::fabs(c.y[extremo])) extremo = i;
    const bool antes = inicio > 0 && dentro(c, inicio - 1), despues = i < n && dentro(c, i);
    const std::size_t donde = antes == despues ? extremo : antes ? inicio : i - 1;
    marcas.emplace_back(c.x[donde], lado > 0);
  }
  const std::size_t cada = marcas.size() / MARCAS + 1;
  for (std::size_t k = 0; k < marcas.size(); k += cada)
    glifo(marcas[k].first, marcas[k].second ? c.y1 : c.y0,
          marcas[k].second ? SALE_ARRIBA : SALE_ABAJO);
}

} // namespace

void traza_curva(const Curva &c, PLINT color, PLINT color_sombra) {
  sombrea(c, color_sombra);
  plcol0(color);
  linea(c);
  salidas(c);
  for (const Evitable &e : c.evitables) {
    plcol0(0); // the background: the curve does not show through the circle
    glifo(e.x, e.y, "\xE2\x97\x8F");
    plcol0(color);
    glifo(e.x, e.y, "\xE2\x97\x8B");
  }
}

namespace {

// How an axis is numbered: significant digits that tell its ticks apart,
// and its width, below a billionth of which a tick is 0 (PLplot may put
// the tick at 0 at 1e-17 of the step).
struct Numeracion {
  int cifras;
  double ancho;
};
Numeracion numeracion[2]; // x, y: read by PLplot's label callback

Numeracion para(double desde, double hasta) {
  const double paso = (hasta - desde) / 5;
  const double mayor = std::max(std::fabs(desde), std::fabs(hasta));
  if (!(paso > 0) || !(mayor > 0)) return {3, hasta - desde};
  int cifras = static_cast<int>(std::ceil(std::log10(mayor / paso))) + 2;
  if (mayor >= 1 && mayor < 1e7) // whole numbers in full: 1000, not 1e+03
    cifras = std::max(cifras, static_cast<int>(std::floor(std::log10(mayor))) + 1);
  return {std::clamp(cifras, 2, 17), hasta - desde};
}

void etiqueta(PLINT eje, PLFLT valor, char *texto, PLINT largo, PLPointer /*datos*/) {
  const Numeracion &n = numeracion[eje == PL_X_AXIS ? 0 : 1];
  if (std::fabs(valor) < 1e-9 * n.ancho) valor = 0;
  (void)std::snprintf(texto, static_cast<std::size_t>(largo), "%.*g", n.cifras, valor);
}

} // namespace

void caja(const Tramo &x, PLFLT y0, PLFLT y1) {
  numeracion[0] = para(x.desde, x.hasta);
  numeracion[1] = para(y0, y1);
  plslabelfunc(etiqueta, nullptr);
  plbox("bcnsto", 0, 0, "bcnstvo", 0, 0);
  plslabelfunc(nullptr, nullptr);
}

} // namespace raices
