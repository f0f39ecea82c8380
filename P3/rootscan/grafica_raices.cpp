// The curve, its range, the removable points and the undefined stretches
// are drawn as P3/dibujo/curva.h does for both programs; the curve is also
// cut at every singular point the search found, so that no line joins the
// two sides of a pole or a jump.
#include "P3/rootscan/grafica_raices.h"

#include <plplot.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "P3/busqueda/dobles.h"
#include "P3/dibujo/curva.h"
#include "P3/dibujo/dibujo_fichero.h"

namespace {

const PLINT ANCHO = 900, ALTO = 560; // page size in pixels
const int MUESTRAS = 1001;           // points of the curve of f
const PLFLT LETRA = 0.9, LETRA_MARCA = 0.7;
const PLFLT ALTURA_ETIQUETA = 0.04; // a multiplicity's label above its root, of the y range
const PLINT RAYADO = 3;             // PLplot's fill pattern of lines at 45 degrees
const PLINT FONDO = 0, NEGRO = 1, GRIS = 2, AZUL = 3, VERDE = 4, NARANJA = 5, ROJO = 6, SOMBRA = 7;
// Filled circle, diamond and ring, and a hollow diamond for a root that
// balls did not prove (UTF-8).
const char *const MARCA_RAIZ = "\xE2\x97\x8F";
const char *const MARCA_PAR = "\xE2\x97\x86";
const char *const MARCA_CASI = "\xE2\x97\x8B";
const char *const MARCA_SIN_DEMOSTRAR = "\xE2\x97\x87";

bool demostrada(const raices::Hallazgo &h) {
  return h.prueba == raices::Prueba::exacta || h.prueba == raices::Prueba::demostrada;
}

// What the picture marks: the roots and singular points found, and of a
// proof, each piece not proven at its middle, as a root not proven or, where
// f is unbounded, a pole.
raices::Respuesta marcas(const raices::Respuesta &r) {
  raices::Respuesta m = r;
  for (const raices::Pieza &p : r.piezas) {
    const double x = raices::medio(p.inf, p.sup);
    if (p.razon == raices::Razon::polo) {
      m.singulares.push_back({x, HUGE_VAL, raices::Clase::polo});
    } else if (p.razon != raices::Razon::indefinida && p.razon != raices::Razon::desbordamiento) {
      m.raices.push_back({x, 0.0, raices::Clase::par, p.inf, p.sup});
    }
  }
  std::sort(m.raices.begin(), m.raices.end(),
            [](const raices::Hallazgo &p, const raices::Hallazgo &q) { return p.x < q.x; });
  return m;
}

// The singular points where the curve is cut (poles and jumps), and those
// where f is only undefined, which may be removable.
raices::Curva curva(const std::function<double(double)> &f, const raices::Tramo &x,
                    const raices::Respuesta &e) {
  std::vector<double> cortes, indefinidos;
  for (const raices::Hallazgo &h : e.singulares)
    (h.clase == raices::Clase::indefinida ? indefinidos : cortes).push_back(h.x);
  return raices::analiza_curva(f, x, MUESTRAS, cortes, indefinidos);
}

// A singular point the curve already shows: a removable point, or the edge
// of a shaded stretch where f is not defined. No dashed line for those.
bool mostrado(const raices::Curva &c, double x) {
  const double paso = (c.x.back() - c.x.front()) / static_cast<double>(c.x.size() - 1);
  return std::any_of(c.evitables.begin(), c.evitables.end(),
                     [x](const raices::Evitable &e) { return e.x == x; }) ||
         std::any_of(c.indefinidos.begin(), c.indefinidos.end(), [x, paso](const raices::Tramo &t) {
           return x >= t.desde - paso && x <= t.hasta + paso;
         });
}

// Whether the window had to be widened around [a, b] to be numbered.
bool ensanchado(const raices::Tramo &x, double a, double b) { return x.desde != a || x.hasta != b; }

void define_colores() {
  plscol0(FONDO, 255, 255, 255);
  plscol0(NEGRO, 0, 0, 0);
  plscol0(GRIS, 150, 150, 150);
  plscol0(AZUL, 0, 114, 178);
  plscol0(VERDE, 0, 158, 115);
  plscol0(NARANJA, 230, 159, 0);
  plscol0(ROJO, 213, 94, 0);
  plscol0(SOMBRA, 225, 225, 225);
}

void marca(PLINT color, const char *simbolo, PLFLT x, PLFLT y) {
  plcol0(color);
  plschr(0, LETRA_MARCA);
  plstring(1, &x, &y, simbolo);
  plschr(0, LETRA);
}

// The proven multiplicity of a multiple root (a polynomial's), written
// above its mark: "m = 2".
void multiplicidad(const raices::Curva &c, const raices::Hallazgo &h) {
  const std::string texto = "m = " + std::to_string(h.multiplicidad);
  plcol0(h.clase == raices::Clase::par ? VERDE : AZUL);
  plschr(0, LETRA_MARCA);
  plptex(h.x, ALTURA_ETIQUETA * (c.y1 - c.y0), 1, 0, 0.5, texto.c_str());
  plschr(0, LETRA);
}

void puntos(const raices::Curva &c, const raices::Respuesta &e) {
  plwidth(1.5);
  pllsty(2);
  plcol0(ROJO);
  for (const raices::Hallazgo &h : e.singulares)
    if (!mostrado(c, h.x)) pljoin(h.x, c.y0, h.x, c.y1);
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
  for (const raices::Hallazgo &h : e.raices)
    if (h.multiplicidad > 1) multiplicidad(c, h);
}

// One entry per kind of point the picture shows.
void leyenda(const raices::Respuesta &e, const raices::Curva &c, double b, bool extremos) {
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
    PLINT patron = 0;
  };
  std::vector<Entrada> entradas;
  if (otras) entradas.push_back({"ra\xEDz", PL_LEGEND_SYMBOL, AZUL, MARCA_RAIZ});
  if (pares) entradas.push_back({"ra\xEDz m\xFAltiple par", PL_LEGEND_SYMBOL, VERDE, MARCA_PAR});
  if (sin_demostrar)
    entradas.push_back({"ra\xEDz sin demostrar", PL_LEGEND_SYMBOL, GRIS, MARCA_SIN_DEMOSTRAR});
  if (!e.casi.empty()) entradas.push_back({"casi ra\xEDz", PL_LEGEND_SYMBOL, NARANJA, MARCA_CASI});
  const bool singulares =
      std::any_of(e.singulares.begin(), e.singulares.end(),
                  [&c](const raices::Hallazgo &h) { return !mostrado(c, h.x); });
  if (singulares) entradas.push_back({"punto singular", PL_LEGEND_LINE, ROJO, ""});
  if (!c.evitables.empty())
    entradas.push_back({"punto evitable", PL_LEGEND_SYMBOL, AZUL, MARCA_CASI});
  if (!c.indefinidos.empty())
    entradas.push_back({"f no definida", PL_LEGEND_COLOR_BOX, SOMBRA, ""});
  if (e.explorado < b) entradas.push_back({"sin explorar", PL_LEGEND_COLOR_BOX, GRIS, "", RAYADO});
  if (c.sale_arriba || c.sale_abajo)
    entradas.push_back({"f fuera del dibujo", PL_LEGEND_SYMBOL, AZUL,
                        c.sale_arriba ? raices::SALE_ARRIBA : raices::SALE_ABAJO});
  if (extremos) entradas.push_back({"[A, B]", PL_LEGEND_LINE, GRIS, ""});
  if (entradas.empty()) return;
  const auto n = static_cast<PLINT>(entradas.size());
  std::vector<std::string> textos8;
  std::vector<const char *> textos, simbolos;
  std::vector<PLINT> opciones, colores, colores_texto, estilos(n, 2), numeros(n, 1);
  std::vector<PLINT> patrones;
  std::vector<PLFLT> anchos(n, 1.5), escalas(n, LETRA_MARCA / LETRA), cajas(n, 0.7), rayas(n, 1);
  for (const Entrada &x : entradas) {
    textos8.push_back(raices::utf8(x.texto));
    opciones.push_back(x.opcion);
    colores.push_back(x.color);
    colores_texto.push_back(x.color == SOMBRA ? NEGRO : x.color);
    simbolos.push_back(x.simbolo);
    patrones.push_back(x.patron);
  }
  for (const std::string &t : textos8) textos.push_back(t.c_str());
  PLFLT ancho = 0, alto = 0;
  plcol0(NEGRO);
  pllegend(&ancho, &alto, PL_LEGEND_BACKGROUND | PL_LEGEND_BOUNDING_BOX,
           PL_POSITION_RIGHT | PL_POSITION_OUTSIDE, 0.02, 0.0, 0.05, 0, NEGRO, 1, 0, 0, n,
           opciones.data(), 1.0, 0.85, 2.0, 0.0, colores_texto.data(), textos.data(),
           colores.data(), patrones.data(), cajas.data(), rayas.data(), colores.data(),
           estilos.data(), anchos.data(), colores.data(), escalas.data(), numeros.data(),
           simbolos.data());
}

