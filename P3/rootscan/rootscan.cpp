// rootscan: every root of f in [A, B], its kind, the singular points and
// the near misses, found by raices::todas_las_raices with ball arithmetic
// where the doubles cannot tell; or, with --demuestra, every root proven by
// raices::demuestra_raices. Writes the table (or one CSV row per point) on
// standard output and, with -g, a picture.
#include <cstdio>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include "P3/consola/parametros.h"
#include "P3/consola/rechaza_expresion.h"
#include "P3/consola/terminal.h"
#include "P3/dibujo/dibujo_fichero.h"
#include "P3/expresion/expresion.h"
#include "P3/polinomio/raices_exactas.h"
#include "P3/rootscan/grafica_raices.h"
#include "P3/rootscan/informe_raices.h"
#include "P3/rootscan/rootscan_opciones.h"
#include "P3/todas/demuestra_raices.h"
#include "P3/todas/jueces_de_bolas.h"
#include "P3/todas/todas_las_raices.h"
#include "Util/error.h"
#include "e_p3/func.h"

namespace {

// f on doubles, on balls, on Chorro and on Taylor: the typed expression,
// or the built-in f.
struct EnBolas {
  std::function<raices::Bola(const raices::Bola &)> bola;
  std::function<raices::Chorro(const raices::Chorro &)> chorro;
  std::function<raices::Taylor(const raices::Taylor &)> taylor;
  std::function<double(double)> doble;
  double operator()(double x) const { return doble(x); }
  raices::Bola operator()(const raices::Bola &x) const { return bola(x); }
  raices::Chorro operator()(const raices::Chorro &x) const { return chorro(x); }
  raices::Taylor operator()(const raices::Taylor &x) const { return taylor(x); }
};

// The status of a run that wrote what it found: the budget (11) or pieces
// not proven (14) told on standard error.
int termina(const OpcionesProblema &o, const raices::Respuesta &r) {
  const int estado = r.estado;
  const std::size_t piezas = r.piezas.size();
  if (estado == raices::MAX_ITERACIONES) {
    char hasta[32];
    (void)std::snprintf(hasta, sizeof hasta, "%.6g", r.explorado);
    error("rootscan: presupuesto de evaluaciones agotado; explorado [" + numero(o.a) + ", " +
              hasta + "]",
          raices::MAX_ITERACIONES);
  }
  if (estado == raices::NO_ALCANZA && !r.demostrada)
    error("rootscan: f desborda los dobles donde puede anularse", raices::NO_ALCANZA);
  if (estado == raices::NO_ALCANZA)
    error("rootscan: " + std::to_string(piezas) +
              (piezas == 1 ? " pieza sin demostrar" : " piezas sin demostrar"),
          raices::NO_ALCANZA);
  return raices::SALIDA_BIEN;
}

} // namespace

int main(int argc, char *argv[]) {
  adapta_salida_local();
  const OpcionesProblema o = lee_opciones_barrido(argc, argv);
  std::function<double(double)> f = fun, df = Dfun;
  std::string descripcion = "exp(-x) - 2*x^2";
  auto integrada = [](const auto &x) { return exp(-x) - 2 * x * x; };
  EnBolas bolas{integrada, integrada, integrada, f};
  std::optional<Funciones> fs;
  std::optional<raices::Respuesta> exacta;
  if (o.funcion != nullptr) {
    const Funciones &tecleadas =
        fs.emplace(funciones_tecleadas(o.funcion, o.derivada, o.parametros));
    // A polynomial is answered exactly, its roots with their multiplicities,
    // and f' is not used.
    try {
      exacta =
          raices::raices_exactas(tecleadas.f, o.texto_a, o.texto_b, o.a, o.b, o.tol, o.demuestra);
    } catch (const ErrorExpresion &e) {
      rechaza_expresion(e);
    }
    // A typed f' that is clearly wrong on [A, B]: a warning, and the search goes on.
    const std::string aviso = exacta ? "" : aviso_derivada(tecleadas, o.a, o.b);
    if (!aviso.empty()) std::cerr << aviso << std::endl;
    f = [&tecleadas](double x) { return tecleadas.f(x); };
    df = [&tecleadas](double x) { return tecleadas.df(x); };
    bolas = {[&tecleadas](const raices::Bola &x) { return tecleadas.f(x); },
             [&tecleadas](const raices::Chorro &x) { return tecleadas.f(x); },
             [&tecleadas](const raices::Taylor &x) { return tecleadas.f(x); }, f};
    descripcion = tecleadas.f.texto() + describe_parametros(o.parametros);
  }
  raices::Respuesta e;
  if (exacta) {
    e = std::move(*exacta);
  } else if (o.demuestra) {
    e = raices::demuestra_raices(bolas, o.a, o.b, o.tol);
  } else {
    e = raices::todas_las_raices(f, df, o.a, o.b, o.tol, raices::PRESUPUESTO,
                                 raices::jueces_de_bolas(bolas));
  }
  // The picture first: when it cannot be written, nothing goes to standard output.
  if (o.grafica != nullptr) {
    const std::string fallo = dibuja_raices(o.grafica, descripcion, f, o.a, o.b, e);
    if (!fallo.empty()) {
      std::cerr << "rootscan: no se pudo escribir " << raices::en_una_linea(o.grafica) << ": "
                << fallo << std::endl;
      return raices::DIBUJO_FALLIDO;
    }
  }
  if (o.csv) {
    escribe_csv(std::cout, e, f);
  } else {
    escribe_informe(std::cout, descripcion, o.a, o.b, o.tol, e);
  }
  return termina(o, e);
}
