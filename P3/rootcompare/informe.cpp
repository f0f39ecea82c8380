#include "P3/rootcompare/informe.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <iomanip>

#include "P3/bolas/comprueba_raiz.h"
#include "P3/metodos/metodos.h"
#include "P3/rootcompare/desenlace.h"
#include "P3/rootcompare/orden.h"
#include "Util/corto.h"

namespace raices {
namespace {

const int CIFRAS_CSV = 17;
const std::size_t ANCHO_RAIZ = 20; // longer roots are written with CIFRAS_CORTAS
const int CIFRAS_CORTAS = 12;      // at most 19 characters, sign and exponent included

constexpr std::size_t longitud(const char *texto) {
  std::size_t n = 0;
  while (texto[n] != '\0') ++n;
  return n;
}

constexpr std::size_t nombre_mas_largo() {
  std::size_t n = 0;
  for (const Descriptor &d : DESCRIPTORES) n = std::max(n, longitud(d.nombre));
  return n;
}

// Column widths of the table, so that a row is at most 80 columns whatever
// the method's outcome: the longest cell of each column and one blank.
constexpr int ANCHO_METODO = 13, ANCHO_PASOS = 6, ANCHO_EVALS = 7, ANCHO_CELDA_RAIZ = 21,
              ANCHO_F = 9, ANCHO_ORDEN = 6, ANCHO_USADOS = 3, ANCHO_DESENLACE = 12;
static_assert(nombre_mas_largo() < ANCHO_METODO, "a method's name does not fit its column");
static_assert(ANCHO_METODO + ANCHO_PASOS + ANCHO_EVALS + 2 + ANCHO_CELDA_RAIZ + ANCHO_F +
                      ANCHO_ORDEN + ANCHO_USADOS + 1 + ANCHO_DESENLACE <=
                  static_cast<int>(COLUMNAS),
              "a row of the table is wider than 80 columns");

std::string formatea(double x, std::chars_format formato, int precision) {
  char texto[64];
  auto *const fin = std::to_chars(texto, texto + sizeof texto, x, formato, precision).ptr;
  return {texto, fin};
}

std::string raiz_corta(double x) {
  std::string texto = numero(x);
  return texto.size() <= ANCHO_RAIZ ? texto : numero(x, CIFRAS_CORTAS);
}

// "a", "a y b", "a, b y c".
std::string lista(const std::vector<const char *> &nombres) {
  std::string texto;
  for (std::size_t i = 0; i < nombres.size(); ++i) {
    if (i > 0) texto += i + 1 == nombres.size() ? " y " : ", ";
    texto += nombres[i];
  }
  return texto;
}

// The names of the methods whose descriptor passes `elige`, in the table's order.
template <typename Elige> std::string nombres(Elige elige) {
  std::vector<const char *> elegidos;
  for (const Descriptor &d : DESCRIPTORES) {
    if (elige(d)) elegidos.push_back(d.nombre);
  }
  return lista(elegidos);
}

// The open methods grouped by where they start: "Newton y Steffensen (desde
// A) y secante (desde A y B)".
std::string abiertos() {
  const std::pair<Arranque, const char *> arranques[] = {{Arranque::desde_a, " (desde A)"},
                                                         {Arranque::desde_a_y_b, " (desde A y B)"}};
  std::string texto;
  for (const auto &[arranque, desde] : arranques) {
    const std::string grupo = nombres([arranque = arranque](const Descriptor &d) {
      return d.familia == Familia::abierto && d.arranque == arranque;
    });
    if (grupo.empty()) continue;
    texto += (texto.empty() ? "" : " y ") + grupo + desde;
  }
  return texto;
}

} // namespace

std::string reglas() {
  std::string acotados = nombres([](const Descriptor &d) { return d.familia == Familia::acotado; });
  acotados[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(acotados[0])));
  return envuelve(
      acotados + " trabajan en [A, B] y paran cuando su intervalo mide menos de TOL*max(1, |x|); " +
      abiertos() +
      " paran cuando x cambia menos de TOL*max(1, |x|) o ya no puede cambiar; todos paran si "
      "f(x) = 0 exactamente. Converge si al parar |f| <= r*max(|f(A)|, |f(B)|), con r = " +
      numero(fraccion_residuo(0)) +
      " (o TOL si es mayor, hasta 1), en el intervalo final cerrado hasta dos doubles vecinos "
      "o, en los abiertos, en x, con un cambio de signo o un m\xEDnimo de |f| junto a x. "
      "Ra\xEDz: en [A, B], el extremo final de menor |f|. Orden: pendiente de log e_(k+j) "
      "frente a log e_k, a la 1/j, con los n errores bajo 0.1 y sobre el redondeo; - si son "
      "pocos o dispersos. Resultado: converge, singularidad (21), estancado (23), no "
      "converge (11), falla (9, 12), no arranca (27) o, con -f, no alcanza (14: las bolas "
      "prueban que f no se anula a menos de TOL*max(1, |x|) de su ra\xEDz); las notas bajo la "
      "tabla dan el detalle y qu\xE9 ra\xED"
      "ces quedan demostradas (v\xE9"
      "ase rootcompare(1)).");
}

