#include "P3/rootcompare/informe.h"

#include <charconv>
#include <cmath>
#include <iomanip>

#include "P3/rootcompare/orden.h"
#include "Util/error.h"

namespace {

const int CIFRAS_RAIZ = 17;

// Column widths of the table; the outcome runs free at the end.
const int ANCHO_METODO = 13, ANCHO_PASOS = 6, ANCHO_EVALS = 9, ANCHO_RAIZ = 25, ANCHO_F = 11,
          ANCHO_ORDEN = 7;

std::string formatea(double x, std::chars_format formato, int precision) {
  char texto[64];
  auto *const fin = std::to_chars(texto, texto + sizeof texto, x, formato, precision).ptr;
  return {texto, fin};
}

std::string desenlace(const Resultado &r) {
  const std::string causa = std::to_string(r.estado) + ": " + texto_error(r.estado) + ")";
  switch (r.desenlace) {
  case Desenlace::CONVERGE: return "converge";
  case Desenlace::NO_ARRANCA: return "no arranca (" + causa;
  case Desenlace::FALLA: return "falla (" + causa;
  case Desenlace::NO_CONVERGE: return "no converge (" + causa;
  }
  return "";
}

void escribe_cabecera(std::ostream &os, const std::string &descripcion, const Problema &p) {
  os << "f(x) = " << descripcion << ", A = " << numero(p.a) << ", B = " << numero(p.b)
     << ", TOL = " << numero(p.tol) << ", MAXITER = " << p.maxiter << "\n"
     << "Bisecci\xF3n, regula falsi, Illinois y Brent en [A, B]; Newton y Steffensen desde A;\n"
     << "secante desde A y B. Cada m\xE9todo para cuando |x_k - x_(k-1)| < TOL*max(1, |x_k|),\n"
     << "cuando f(x_k) = 0 exactamente o tras MAXITER pasos.\n"
     << "Orden observado: frente a la mejor ra\xEDz hallada; - si hay menos de tres errores\n"
     << "por encima del redondeo.\n\n";
  os << std::left << std::setw(ANCHO_METODO) << "m\xE9todo" << std::right << std::setw(ANCHO_PASOS)
     << "pasos" << std::setw(ANCHO_EVALS) << "eval f" << std::setw(ANCHO_EVALS) << "eval f'"
     << "  " << std::left << std::setw(ANCHO_RAIZ) << "ra\xEDz" << std::setw(ANCHO_F)
     << "|f(ra\xEDz)|" << std::setw(ANCHO_ORDEN) << "orden"
     << "resultado\n";
}

void escribe_fila(std::ostream &os, const std::vector<Resultado> &todos, const Resultado &r) {
  std::string raiz = "-", f_raiz = "-", orden = "-";
  if (!r.iterados.empty()) {
    raiz = numero(r.iterados.back().x, CIFRAS_RAIZ);
    f_raiz = formatea(std::fabs(r.iterados.back().fx), std::chars_format::scientific, 1);
    const double p = orden_observado(r, raiz_referencia(todos, r));
    if (std::isfinite(p)) orden = formatea(p, std::chars_format::fixed, 2);
  }
  os << std::left << std::setw(ANCHO_METODO) << r.nombre << std::right << std::setw(ANCHO_PASOS)
     << r.iterados.size() << std::setw(ANCHO_EVALS) << r.evals_f << std::setw(ANCHO_EVALS)
     << r.evals_df << "  " << std::left << std::setw(ANCHO_RAIZ) << raiz << std::setw(ANCHO_F)
     << f_raiz << std::setw(ANCHO_ORDEN) << orden << desenlace(r) << "\n"
     << std::right;
}

} // namespace

std::string numero(double x, int cifras) {
  if (cifras > 0) return formatea(x, std::chars_format::general, cifras);
  char texto[64];
  auto *const fin = std::to_chars(texto, texto + sizeof texto, x).ptr;
  return {texto, fin};
}

void escribe_tabla(std::ostream &os, const std::string &descripcion, const Problema &p,
                   const std::vector<Resultado> &resultados) {
  escribe_cabecera(os, descripcion, p);
  for (const Resultado &r : resultados) escribe_fila(os, resultados, r);
}

void escribe_csv(std::ostream &os, const std::vector<Resultado> &resultados) {
  os << "m\xE9todo,paso,x,f(x),cambio\n";
  for (const Resultado &r : resultados) {
    for (const Iterado &it : r.iterados) {
      os << r.nombre << ',' << it.paso << ',' << numero(it.x, CIFRAS_RAIZ) << ','
         << numero(it.fx, CIFRAS_RAIZ) << ',' << numero(it.cambio, CIFRAS_RAIZ) << "\n";
    }
  }
}
