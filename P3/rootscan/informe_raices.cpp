// The table is laid out in fixed columns: x takes at most 24 characters
// (%.17g of a negative number with a three-digit exponent), |f(x)| at most
// 9 and a kind's name at most 34, so every row fits 80 columns.
#include "P3/rootscan/informe_raices.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "P3/busqueda/dobles.h"
#include "Util/corto.h"

namespace {

const std::size_t ANCHO = 80;    // columns of every line of the table
const std::size_t MAS_LARGO = 3; // "..." after a shortened expression

std::string con_formato(const char *formato, double x) {
  char texto[64];
  (void)std::snprintf(texto, sizeof texto, formato, x);
  return texto;
}

// |f(x)| to two significant digits.
std::string residuo(double fx) { return con_formato("%.2g", std::fabs(fx)); }

std::string columnas(const std::string &x, const std::string &fx, const std::string &tipo) {
  char linea[128];
  (void)std::snprintf(linea, sizeof linea, "%-26s%-10s%s", x.c_str(), fx.c_str(), tipo.c_str());
  return linea;
}

// The kind of a root of proven multiplicity m: simple, odd or even.
std::string clase_multiple(int m) {
  if (m == 1) return "simple";
  return m % 2 == 0 ? "m\xFAltiple par" : "m\xFAltiple impar";
}

// What follows a root's kind or proof when its multiplicity is proven.
std::string con_multiplicidad(const std::string &texto, int m) {
  return m > 0 ? texto + ", multiplicidad " + std::to_string(m) : texto;
}

// A rational root as a fraction, on lines of its own under its row:
// "    x = 1/10", cut to the width of the table when long.
void fraccion(std::ostream &out, const std::string &q) {
  if (q.empty()) return;
  const std::string texto = "    x = " + q;
  for (std::size_t i = 0; i < texto.size(); i += ANCHO) out << texto.substr(i, ANCHO) << '\n';
}

void lista(std::ostream &out, const char *titulo, const std::vector<raices::Hallazgo> &v) {
  if (v.empty()) return;
  out << columnas("x", "|f(x)|", titulo) << '\n';
  for (const raices::Hallazgo &h : v) {
    const std::string clase =
        h.multiplicidad > 0 ? clase_multiple(h.multiplicidad) : raices::nombre_clase(h.clase);
    out << columnas(con_formato("%.17g", h.x), residuo(h.fx),
                    con_multiplicidad(clase, h.multiplicidad))
        << '\n';
    fraccion(out, h.fraccion);
  }
}

// The last column of the CSV: a proven multiplicity, or empty.
std::string columna_multiplicidad(int m) { return m > 0 ? std::to_string(m) : ""; }

bool hay_nula(const raices::Respuesta &e) {
  return std::any_of(e.tramos.begin(), e.tramos.end(),
                     [](const raices::Hallazgo &h) { return h.clase == raices::Clase::nula; });
}

// "f(x) = ..." (shortened when long) and "[A, B] = ..., TOL = ...".
void cabecera(std::ostream &out, const std::string &descripcion, const std::string &intervalo,
              double tol) {
  std::string linea = "f(x) = " + descripcion;
  if (linea.size() > ANCHO) linea = linea.substr(0, ANCHO - MAS_LARGO) + "...";
  out << linea << '\n' << "[A, B] = " << intervalo << ", TOL = " << numero(tol) << '\n';
}

// A row of two numbers (17 digits) and a text.
std::string fila_tramo(const std::string &inf, const std::string &sup, const char *texto) {
  char linea[128];
  (void)std::snprintf(linea, sizeof linea, "%-26s%-26s%s", inf.c_str(), sup.c_str(), texto);
  return linea;
}

std::string g17(double x) { return con_formato("%.17g", x); }

// Stretches: where each begins and ends, and its kind.
void lista_tramos(std::ostream &out, const std::vector<raices::Hallazgo> &v) {
  if (v.empty()) return;
  out << fila_tramo("desde", "hasta", "tramo") << '\n';
  for (const raices::Hallazgo &h : v)
    out << fila_tramo(g17(h.inf), g17(h.sup), raices::nombre_clase(h.clase)) << '\n';
}

// What the search on doubles found.
void exploracion(std::ostream &out, double a, double b, const std::string &intervalo,
                 const raices::Respuesta &e) {
  // With the budget spent, only [A, explorado] was searched: nothing is
  // said of the rest.
  const bool completo = !(e.explorado < b);
  const std::string sin_explorar = "(" + numero(e.explorado) + ", " + numero(b) + "]";
  if (e.raices.empty() && !hay_nula(e) && completo && e.estado == raices::NO_ALCANZA) {
    out << "Ninguna ra\xEDz fuera de los tramos de desbordamiento.\n";
  } else if (e.raices.empty() && !hay_nula(e) && completo) {
    out << "Ninguna ra\xEDz en " << intervalo << ".\n";
  } else if (e.raices.empty() && !hay_nula(e)) {
    out << "Ninguna ra\xEDz en [" << numero(a) << ", " << numero(e.explorado) << "]; "
        << sin_explorar << " sin explorar.\n";
  } else {
    lista(out, "ra\xEDz", e.raices);
  }
  lista(out, "punto singular", e.singulares);
  lista_tramos(out, e.tramos);
  lista(out, "m\xEDnimo de |f| sin ra\xEDz", e.casi);
  out << e.raices.size()
      << (e.raices.size() == 1 ? " ra\xEDz, "
                               : " ra\xED"
                                 "ces, ")
      << e.evaluaciones << " evaluaciones de f, resoluci\xF3n " << con_formato("%.2g", e.resolucion)
      << std::endl;
  if (!completo && !(e.raices.empty() && !hay_nula(e)))
    out << "Sin explorar: " << sin_explorar << " (presupuesto agotado)." << std::endl;
}

// What the proven search proved, and what it left.
void demostracion(std::ostream &out, const std::string &intervalo, const raices::Respuesta &d) {
  if (!d.raices.empty()) out << fila_tramo("desde", "hasta", "ra\xEDz demostrada") << '\n';
  for (const raices::Hallazgo &r : d.raices) {
    const std::string prueba = r.certeza ? raices::nombre_certeza(*r.certeza) : "";
    out << fila_tramo(g17(r.inf), g17(r.sup), con_multiplicidad(prueba, r.multiplicidad).c_str())
        << '\n';
    fraccion(out, r.fraccion);
  }
  if (!d.piezas.empty()) out << fila_tramo("desde", "hasta", "sin demostrar") << '\n';
  const raices::Pieza *mayor = nullptr;
  for (const raices::Pieza &p : d.piezas) {
    out << fila_tramo(g17(p.inf), g17(p.sup), raices::nombre_razon(p.razon)) << '\n';
    if (mayor == nullptr || p.sup - p.inf > mayor->sup - mayor->inf) mayor = &p;
  }
  const std::size_t n = d.raices.size();
  out << n
      << (n == 1 ? " ra\xEDz demostrada, "
                 : " ra\xED"
                   "ces demostradas, ")
      << d.evaluaciones << " evaluaciones de f\n";
  if (d.estado == raices::MAX_ITERACIONES) {
    out << std::flush;
    return;
  }
  if (mayor == nullptr) {
    out << "Ninguna otra ra\xEDz en " << intervalo << ".\n";
  } else {
    const std::size_t k = d.piezas.size();
    std::string linea = std::to_string(k) +
                        (k == 1 ? " pieza sin demostrar" : " piezas sin demostrar, la mayor") + ":";
    const std::string pieza = "[" + numero(mayor->inf) + ", " + numero(mayor->sup) + "].";
    out << linea << (linea.size() + 1 + pieza.size() > ANCHO ? '\n' : ' ') << pieza << '\n';
  }
  out << std::flush;
}

// A row of the CSV. A proven root's kind is its certainty's key while its
// kind is not proven (an odd number of roots; an exact zero of unknown
// multiplicity).
void filas_csv(std::ostream &out, const char *punto, const std::vector<raices::Hallazgo> &v,
               const std::function<double(double)> &f) {
  for (const raices::Hallazgo &h : v) {
    const bool sin_clase =
        h.certeza && *h.certeza != raices::Certeza::unica && h.multiplicidad == 0;
    out << punto << ',' << g17(h.x) << ',' << g17(std::fabs(h.certeza ? f(h.x) : h.fx)) << ','
        << (sin_clase ? raices::clave_certeza(*h.certeza) : raices::clave_clase(h.clase)) << ','
        << g17(h.inf) << ',' << g17(h.sup) << ','
        << (h.certeza ? raices::clave_certeza(*h.certeza) : raices::clave_prueba(h.prueba)) << ','
        << columna_multiplicidad(h.multiplicidad) << '\n';
  }
}

} // namespace

