// The picture is drawn into a temporary file made with mkstemp in the target's
// folder, which also proves the folder writable before PLplot opens anything
// (PLplot asks on standard input for another name when it cannot open a file).
// Only a complete drawing is renamed over the target.
#include "P3/rootcompare/grafica.h"

#include <plplot.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

#include "P3/rootcompare/orden.h"

namespace raices {
namespace {

const PLINT ANCHO = 900, ALTO = 1000; // page size in pixels
const int MUESTRAS = 401;             // points of the curve of f
const PLINT COLOR_EJES = 1, COLOR_CERO = 2, PRIMER_COLOR = 3;
const double MARGEN = 0.05;                   // of the y range, above and below
const PLFLT IZQUIERDA = 0.12, DERECHA = 0.76; // both panels' x extent on the page
const PLFLT LETRA = 0.9, LETRA_MARCA = 0.55;  // text and marker sizes, relative
const double ERROR_MINIMO = -17;              // log10 of errors below double precision

struct Rgb {
  PLINT r, g, b;
};
// One colour and one marker per method, in the order of compara().
const Rgb COLORES[] = {{0, 114, 178},   {213, 94, 0},   {230, 159, 0}, {0, 158, 115},
                       {204, 121, 167}, {86, 180, 233}, {120, 60, 20}};
// Filled circle, square, up triangle, diamond, down triangle, star, cross (UTF-8).
const char *const MARCAS[] = {"\xE2\x97\x8F", "\xE2\x96\xA0", "\xE2\x96\xB2", "\xE2\x97\x86",
                              "\xE2\x96\xBC", "\xE2\x98\x85", "\xE2\x9C\x96"};
const std::size_t ESTILOS = sizeof MARCAS / sizeof MARCAS[0];

std::string temporal; // the file being drawn
std::string aviso;    // the first error PLplot reported without ending the process
// Where PLplot puts the text of an error instead of writing it to standard
// error (its limit is 1024 bytes).
PLINT codigo_plplot = 0;
char mensaje_plplot[1024];

// PLplot's fatal errors end the process after this handler: leave nothing behind.
int sale_plplot(const char *mensaje) {
  (void)std::remove(temporal.c_str()); // nothing more can be done if this fails
  std::cout.flush();
  std::cerr << "rootcompare: no se pudo dibujar: " << mensaje << std::endl;
  std::_Exit(raices::DIBUJO_FALLIDO);
}

void avisa_plplot(const char *mensaje) {
  if (aviso.empty()) aviso = mensaje;
}

// PLplot takes UTF-8 text, with '#' as its escape character.
std::string utf8(const std::string &latin1) {
  std::string texto;
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      texto += c == '#' ? "##" : std::string(1, c);
    } else {
      texto += static_cast<char>(0xC0 | (byte >> 6));
      texto += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return texto;
}

std::string causa(int numero) {
  switch (numero) {
  case ENOENT: return "la carpeta no existe";
  case ENOTDIR: return "la ruta no es una carpeta";
  case EACCES:
  case EPERM: return "permiso denegado";
  case EROFS: return "sistema de ficheros de solo lectura";
  case ENOSPC: return "no queda espacio";
  case EISDIR: return "es una carpeta";
  default: return std::strerror(numero);
  }
}

std::string carpeta(const std::string &ruta) {
  const std::size_t barra = ruta.rfind('/');
  if (barra == std::string::npos) return ".";
  return barra == 0 ? "/" : ruta.substr(0, barra);
}

// The smallest and largest finite values, widened by MARGEN; [-1, 1] if none.
void rango(const std::vector<PLFLT> &v, PLFLT &menor, PLFLT &mayor) {
  menor = HUGE_VAL;
  mayor = -HUGE_VAL;
  for (const PLFLT y : v) {
    if (!std::isfinite(y)) continue;
    menor = std::min(menor, y);
    mayor = std::max(mayor, y);
  }
  if (menor > mayor) menor = -1, mayor = 1;
  if (menor == mayor) menor -= 1, mayor += 1;
  const PLFLT margen = MARGEN * (mayor - menor);
  menor -= margen;
  mayor += margen;
}

void inicia_plplot(const std::string &fichero) {
  plsexit(sale_plplot);
  plsabort(avisa_plplot);
  plsError(&codigo_plplot, mensaje_plplot);
  plsdev("svg");
  plsfnam(fichero.c_str());
  plsfam(0, 0, 0);
  plspage(0, 0, ANCHO, ALTO, 0, 0);
  plscolbg(255, 255, 255);
  plscol0(COLOR_EJES, 0, 0, 0);
  plscol0(COLOR_CERO, 150, 150, 150);
  for (PLINT i = 0; i < static_cast<PLINT>(ESTILOS); ++i)
    plscol0(PRIMER_COLOR + i, COLORES[i].r, COLORES[i].g, COLORES[i].b);
  plinit();
  pladv(0);
  plschr(0, LETRA);
}

// The curve of f, cut where f is not finite.
void curva(const std::vector<PLFLT> &x, const std::vector<PLFLT> &y) {
  std::size_t i = 0;
  while (i < x.size()) {
    while (i < x.size() && !std::isfinite(y[i])) ++i;
    const std::size_t desde = i;
    while (i < x.size() && std::isfinite(y[i])) ++i;
    if (i - desde >= 2) plline(static_cast<PLINT>(i - desde), &x[desde], &y[desde]);
  }
}

void marca(std::size_t metodo, PLFLT x, PLFLT y) {
  plcol0(PRIMER_COLOR + static_cast<PLINT>(metodo % ESTILOS));
  plschr(0, LETRA_MARCA);
  plstring(1, &x, &y, MARCAS[metodo % ESTILOS]);
  plschr(0, LETRA);
}

void panel_funcion(const std::string &descripcion, const Problema &p,
                   const std::vector<Resultado> &resultados) {
  PLFLT x0 = p.a, x1 = p.b;
  if (!(x1 > x0)) x0 -= 0.5 * std::fmax(1.0, std::fabs(x0)), x1 = 2 * p.a - x0;
  std::vector<PLFLT> x(MUESTRAS), y(MUESTRAS);
  for (int i = 0; i < MUESTRAS; ++i) {
    x[i] = x0 + (x1 - x0) * i / (MUESTRAS - 1);
    y[i] = p.f(x[i]);
  }
  PLFLT y0 = 0, y1 = 0;
  rango(y, y0, y1);
  plvpor(IZQUIERDA, DERECHA, 0.6, 0.94);
  plwind(x0, x1, y0, y1);
  plcol0(COLOR_CERO);
  if (y0 < 0 && y1 > 0) pljoin(x0, 0, x1, 0);
  plcol0(COLOR_EJES);
  plbox("bcnst", 0, 0, "bcnstv", 0, 0);
  plwidth(2);
  curva(x, y);
  plwidth(1);
  for (std::size_t m = 0; m < resultados.size(); ++m) {
    for (const Iterado &it : resultados[m].iterados) {
      if (it.x >= x0 && it.x <= x1 && it.fx >= y0 && it.fx <= y1) marca(m, it.x, it.fx);
    }
  }
  plcol0(COLOR_EJES);
  pllab("x", "f(x)", utf8("f(x) = " + descripcion + ": iterados de cada m\xE9todo").c_str());
}

// log10 |x_k - x*| of a method's iterates, and their steps k.
void errores(const std::vector<Resultado> &todos, const Resultado &r, std::vector<PLFLT> &k,
             std::vector<PLFLT> &log_e) {
  const double x_estrella = raiz_referencia(todos, r);
  for (const Iterado &it : r.iterados) {
    const double e = std::fabs(it.x - x_estrella);
    if (!std::isfinite(e)) break;
    k.push_back(it.paso);
    log_e.push_back(std::fmax(ERROR_MINIMO, e > 0 ? std::log10(e) : ERROR_MINIMO));
  }
}

// What the legend adds to the name of a method that did not converge.
std::string nota(Desenlace d) {
  switch (d) {
  case Desenlace::converge: return "";
  default: return " (x)";
  }
  return "";
}

void leyenda(const std::vector<Resultado> &resultados) {
  const auto n = static_cast<PLINT>(resultados.size());
  std::vector<std::string> nombres;
  std::vector<const char *> textos, marcas;
  std::vector<PLINT> opciones(n, PL_LEGEND_LINE | PL_LEGEND_SYMBOL), colores, estilos(n, 1),
      numeros(n, 1);
  std::vector<PLFLT> anchos(n, 1.5), escalas(n, LETRA_MARCA / LETRA);
  for (std::size_t m = 0; m < resultados.size(); ++m) {
    nombres.push_back(utf8(nombre(resultados[m]) + nota(resultados[m].desenlace)));
    colores.push_back(PRIMER_COLOR + static_cast<PLINT>(m % ESTILOS));
    marcas.push_back(MARCAS[m % ESTILOS]);
  }
  for (const std::string &s : nombres) textos.push_back(s.c_str());
  PLFLT ancho = 0, alto = 0;
  pllegend(&ancho, &alto, PL_LEGEND_BACKGROUND | PL_LEGEND_BOUNDING_BOX,
           PL_POSITION_RIGHT | PL_POSITION_OUTSIDE, 0.02, 0.0, 0.05, 0, COLOR_EJES, 1, 0, 0, n,
           opciones.data(), 1.0, 0.85, 2.0, 0.0, colores.data(), textos.data(), nullptr, nullptr,
           nullptr, nullptr, colores.data(), estilos.data(), anchos.data(), colores.data(),
           escalas.data(), numeros.data(), marcas.data());
}

void panel_errores(const std::vector<Resultado> &resultados) {
  std::vector<std::vector<PLFLT>> k(resultados.size()), log_e(resultados.size());
  std::vector<PLFLT> todos_log_e;
  PLFLT k_max = 2;
  for (std::size_t m = 0; m < resultados.size(); ++m) {
    errores(resultados, resultados[m], k[m], log_e[m]);
    todos_log_e.insert(todos_log_e.end(), log_e[m].begin(), log_e[m].end());
    if (!k[m].empty()) k_max = std::max(k_max, k[m].back());
  }
  PLFLT y0 = 0, y1 = 0;
  rango(todos_log_e, y0, y1);
  plvpor(IZQUIERDA, DERECHA, 0.08, 0.44);
  plwind(0.5, k_max + 0.5, std::floor(y0), std::ceil(y1));
  plcol0(COLOR_EJES);
  plbox("bcgnst", 0, 0, "bcgnstv", 0, 0);
  plwidth(1.5);
  for (std::size_t m = 0; m < resultados.size(); ++m) {
    plcol0(PRIMER_COLOR + static_cast<PLINT>(m % ESTILOS));
    if (k[m].size() >= 2) plline(static_cast<PLINT>(k[m].size()), k[m].data(), log_e[m].data());
    for (std::size_t i = 0; i < k[m].size(); ++i) marca(m, k[m][i], log_e[m][i]);
  }
  plwidth(1);
  plcol0(COLOR_EJES);
  pllab(utf8("paso k").c_str(), "log#d10#u |x#dk#u - x*|",
        utf8("Error frente al paso: la pendiente muestra el orden").c_str());
  leyenda(resultados);
}

// The new file gets the permissions any new file of the user would get.
void permisos(const std::string &fichero) {
  const mode_t mascara = umask(0);
  umask(mascara);
  chmod(fichero.c_str(), 0666 & ~mascara);
}

std::string termina(const std::string &ruta) {
  struct stat datos {};
  if (!aviso.empty()) return "PLplot: " + aviso;
  if (stat(temporal.c_str(), &datos) != 0 || datos.st_size == 0)
    return "el dibujo qued\xF3 vac\xEDo";
  permisos(temporal);
  if (std::rename(temporal.c_str(), ruta.c_str()) != 0) return causa(errno);
  return "";
}

} // namespace

const char *formato_dibujo(const std::string &ruta) {
  return ruta.size() > 4 && ruta.substr(ruta.size() - 4) == ".svg" ? "svg" : nullptr;
}

std::string dibuja(const std::string &ruta, const std::string &descripcion, const Problema &p,
                   const std::vector<Resultado> &resultados) {
  std::string plantilla = carpeta(ruta) + "/.rootcompare-XXXXXX";
  const int fd = mkstemp(plantilla.data());
  if (fd < 0) return causa(errno);
  close(fd);
  temporal = plantilla;
  inicia_plplot(temporal);
  panel_funcion(descripcion, p, resultados);
  panel_errores(resultados);
  plend();
  std::string fallo = termina(ruta);
  if (!fallo.empty()) (void)std::remove(temporal.c_str());
  return fallo;
}

} // namespace raices
