// The curve is cut at every singular point and wherever f is not finite,
// so that no line joins the two sides of a pole. The y range reaches a few
// times the median of |f| at most, as the largest values, near a pole,
// would flatten everything else; it always holds y = 0.
#include "P3/rootscan/grafica_raices.h"

#include <plplot.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "P3/dibujo/dibujo_fichero.h"

namespace {

const PLINT ANCHO = 900, ALTO = 560; // page size in pixels
const int MUESTRAS = 1001;           // points of the curve of f
const double CUANTIL = 0.5;          // the median of |f| on the curve sets the range:
const double HOLGURA = 4;            // this many times it, at most
const double MARGEN = 0.05;          // of the y range, above and below
const PLFLT LETRA = 0.9, LETRA_MARCA = 0.7;
const PLINT NEGRO = 1, GRIS = 2, AZUL = 3, VERDE = 4, NARANJA = 5, ROJO = 6;
// Filled circle, diamond and ring, and a hollow diamond for a root that
// balls did not prove (UTF-8).
const char *const MARCA_RAIZ = "\xE2\x97\x8F";
const char *const MARCA_PAR = "\xE2\x97\x86";
const char *const MARCA_CASI = "\xE2\x97\x8B";
const char *const MARCA_SIN_DEMOSTRAR = "\xE2\x97\x87";

bool demostrada(const raices::Hallazgo &h) {
  return h.prueba == raices::Prueba::exacta || h.prueba == raices::Prueba::demostrada;
}

struct Curva {
  std::vector<PLFLT> x, y;
  PLFLT y0 = -1, y1 = 1; // the y range drawn
};

// f at MUESTRAS points, and the range of y.
Curva muestrea(const std::function<double(double)> &f, double a, double b) {
  Curva c;
  std::vector<PLFLT> modulos;
  for (int i = 0; i < MUESTRAS; ++i) {
    const double x = a + (b - a) * i / (MUESTRAS - 1);
    c.x.push_back(x);
    c.y.push_back(f(x));
    if (std::isfinite(c.y.back())) modulos.push_back(std::fabs(c.y.back()));
  }
  if (modulos.empty()) return c;
  const auto k = static_cast<std::size_t>(CUANTIL * static_cast<double>(modulos.size() - 1));
  std::nth_element(modulos.begin(), modulos.begin() + static_cast<std::ptrdiff_t>(k),
                   modulos.end());
  const double tope = HOLGURA * modulos[k];
  c.y0 = 0, c.y1 = 0;
  for (const PLFLT y : c.y) {
    if (!std::isfinite(y)) continue;
    c.y0 = std::min(c.y0, std::max(y, -tope));
    c.y1 = std::max(c.y1, std::min(y, tope));
  }
  if (c.y0 == c.y1) c.y0 = -1, c.y1 = 1;
  const PLFLT margen = MARGEN * (c.y1 - c.y0);
  c.y0 -= margen, c.y1 += margen;
  return c;
}

void define_colores() {
  plscol0(NEGRO, 0, 0, 0);
  plscol0(GRIS, 150, 150, 150);
  plscol0(AZUL, 0, 114, 178);
  plscol0(VERDE, 0, 158, 115);
  plscol0(NARANJA, 230, 159, 0);
  plscol0(ROJO, 213, 94, 0);
}

// The curve between singular points, cut where f is not finite; values far
// outside the range are brought to its edge's neighbourhood, which PLplot
// clips, so that its numbers stay small.
void traza(const Curva &c, const raices::Exploracion &e) {
  const PLFLT lejos = 2 * (c.y1 - c.y0);
  std::vector<PLFLT> x, y;
  auto vacia = [&] {
    if (x.size() >= 2) plline(static_cast<PLINT>(x.size()), x.data(), y.data());
    x.clear(), y.clear();
  };
  std::size_t s = 0;
  for (std::size_t i = 0; i < c.x.size(); ++i) {
    while (s < e.singulares.size() && e.singulares[s].x <= c.x[i]) ++s, vacia();
    if (!std::isfinite(c.y[i])) {
      vacia();
      continue;
    }
    x.push_back(c.x[i]);
    y.push_back(std::clamp(c.y[i], c.y0 - lejos, c.y1 + lejos));
  }
  vacia();
}

void marca(PLINT color, const char *simbolo, PLFLT x, PLFLT y) {
  plcol0(color);
  plschr(0, LETRA_MARCA);
  plstring(1, &x, &y, simbolo);
  plschr(0, LETRA);
}

void puntos(const Curva &c, const raices::Exploracion &e) {
  plwidth(1.5);
  pllsty(2);
  plcol0(ROJO);
  for (const raices::Hallazgo &h : e.singulares) pljoin(h.x, c.y0, h.x, c.y1);
  pllsty(1);
  for (const raices::Hallazgo &h : e.raices) {
    if (!demostrada(h)) {
      marca(GRIS, MARCA_SIN_DEMOSTRAR, h.x, 0);
    } else {
      marca(h.clase == raices::Clase::par ? VERDE : AZUL,
            h.clase == raices::Clase::par ? MARCA_PAR : MARCA_RAIZ, h.x, 0);
    }
  }
  for (const raices::Hallazgo &h : e.casi) marca(NARANJA, MARCA_CASI, h.x, 0);
}

// One entry per kind of point the picture shows.
void leyenda(const raices::Exploracion &e) {
  auto par = [](const raices::Hallazgo &h) {
    return demostrada(h) && h.clase == raices::Clase::par;
  };
  auto otra = [](const raices::Hallazgo &h) {
    return demostrada(h) && h.clase != raices::Clase::par;
  };
  const bool pares = std::any_of(e.raices.begin(), e.raices.end(), par);
  const bool otras = std::any_of(e.raices.begin(), e.raices.end(), otra);
  const bool sin_demostrar = !std::all_of(e.raices.begin(), e.raices.end(), demostrada);
  struct Entrada {
    std::string texto;
    PLINT opcion, color;
    const char *simbolo;
  };
  std::vector<Entrada> entradas;
  if (otras) entradas.push_back({"ra\xEDz", PL_LEGEND_SYMBOL, AZUL, MARCA_RAIZ});
  if (pares) entradas.push_back({"ra\xEDz m\xFAltiple par", PL_LEGEND_SYMBOL, VERDE, MARCA_PAR});
  if (sin_demostrar)
    entradas.push_back({"ra\xEDz sin demostrar", PL_LEGEND_SYMBOL, GRIS, MARCA_SIN_DEMOSTRAR});
  if (!e.casi.empty()) entradas.push_back({"casi ra\xEDz", PL_LEGEND_SYMBOL, NARANJA, MARCA_CASI});
  if (!e.singulares.empty()) entradas.push_back({"punto singular", PL_LEGEND_LINE, ROJO, ""});
  if (entradas.empty()) return;
  const auto n = static_cast<PLINT>(entradas.size());
  std::vector<std::string> textos8;
  std::vector<const char *> textos, simbolos;
  std::vector<PLINT> opciones, colores, estilos(n, 2), numeros(n, 1);
  std::vector<PLFLT> anchos(n, 1.5), escalas(n, LETRA_MARCA / LETRA);
  for (const Entrada &x : entradas) {
    textos8.push_back(raices::utf8(x.texto));
    opciones.push_back(x.opcion);
    colores.push_back(x.color);
    simbolos.push_back(x.simbolo);
  }
  for (const std::string &t : textos8) textos.push_back(t.c_str());
  PLFLT ancho = 0, alto = 0;
  plcol0(NEGRO);
  pllegend(&ancho, &alto, PL_LEGEND_BACKGROUND | PL_LEGEND_BOUNDING_BOX,
           PL_POSITION_RIGHT | PL_POSITION_OUTSIDE, 0.02, 0.0, 0.05, 0, NEGRO, 1, 0, 0, n,
           opciones.data(), 1.0, 0.85, 2.0, 0.0, colores.data(), textos.data(), nullptr, nullptr,
           nullptr, nullptr, colores.data(), estilos.data(), anchos.data(), colores.data(),
           escalas.data(), numeros.data(), simbolos.data());
}

void panel(const std::string &descripcion, const Curva &c, double a, double b,
           const raices::Exploracion &e) {
  const PLFLT x0 = a < b ? a : a - 1, x1 = a < b ? b : b + 1;
  plvpor(0.1, 0.74, 0.12, 0.9);
  plwind(x0, x1, c.y0, c.y1);
  plcol0(GRIS);
  pljoin(x0, 0, x1, 0);
  plcol0(NEGRO);
  plbox("bcnst", 0, 0, "bcnstv", 0, 0);
  plcol0(AZUL);
  plwidth(2);
  traza(c, e);
  puntos(c, e);
  plwidth(1);
  plcol0(NEGRO);
  std::string titulo = "f(x) = " + descripcion;
  if (titulo.size() > 60) titulo = titulo.substr(0, 57) + "...";
  titulo += ": " + std::to_string(e.raices.size()) +
            (e.raices.size() == 1 ? " ra\xEDz"
                                  : " ra\xED"
                                    "ces");
  pllab("x", "f(x)", raices::utf8(titulo).c_str());
  leyenda(e);
}

} // namespace

std::string dibuja_raices(const std::string &ruta, const std::string &descripcion,
                          const std::function<double(double)> &f, double a, double b,
                          const raices::Exploracion &e) {
  const Curva c = muestrea(f, a, b);
  return raices::dibuja_fichero(ruta, "rootscan", {ANCHO, ALTO, define_colores, [&] {
                                                     plschr(0, LETRA);
                                                     panel(descripcion, c, a, b, e);
                                                   }});
}
