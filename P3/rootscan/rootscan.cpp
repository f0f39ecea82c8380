// rootscan: every root of f in [A, B], its kind, the singular points and
// the near misses, found by raices::todas_las_raices. Writes the table (or
// one CSV row per point) on standard output and, with -g, a picture.
#include <cstdio>
#include <functional>
#include <iostream>
#include <optional>
#include <string>

#include "P3/consola/terminal.h"
#include "P3/dibujo/dibujo_fichero.h"
#include "P3/expresion/expresion.h"
#include "P3/expresion/rechaza_expresion.h"
#include "P3/rootscan/grafica_raices.h"
#include "P3/rootscan/informe_raices.h"
#include "P3/rootscan/rootscan_opciones.h"
#include "P3/todas_las_raices.h"
#include "Util/error.h"
#include "e_p3/func.h"

int main(int argc, char *argv[]) {
  adapta_salida_local();
  const OpcionesProblema o = lee_opciones_barrido(argc, argv);
  std::function<double(double)> f = fun, df = Dfun;
  std::string descripcion = "exp(-x) - 2*x^2";
  std::optional<Funciones> fs;
  if (o.funcion != nullptr) {
    const Funciones &tecleadas = fs.emplace(funciones_tecleadas(o.funcion, o.derivada));
    // A typed f' that is clearly wrong on [A, B]: a warning, and the search goes on.
    const std::string aviso = aviso_derivada(tecleadas, o.a, o.b);
    if (!aviso.empty()) std::cerr << aviso << std::endl;
    f = [&tecleadas](double x) { return tecleadas.f(x); };
    df = [&tecleadas](double x) { return tecleadas.df(x); };
    descripcion = tecleadas.f.texto();
  }
  const raices::Exploracion e = raices::todas_las_raices(f, df, o.a, o.b, o.tol);
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
    escribe_csv(std::cout, e);
  } else {
    escribe_informe(std::cout, descripcion, o.a, o.b, o.tol, e);
  }
  if (e.estado == raices::MAX_ITERACIONES) {
    char hasta[32];
    (void)std::snprintf(hasta, sizeof hasta, "%.6g", e.explorado);
    error("rootscan: presupuesto de evaluaciones agotado; explorado [" + numero(o.a) + ", " +
              hasta + "]",
          raices::MAX_ITERACIONES);
  }
  return raices::SALIDA_BIEN;
}