namespace {

// The problem in two lines and where the rules are, then the header row:
// on a screen of 24 lines the table comes first. The rules themselves are in
// --help and rootcompare(1).
void escribe_cabecera(std::ostream &os, const std::string &descripcion, const Problema &p) {
  os << envuelve("f(x) = " + descripcion, COLUMNAS, 4) << "\n"
     << envuelve("A = " + numero(p.a) + ", B = " + numero(p.b) + ", TOL = " + numero(p.tol) +
                 ", MAXITER = " + std::to_string(p.maxiter))
     << "\n"
     << "Reglas de parada y de resultado: rootcompare --help y rootcompare(1).\n";
  os << std::left << std::setw(ANCHO_METODO) << "m\xE9todo" << std::right << std::setw(ANCHO_PASOS)
     << "pasos" << std::setw(ANCHO_EVALS) << "evals"
     << "  " << std::left << std::setw(ANCHO_CELDA_RAIZ) << "ra\xEDz" << std::setw(ANCHO_F) << "|f|"
     << std::setw(ANCHO_ORDEN) << "orden" << std::right << std::setw(ANCHO_USADOS) << "n"
     << " resultado\n";
}

std::string celda_desenlace(const Resultado &r) {
  return texto_desenlace(r, Detalle::palabra) + (r.fuera ? "*" : "");
}

void escribe_fila(std::ostream &os, const std::vector<Resultado> &todos, const Resultado &r) {
  std::string raiz = "-", f_raiz = "-", orden = "-", usados = "-";
  if (!r.iterados.empty() || r.desenlace == Desenlace::raiz ||
      r.desenlace == Desenlace::no_alcanza) {
    raiz = raiz_corta(r.raiz);
    f_raiz = formatea(std::fabs(r.f_raiz), std::chars_format::scientific, 1);
    const Orden o = orden_observado(r, raiz_referencia(todos, r));
    if (std::isfinite(o.p)) orden = formatea(o.p, std::chars_format::fixed, 2);
    if (o.usados > 0) usados = std::to_string(o.usados);
  }
  os << std::left << std::setw(ANCHO_METODO) << nombre(r) << std::right << std::setw(ANCHO_PASOS)
     << r.iterados.size() << std::setw(ANCHO_EVALS) << r.evals_f + r.evals_df << "  " << std::left
     << std::setw(ANCHO_CELDA_RAIZ) << raiz << std::setw(ANCHO_F) << f_raiz
     << std::setw(ANCHO_ORDEN) << orden << std::right << std::setw(ANCHO_USADOS) << usados << ' '
     << celda_desenlace(r) << "\n";
}

// The note of a method whose outcome is more than "converge", or "".
std::string nota(const Resultado &r) {
  if (r.desenlace == Desenlace::raiz && !r.fuera) return "";
  std::string texto = std::string(nombre(r)) + ": " + texto_desenlace(r, Detalle::catalogo);
  const auto en = [](double x, double fx) {
    return "x = " + numero(x) +
           ", |f| = " + formatea(std::fabs(fx), std::chars_format::scientific, 1);
  };
  if (r.desenlace == Desenlace::singularidad)
    texto += ": f cambia de signo sin anularse, " + en(r.x_cierre, r.f_cierre);
  if (r.desenlace == Desenlace::estancada) texto += ": x deja de moverse, " + en(r.raiz, r.f_raiz);
  if (r.desenlace == Desenlace::no_alcanza) {
    texto += ": f no se anula a menos de TOL*max(1, |x|) de x = " + numero(r.raiz);
    if (!r.f_bolas.empty())
      texto += "; f(x) = " + r.f_bolas + " con bolas, " +
               formatea(r.f_raiz, std::chars_format::scientific, 1) + " en doble";
  }
  return texto + ".";
}

// Which roots the balls prove, by answer, for the methods that reported one
// (a refuted root included): "Con bolas, a menos de TOL*max(1, |x|) de la
// raíz: demostrada: bisección y Brent; sin demostrar: Newton." Empty when no
// method reported a root.
// For a polynomial, checked against its exact roots: "Con las raíces
// exactas, ...", a root within the tolerance being demostrada even where f
// keeps its sign.
std::string nota_pruebas(const std::vector<Resultado> &resultados, bool exactas) {
  const std::pair<Prueba, const char *> grupos[] = {
      {Prueba::exacta, "exacta (f(x) = 0)"},
      {Prueba::demostrada,
       exactas ? "demostrada (hay una ra\xEDz)" : "demostrada (f cambia de signo)"},
      {Prueba::refutada, exactas ? "refutada (ninguna ra\xEDz)" : "refutada (f no se anula)"},
      {Prueba::sin_demostrar, "sin demostrar"}};
  std::string texto;
  for (const auto &[prueba, palabras] : grupos) {
    std::vector<const char *> metodos;
    for (const Resultado &r : resultados) {
      const bool informa = r.desenlace == Desenlace::raiz || r.desenlace == Desenlace::no_alcanza;
      if (informa && r.prueba == prueba) metodos.push_back(nombre(r));
    }
    if (metodos.empty()) continue;
    texto += std::string(texto.empty() ? "" : "; ") + palabras + ": " + lista(metodos);
  }
  if (texto.empty()) return "";
  return std::string(exactas ? "Con las ra\xED"
                               "ces exactas del polinomio"
                             : "Con bolas") +
         ", a menos de TOL*max(1, |x|) de la ra\xEDz: " + texto + ".";
}

} // namespace

