// The table is laid out in fixed columns: x takes at most 24 characters
// (%.17g of a negative number with a three-digit exponent), |f(x)| at most
// 9 and a kind's name at most 34, so every row fits 80 columns.
#include "P3/rootscan/informe_raices.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

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

void lista(std::ostream &out, const char *titulo, const std::vector<raices::Hallazgo> &v) {
  if (v.empty()) return;
  out << columnas("x", "|f(x)|", titulo) << '\n';
  for (const raices::Hallazgo &h : v)
    out << columnas(con_formato("%.17g", h.x), residuo(h.fx), raices::nombre_clase(h.clase))
        << '\n';
}

// Stretches: where each begins and ends, and its kind.
void lista_tramos(std::ostream &out, const std::vector<raices::Hallazgo> &v) {
  if (v.empty()) return;
  char linea[128];
  (void)std::snprintf(linea, sizeof linea, "%-26s%-26s%s", "desde", "hasta", "tramo");
  out << linea << '\n';
  for (const raices::Hallazgo &h : v) {
    (void)std::snprintf(linea, sizeof linea, "%-26.17g%-26.17g%s", h.inf, h.sup,
                        raices::nombre_clase(h.clase));
    out << linea << '\n';
  }
}

const char *clave_prueba(raices::Prueba p) {
  switch (p) {
  case raices::Prueba::exacta: return "exacta";
  case raices::Prueba::demostrada: return "demostrada";
  case raices::Prueba::refutada: return "refutada";
  case raices::Prueba::sin_demostrar: return "sin_demostrar";
  }
  return "";
}

void filas_csv(std::ostream &out, const char *punto, const std::vector<raices::Hallazgo> &v) {
  for (const raices::Hallazgo &h : v)
    out << punto << ',' << con_formato("%.17g", h.x) << ',' << con_formato("%.17g", std::fabs(h.fx))
        << ',' << raices::clave_clase(h.clase) << ',' << con_formato("%.17g", h.inf) << ','
        << con_formato("%.17g", h.sup) << ',' << clave_prueba(h.prueba) << '\n';
}

bool hay_nula(const raices::Exploracion &e) {
  for (const raices::Hallazgo &h : e.tramos)
    if (h.clase == raices::Clase::nula) return true;
  return false;
}

} // namespace

std::string numero(double x) {
  // From as many digits as the integer part has, so that 10 reads "10".
  const double enteras = x != 0 && std::isfinite(x) ? std::floor(std::log10(std::fabs(x))) + 1 : 1;
  for (int digitos = enteras > 17 ? 1 : static_cast<int>(std::fmax(enteras, 1.0)); digitos < 17;
       ++digitos) {
    char texto[64];
    (void)std::snprintf(texto, sizeof texto, "%.*g", digitos, x);
    if (std::strtod(texto, nullptr) == x) return texto;
  }
  return con_formato("%.17g", x);
}

void escribe_informe(std::ostream &out, const std::string &descripcion, double a, double b,
                     double tol, const raices::Exploracion &e) {
  std::string cabecera = "f(x) = " + descripcion;
  if (cabecera.size() > ANCHO) cabecera = cabecera.substr(0, ANCHO - MAS_LARGO) + "...";
  const std::string intervalo = "[" + numero(a) + ", " + numero(b) + "]";
  out << cabecera << '\n' << "[A, B] = " << intervalo << ", TOL = " << numero(tol) << '\n';
  if (e.raices.empty() && !hay_nula(e)) {
    out << "Ninguna ra\xEDz en " << intervalo << ".\n";
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
}

void escribe_csv(std::ostream &out, const raices::Exploracion &e) {
  out << "punto,x,abs_f,tipo,inf,sup,prueba\n";
  filas_csv(out, "raiz", e.raices);
  filas_csv(out, "singular", e.singulares);
  filas_csv(out, "tramo", e.tramos);
  filas_csv(out, "casi", e.casi);
  out << std::flush;
}