// (explorado, B], which the budget left unexplored: hatched, so that the
// curve drawn there is not taken for a search that found nothing.
void sin_explorar(const raices::Curva &c, double explorado, double b) {
  if (!(explorado < b)) return;
  PLFLT x[4] = {explorado, b, b, explorado}, y[4] = {c.y0, c.y0, c.y1, c.y1};
  plcol0(GRIS);
  plpsty(RAYADO);
  plfill(4, x, y);
  plpsty(0);
}

// A and B, when the window had to be widened around them to be numbered.
void extremos(const raices::Tramo &x, const raices::Curva &c, double a, double b) {
  if (!ensanchado(x, a, b)) return;
  plcol0(GRIS);
  pllsty(2);
  pljoin(a, c.y0, a, c.y1);
  pljoin(b, c.y0, b, c.y1);
  pllsty(1);
}

void panel(const std::string &descripcion, const raices::Curva &c, const raices::Tramo &x, double a,
           double b, const raices::Respuesta &r) {
  const raices::Respuesta e = marcas(r);
  plvpor(0.1, 0.74, 0.12, 0.9);
  plwind(x.desde, x.hasta, c.y0, c.y1);
  plwidth(2);
  raices::traza_curva(c, AZUL, SOMBRA);
  plwidth(1);
  sin_explorar(c, e.explorado, b);
  plcol0(GRIS);
  pljoin(x.desde, 0, x.hasta, 0);
  extremos(x, c, a, b);
  plcol0(NEGRO);
  raices::caja(x, c.y0, c.y1);
  puntos(c, e);
  plwidth(1);
  plcol0(NEGRO);
  std::string titulo = "f(x) = " + descripcion;
  if (titulo.size() > 60) titulo = titulo.substr(0, 57) + "...";
  titulo += ": " + std::to_string(r.raices.size()) +
            (r.raices.size() == 1 ? " ra\xEDz"
                                  : " ra\xED"
                                    "ces");
  pllab("x", "f(x)", raices::utf8(titulo).c_str());
  leyenda(e, c, b, ensanchado(x, a, b));
}

} // namespace

std::string dibuja_raices(const std::string &ruta, const std::string &descripcion,
                          const std::function<double(double)> &f, double a, double b,
                          const raices::Respuesta &e) {
  const raices::Tramo x = raices::tramo_dibujable(a, b);
  const raices::Curva c = curva(f, x, marcas(e));
  return raices::dibuja_fichero(ruta, "rootscan", {ANCHO, ALTO, define_colores, [&] {
                                                     plschr(0, LETRA);
                                                     panel(descripcion, c, x, a, b, e);
                                                   }});
}