std::string numero(double x) {
  // From as many digits as the integer part has, so that 10 reads "10".
  const double enteras = x != 0 && std::isfinite(x) ? std::floor(std::log10(std::fabs(x))) + 1 : 1;
  return corto_g(x, enteras > 17 ? 1 : static_cast<int>(std::fmax(enteras, 1.0)));
}

void escribe_informe(std::ostream &out, const std::string &descripcion, double a, double b,
                     double tol, const raices::Respuesta &r) {
  const std::string intervalo = "[" + numero(a) + ", " + numero(b) + "]";
  cabecera(out, descripcion, intervalo, tol);
  if (r.demostrada) {
    demostracion(out, intervalo, r);
  } else {
    exploracion(out, a, b, intervalo, r);
  }
}

void escribe_csv(std::ostream &out, const raices::Respuesta &r,
                 const std::function<double(double)> &f) {
  out << "punto,x,abs_f,tipo,inf,sup,prueba,multiplicidad\n";
  filas_csv(out, "raiz", r.raices, f);
  filas_csv(out, "singular", r.singulares, f);
  filas_csv(out, "tramo", r.tramos, f);
  filas_csv(out, "casi", r.casi, f);
  for (const raices::Pieza &p : r.piezas) {
    const double x = raices::medio(p.inf, p.sup);
    out << "pieza," << g17(x) << ',' << g17(std::fabs(f(x))) << ',' << raices::clave_razon(p.razon)
        << ',' << g17(p.inf) << ',' << g17(p.sup) << ",sin_demostrar,\n";
  }
  out << std::flush;
}
