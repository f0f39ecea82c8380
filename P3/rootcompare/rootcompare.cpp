// rootcompare: every method of the step library on one problem, side by
// side. Writes the comparison table (or every iterate as CSV) on standard
// output and, with -g, a picture of the iterates and of the errors.
#include <iostream>
#include <optional>
#include <string>

#include "P3/consola/terminal.h"
#include "P3/expresion/expresion.h"
#include "P3/rootcompare/compara_metodos.h"
#include "P3/rootcompare/grafica.h"
#include "P3/rootcompare/informe.h"
#include "P3/rootcompare/rootcompare_opciones.h"
#include "Util/error.h"
#include "e_p3/func.h"

int main(int argc, char *argv[]) {
  adapta_salida_local();
  const OpcionesCompara o = lee_opciones_compara(argc, argv);
  Problema p{fun, Dfun, o.a, o.b, o.tol, o.maxiter};
  std::string descripcion = "exp(-x) - 2*x^2";
  std::optional<Funciones> fs;
  if (o.funcion != nullptr) {
    try {
      fs.emplace(prepara_funciones(o.funcion, o.derivada));
    } catch (const ErrorExpresion &e) {
      error(e.mensaje, raices::ARGUMENTO_INVALIDO);
    }
    const Funciones &tecleadas = *fs;
    p.f = [&tecleadas](double x) { return tecleadas.f(x); };
    p.df = [&tecleadas](double x) { return tecleadas.df(x); };
    descripcion = tecleadas.f.texto();
  }
  const std::vector<Resultado> resultados = compara(p);
  // The picture first: when it cannot be written, nothing goes to standard output.
  if (o.grafica != nullptr) {
    const std::string fallo = dibuja(o.grafica, descripcion, p, resultados);
    if (!fallo.empty()) {
      std::cerr << "rootcompare: no se pudo escribir " << o.grafica << ": " << fallo << std::endl;
      return raices::DIBUJO_FALLIDO;
    }
  }
  if (o.csv) {
    escribe_csv(std::cout, resultados);
  } else {
    escribe_tabla(std::cout, descripcion, p, resultados);
  }
  return 0;
}