std::string numero(double x, int cifras) {
  if (cifras > 0) return formatea(x, std::chars_format::general, cifras);
  return corto(x);
}

std::string envuelve(const std::string &texto, std::size_t ancho, std::size_t sangria) {
  std::string resultado;
  std::size_t i = 0;
  for (bool primera = true;; primera = false) {
    const std::string margen(primera ? 0 : sangria, ' ');
    const std::size_t cabe = ancho - margen.size();
    if (texto.size() - i <= cabe) return resultado + margen + texto.substr(i);
    // The last blank that leaves the line within `cabe`; else the word is cut.
    std::size_t corte = texto.rfind(' ', i + cabe);
    const bool en_blanco = corte != std::string::npos && corte > i;
    if (!en_blanco) corte = i + cabe;
    resultado += margen + texto.substr(i, corte - i) + "\n";
    i = en_blanco ? corte + 1 : corte;
  }
}

void escribe_tabla(std::ostream &os, const std::string &descripcion, const Problema &p,
                   const std::vector<Resultado> &resultados) {
  escribe_cabecera(os, descripcion, p);
  for (const Resultado &r : resultados) escribe_fila(os, resultados, r);
  std::string notas;
  bool fuera = false;
  for (const Resultado &r : resultados) {
    const std::string texto = nota(r);
    if (!texto.empty()) notas += envuelve("  " + texto, COLUMNAS, 4) + "\n";
    fuera = fuera || r.fuera;
  }
  const std::string pruebas = p.comprueba ? nota_pruebas(resultados, !p.exactas.empty()) : "";
  if (!pruebas.empty()) notas += envuelve("  " + pruebas, COLUMNAS, 4) + "\n";
  if (!p.exactas.empty())
    notas += envuelve("  Ra\xED"
                      "ces exactas del polinomio en [A, B]: " +
                          p.exactas + ".",
                      COLUMNAS, 4) +
             "\n";
  if (!notas.empty()) os << (fuera ? "\nNotas (*: fuera de [A, B]):\n" : "\nNotas:\n") << notas;
}

void escribe_csv(std::ostream &os, const std::vector<Resultado> &resultados) {
  os << "metodo,paso,x,fx,cambio,estado,prueba\n";
  for (const Resultado &r : resultados) {
    std::vector<Iterado> filas{r.inicio};
    filas.insert(filas.end(), r.iterados.begin(), r.iterados.end());
    for (const Iterado &it : filas) {
      os << clave(r) << ',' << it.paso << ',' << numero(it.x, CIFRAS_CSV) << ','
         << numero(it.fx, CIFRAS_CSV) << ',' << numero(it.cambio, CIFRAS_CSV) << ',' << r.estado
         << ',' << clave_prueba(r.prueba) << "\n";
    }
  }
}

} // namespace raices
