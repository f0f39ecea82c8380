// Every series is drawn from the table's own data: the iterates, the
// reference root of orden.h and the errors its estimate used. What does not
// fit a panel is drawn on its edge with an arrow, never dropped; long runs
// are thinned so that a file stays small whatever MAXITER is.
#include "P3/rootcompare/paneles.h"

#include <plplot.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "P3/dibujo/curva.h"
#include "P3/dibujo/dibujo_fichero.h"
#include "P3/metodos/metodos.h"
#include "P3/rootcompare/desenlace.h"
#include "P3/rootcompare/orden.h"

namespace raices {
namespace {

const PLINT COLOR_EJES = 1, COLOR_GUIA = 2, PRIMER_COLOR = 3;
const PLINT COLOR_SOMBRA = PRIMER_COLOR + static_cast<PLINT>(NUM_METODOS);
const int MUESTRAS = 401;                    // points of the curve of f
const std::size_t TRAZO_MAXIMO = 2000;       // points of a method's line
const std::size_t MARCAS_MAXIMAS = 120;      // markers of a method in a panel
const double VENTANA = 5;                    // f panel: iterates within 5 (B - A) of [A, B]
const double SUELO = -17;                    // lowest log10 error drawn
const double TECHO = 2;                      // highest log10 error drawn, over log10 max(1, B - A)
const std::size_t TITULO_MAXIMO = 72;        // characters of f(x) in the title
const std::size_t LEYENDA_DOS_COLUMNAS = 30; // longest entry that still fits half the page
const PLFLT LETRA = 0.6, LETRA_MARCA = 0.5;  // text and marker sizes, relative

struct Rgb {
  PLINT r, g, b;
};
struct Estilo {
  Rgb color;
  const char *marca; // UTF-8
};
// Filled circle, square, up triangle, diamond, down triangle, star, cross,
// Greek cross, left and right triangles.
const Estilo ESTILOS[] = {
    {{0, 114, 178}, "\xE2\x97\x8F"},   {{213, 94, 0}, "\xE2\x96\xA0"},
    {{230, 159, 0}, "\xE2\x96\xB2"},   {{0, 158, 115}, "\xE2\x97\x86"},
    {{204, 121, 167}, "\xE2\x96\xBC"}, {{86, 180, 233}, "\xE2\x98\x85"},
    {{120, 60, 20}, "\xE2\x9C\x96"},   {{110, 40, 150}, "\xE2\x9C\x9A"},
    {{90, 90, 90}, "\xE2\x97\x80"},    {{150, 150, 0}, "\xE2\x96\xB6"},
};
static_assert(std::size(ESTILOS) >= NUM_METODOS, "one style per method of the table");

const char *const CERO = "\xE2\x8A\x97";   // circled times: an error exactly 0
const char *const ARRIBA = "\xE2\x86\x91"; // arrows: beyond the panel's edge
const char *const ABAJO = "\xE2\x86\x93";
const char *const IZQUIERDA = "\xE2\x86\x90";
const char *const DERECHA = "\xE2\x86\x92";

PLINT color(std::size_t metodo) { return PRIMER_COLOR + static_cast<PLINT>(metodo); }

std::string recorta(const std::string &texto, std::size_t maximo) {
  return texto.size() <= maximo ? texto : texto.substr(0, maximo - 3) + "...";
}

// At most `maximo` of the indices 0 .. n - 1, evenly spread, first and last kept.
std::vector<std::size_t> muestra(std::size_t n, std::size_t maximo) {
  std::vector<std::size_t> indices;
  if (n <= maximo) {
    for (std::size_t i = 0; i < n; ++i) indices.push_back(i);
    return indices;
  }
  for (std::size_t i = 0; i < maximo; ++i) indices.push_back(i * (n - 1) / (maximo - 1));
  return indices;
}

void marca(std::size_t metodo, PLFLT x, PLFLT y, const char *glifo) {
  plcol0(color(metodo));
  const bool especial =
      glifo == CERO || glifo == ARRIBA || glifo == ABAJO || glifo == IZQUIERDA || glifo == DERECHA;
  plschr(0, especial ? LETRA : LETRA_MARCA);
  plstring(1, &x, &y, glifo);
  plschr(0, LETRA);
}

struct Ventana {
  PLFLT x0, x1, y0, y1;
};

// A point of a series placed in the window: on its edge, with an arrow,
// when outside it.
void marca_en(std::size_t metodo, const Ventana &v, PLFLT x, PLFLT y) {
  const char *glifo = ESTILOS[metodo].marca;
  if (y > v.y1) glifo = ARRIBA, y = v.y1;
  if (y < v.y0) glifo = ABAJO, y = v.y0;
  if (x > v.x1) glifo = DERECHA, x = v.x1;
  if (x < v.x0) glifo = IZQUIERDA, x = v.x0;
  marca(metodo, x, y, glifo);
}

// The iterates of r, the start first.
std::vector<Iterado> recorrido(const Resultado &r) {
  std::vector<Iterado> todos{r.inicio};
  todos.insert(todos.end(), r.iterados.begin(), r.iterados.end());
  return todos;
}

// A panel's title in two lines.
void titulo(const char *primera, const char *segunda) {
  plmtex("t", 2.6, 0.5, 0.5, utf8(primera).c_str());
  plmtex("t", 1.2, 0.5, 0.5, utf8(segunda).c_str());
}

// ---- f and the iterates ----------------------------------------------------

// The x range: [A, B] and every finite iterate within VENTANA (B - A) of it.
void rango_x(const Problema &p, const std::vector<Resultado> &resultados, PLFLT &x0, PLFLT &x1) {
  const double largo = p.b > p.a ? p.b - p.a : std::fmax(1.0, std::fabs(p.a));
  x0 = p.b > p.a ? p.a : p.a - largo / 2;
  x1 = p.b > p.a ? p.b : p.b + largo / 2;
  for (const Resultado &r : resultados) {
    for (const Iterado &it : recorrido(r)) {
      if (it.x >= p.a - VENTANA * largo && it.x <= p.b + VENTANA * largo) {
        x0 = std::min<PLFLT>(x0, it.x);
        x1 = std::max<PLFLT>(x1, it.x);
      }
    }
  }
}

// A and B, held inside the window: beyond what PLplot computes with, their
// lines would stand at its edge anyway.
void extremos(const Problema &p, const Ventana &v) {
  const PLFLT a = std::clamp<PLFLT>(p.a, v.x0, v.x1), b = std::clamp<PLFLT>(p.b, v.x0, v.x1);
  plcol0(COLOR_GUIA);
  pllsty(2);
  pljoin(a, v.y0, a, v.y1);
  if (p.b != p.a) pljoin(b, v.y0, b, v.y1);
  pllsty(1);
  pljoin(v.x0, 0, v.x1, 0);
  plcol0(COLOR_EJES);
  const PLFLT arriba = v.y1 - 0.05 * (v.y1 - v.y0);
  if (b - a < 0.02 * (v.x1 - v.x0)) { // too close to tell apart
    plptex(a / 2 + b / 2, arriba, 1, 0, 0.5, p.b != p.a ? "[A, B]" : "A");
    return;
  }
  plptex(a, arriba, 1, 0, -0.3, "A");
  plptex(b, arriba, 1, 0, 1.3, "B");
}

// What the f panel shows beyond f itself, in one line above its frame.
void nota_curva(const Curva &c) {
  std::string nota;
  if (c.sale_arriba || c.sale_abajo)
    nota += std::string(SALE_ARRIBA) + " " + SALE_ABAJO + " f sigue fuera del panel   ";
  if (!c.evitables.empty()) nota += "\xE2\x97\x8B punto evitable   ";
  if (!c.indefinidos.empty()) nota += "gris: f no definida";
  if (!nota.empty()) plmtex("t", 0.4, 0, 0, nota.c_str()); // already UTF-8
}

void panel_funcion(const std::string &descripcion, const Problema &p,
                   const std::vector<Resultado> &resultados) {
  PLFLT x0 = 0, x1 = 0;
  rango_x(p, resultados, x0, x1);
  const Tramo x = tramo_dibujable(x0, x1);
  const Curva c = analiza_curva(p.f, x, MUESTRAS);
  const Ventana v{x.desde, x.hasta, c.y0, c.y1};
  plvpor(0.1, 0.97, 0.7, 0.95);
  plwind(v.x0, v.x1, v.y0, v.y1);
  plwidth(2);
  traza_curva(c, COLOR_EJES, COLOR_SOMBRA);
  plwidth(1);
  extremos(p, v);
  plcol0(COLOR_EJES);
  caja(x, v.y0, v.y1);
  for (const Resultado &r : resultados) {
    const std::vector<Iterado> its = recorrido(r);
    for (const std::size_t i : muestra(its.size(), MARCAS_MAXIMAS)) {
      if (std::isfinite(its[i].x) && !std::isnan(its[i].fx))
        marca_en(r.metodo, v, its[i].x, its[i].fx);
    }
  }
  plcol0(COLOR_EJES);
  pllab("x", "f(x)",
        utf8("f(x) = " + recorta(descripcion, TITULO_MAXIMO) + ": iterados de cada m\xE9todo")
            .c_str());
  nota_curva(c);
}

// ---- errors ----------------------------------------------------------------

// x* for r's errors: the table's reference root; for a method that ended
// near no converged root, the converged answer with the smallest |f|; NaN
// when no method converged.
double referencia(const std::vector<Resultado> &todos, const Resultado &r) {
  const double propia = raiz_referencia(todos, r);
  if (std::isfinite(propia)) return propia;
  const Resultado *mejor = nullptr;
  for (const Resultado &otro : todos) {
    if (otro.desenlace != Desenlace::raiz) continue;
    if (mejor == nullptr || std::fabs(otro.f_raiz) < std::fabs(mejor->f_raiz)) mejor = &otro;
  }
  return mejor != nullptr ? mejor->raiz : NAN;
}

// A note in the middle of an empty panel.
void vacio(const Ventana &v, const char *texto) {
  plcol0(COLOR_EJES);
  plptex((v.x0 + v.x1) / 2, (v.y0 + v.y1) / 2, 1, 0, 0.5, utf8(texto).c_str());
}

struct Serie {
  std::vector<PLFLT> k, log_e; // log_e = -inf for an exact zero, +inf for no finite error
};

Serie errores(const std::vector<Resultado> &todos, const Resultado &r) {
  Serie s;
  const double x_estrella = referencia(todos, r);
  if (!std::isfinite(x_estrella)) return s;
  for (const Iterado &it : recorrido(r)) {
    const double e = std::fabs(it.x - x_estrella);
    s.k.push_back(it.paso);
    s.log_e.push_back(std::isnan(e) ? HUGE_VAL : std::log10(e));
  }
  return s;
}

void panel_errores(const std::vector<Resultado> &resultados, const Problema &p) {
  std::vector<Serie> series;
  PLFLT k_max = 1, menor = 0, mayor = SUELO;
  for (const Resultado &r : resultados) {
    series.push_back(errores(resultados, r));
    const Serie &s = series.back();
    if (!s.k.empty()) k_max = std::max(k_max, s.k.back());
    for (const PLFLT e : s.log_e) {
      if (!std::isfinite(e)) continue;
      menor = std::min(menor, e);
      mayor = std::max(mayor, e);
    }
  }
  const PLFLT techo = TECHO + std::log10(std::fmax(1.0, p.b - p.a));
  if (mayor < menor) menor = SUELO, mayor = 0; // no finite error at all
  const Ventana v{-0.02 * k_max, k_max * 1.02, std::floor(std::max<PLFLT>(SUELO, menor)) - 0.5,
                  std::ceil(std::min(techo, mayor)) + 0.5};
  plvpor(0.1, 0.5, 0.33, 0.6);
  plwind(v.x0, v.x1, v.y0, v.y1);
  plcol0(COLOR_EJES);
  plbox("bcgnst", 0, 0, "bcgnstv", 0, 0);
  for (std::size_t m = 0; m < series.size(); ++m) {
    const Serie &s = series[m];
    std::vector<PLFLT> k, y;
    for (const std::size_t i : muestra(s.k.size(), TRAZO_MAXIMO)) {
      k.push_back(s.k[i]);
      y.push_back(std::clamp(s.log_e[i], v.y0, v.y1));
    }
    plcol0(color(m));
    plwidth(1.5);
    if (k.size() >= 2) plline(static_cast<PLINT>(k.size()), k.data(), y.data());
    plwidth(1);
    for (const std::size_t i : muestra(s.k.size(), MARCAS_MAXIMAS)) {
      if (s.log_e[i] == -HUGE_VAL) {
        marca(m, s.k[i], v.y0, CERO);
      } else {
        marca_en(m, v, s.k[i], s.log_e[i]);
      }
    }
  }
  const bool sin_series =
      std::all_of(series.begin(), series.end(), [](const Serie &s) { return s.k.empty(); });
  if (sin_series) vacio(v, "ning\xFAn m\xE9todo converge: no hay x*");
  plcol0(COLOR_EJES);
  pllab(utf8("paso k").c_str(), "log#d10#u |x#dk#u - x*|", "");
  titulo("Error frente al paso", "la pendiente es la tasa");
}

// The errors the table's order used, as pairs (log10 e_k, log10 e_(k+1)),
// and a dashed line of the table's order through their centre.
void panel_orden(const std::vector<Resultado> &resultados) {
  std::vector<std::vector<PLFLT>> antes(resultados.size()), despues(resultados.size());
  std::vector<double> ordenes(resultados.size(), NAN);
  PLFLT menor = HUGE_VAL, mayor = -HUGE_VAL;
  for (const Resultado &r : resultados) {
    const double x_estrella = raiz_referencia(resultados, r);
    const std::vector<double> e = errores_utiles(r, x_estrella);
    ordenes[r.metodo] = orden_observado(r, x_estrella).p;
    for (std::size_t k = 0; k + 1 < e.size(); ++k) {
      antes[r.metodo].push_back(std::log10(e[k]));
      despues[r.metodo].push_back(std::log10(e[k + 1]));
      menor = std::min({menor, antes[r.metodo].back(), despues[r.metodo].back()});
      mayor = std::max({mayor, antes[r.metodo].back(), despues[r.metodo].back()});
    }
  }
  const bool sin_errores = menor > mayor;
  if (sin_errores) menor = -16, mayor = -1;
  const Ventana v{std::floor(menor) - 0.5, std::ceil(mayor) + 0.5, std::floor(menor) - 0.5,
                  std::ceil(mayor) + 0.5};
  plvpor(0.6, 0.97, 0.33, 0.6);
  plwind(v.x0, v.x1, v.y0, v.y1);
  plcol0(COLOR_GUIA);
  pllsty(3);
  for (const PLFLT pendiente : {1.0, 2.0}) {
    // Guides through the window's top right corner.
    const PLFLT alto = v.y1 - v.y0;
    pljoin(v.x1, v.y1, v.x1 - alto / pendiente, v.y0);
    plptex(v.x1 - 0.85 * alto / pendiente + 0.03 * alto, v.y1 - 0.85 * alto, 1, 0, 0,
           pendiente == 1 ? "p = 1" : "p = 2");
  }
  pllsty(1);
  plcol0(COLOR_EJES);
  plbox("bcgnst", 0, 0, "bcgnstv", 0, 0);
  for (std::size_t m = 0; m < antes.size(); ++m) {
    const auto n = static_cast<PLINT>(antes[m].size());
    if (n == 0) continue;
    plcol0(color(m));
    if (n >= 2) plline(n, antes[m].data(), despues[m].data());
    for (PLINT i = 0; i < n; ++i) marca(m, antes[m][i], despues[m][i], ESTILOS[m].marca);
    if (!std::isfinite(ordenes[m])) continue;
    PLFLT cx = 0, cy = 0;
    for (PLINT i = 0; i < n; ++i) cx += antes[m][i] / n, cy += despues[m][i] / n;
    const PLFLT medio = 0.25 * (v.x1 - v.x0);
    pllsty(2);
    pljoin(cx - medio, cy - ordenes[m] * medio, cx + medio, cy + ordenes[m] * medio);
    pllsty(1);
  }
  plcol0(COLOR_EJES);
  if (sin_errores) vacio(v, "sin errores para el orden");
  pllab("log#d10#u e#dk#u", "log#d10#u e#dk+1#u", "");
  titulo("Errores de la columna orden", "la pendiente es el orden");
}

// ---- legend ----------------------------------------------------------------

void leyenda(const std::vector<Resultado> &resultados) {
  const auto n = static_cast<PLINT>(resultados.size());
  std::vector<std::string> nombres;
  std::size_t largo = 0;
  for (const Resultado &r : resultados) {
    const std::string texto = std::string(nombre(r)) + ": " + texto_desenlace(r, Detalle::codigo);
    largo = std::max(largo, texto.size());
    nombres.push_back(utf8(texto));
  }
  std::vector<const char *> textos, marcas;
  std::vector<PLINT> opciones(n, PL_LEGEND_LINE | PL_LEGEND_SYMBOL), colores, estilos(n, 1),
      numeros(n, 1);
  std::vector<PLFLT> anchos(n, 1.5), escalas(n, LETRA_MARCA / LETRA);
  for (std::size_t m = 0; m < resultados.size(); ++m) {
    textos.push_back(nombres[m].c_str());
    colores.push_back(color(resultados[m].metodo));
    marcas.push_back(ESTILOS[resultados[m].metodo].marca);
  }
  const PLINT columnas = largo <= LEYENDA_DOS_COLUMNAS ? 2 : 1;
  const PLINT filas = (n + columnas - 1) / columnas;
  plvpor(0.03, 0.97, 0.02, 0.25);
  plwind(0, 1, 0, 1);
  PLFLT ancho = 0, alto = 0;
  pllegend(&ancho, &alto, PL_LEGEND_BACKGROUND | PL_LEGEND_BOUNDING_BOX,
           PL_POSITION_TOP | PL_POSITION_LEFT | PL_POSITION_INSIDE, 0.0, 0.0, 0.06, 0, COLOR_EJES,
           1, filas, columnas, n, opciones.data(), 1.0, 0.75, 2.0, 0.0, colores.data(),
           textos.data(), nullptr, nullptr, nullptr, nullptr, colores.data(), estilos.data(),
           anchos.data(), colores.data(), escalas.data(), numeros.data(), marcas.data());
  plcol0(COLOR_EJES);
  const std::string nota = std::string(CERO) + " error exactamente 0, en el borde inferior;  " +
                           ARRIBA + " " + ABAJO + " " + IZQUIERDA + " " + DERECHA +
                           " iterado fuera del panel, en su borde";
  plptex(0, 1 - alto - 0.12, 1, 0, 0, nota.c_str()); // already UTF-8
}

} // namespace

void define_colores() {
  plscol0(COLOR_EJES, 0, 0, 0);
  plscol0(COLOR_GUIA, 150, 150, 150);
  for (std::size_t m = 0; m < NUM_METODOS; ++m)
    plscol0(color(m), ESTILOS[m].color.r, ESTILOS[m].color.g, ESTILOS[m].color.b);
  plscol0(COLOR_SOMBRA, 225, 225, 225);
}

void dibuja_paneles(const std::string &descripcion, const Problema &p,
                    const std::vector<Resultado> &resultados) {
  plschr(0, LETRA);
  panel_funcion(descripcion, p, resultados);
  panel_errores(resultados, p);
  panel_orden(resultados);
  leyenda(resultados);
}

} // namespace raices
