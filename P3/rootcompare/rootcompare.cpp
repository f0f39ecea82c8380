// rootcompare: every method of the step library on one problem, side by
// side. Writes the comparison table (or every iterate as CSV) on standard
// output and, with -g, a picture of the iterates and of the errors.
#include <iostream>
#include <optional>
#include <string>

#include "P3/bolas/comprueba_raiz.h"
#include "P3/consola/parametros.h"
#include "P3/consola/rechaza_expresion.h"
#include "P3/consola/terminal.h"
#include "P3/dibujo/dibujo_fichero.h"
#include "P3/expresion/expresion.h"
#include "P3/polinomio/comprueba_polinomio.h"
#include "P3/rootcompare/compara_metodos.h"
#include "P3/rootcompare/grafica.h"
#include "P3/rootcompare/informe.h"
#include "P3/rootcompare/rootcompare_opciones.h"
#include "e_p3/func.h"

int main(int argc, char *argv[]) {
  adapta_salida_local();
  const OpcionesProblema o = lee_opciones_compara(argc, argv);
  raices::Problema p{fun, Dfun, o.a, o.b, o.tol, o.maxiter};
  std::string descripcion = "exp(-x) - 2*x^2";
  std::optional<Funciones> fs;
  std::optional<raices::Polinomio> polinomio;
  if (o.funcion != nullptr) {
    const Funciones &tecleadas =
        fs.emplace(funciones_tecleadas(o.funcion, o.derivada, o.parametros));
    // A typed f' that is clearly wrong on [A, B]: a warning, and the comparison goes on.
    const std::string aviso = aviso_derivada(tecleadas, o.a, o.b);
    if (!aviso.empty()) std::cerr << aviso << std::endl;
    p.f = [&tecleadas](double x) { return tecleadas.f(x); };
    p.df = [&tecleadas](double x) { return tecleadas.df(x); };
    // Every root a method reports is checked on balls within its tolerance.
    p.comprueba = [&tecleadas](double x, double delta) {
      return raices::comprueba_raiz(tecleadas.f, x, delta);
    };
    p.f_bolas = [&tecleadas](double x) { return raices::valor_decidido(tecleadas.f, x).texto(2); };
    // A polynomial: checked against its exact roots instead.
    try {
      polinomio = raices::polinomio_tecleado(tecleadas.f);
    } catch (const ErrorExpresion &e) {
      rechaza_expresion(e);
    }
    if (polinomio) {
      p.comprueba = [&polinomio](double x, double delta) {
        return raices::comprueba_polinomio(*polinomio, x, delta).prueba;
      };
      p.exactas = raices::describe_raices(*polinomio, o.texto_a, o.texto_b, o.tol);
    }
    descripcion = tecleadas.f.texto() + describe_parametros(o.parametros);
  }
  const std::vector<raices::Resultado> resultados = raices::compara(p);
  // The picture first: when it cannot be written, nothing goes to standard output.
  if (o.grafica != nullptr) {
    const std::string fallo = raices::dibuja(o.grafica, descripcion, p, resultados);
    if (!fallo.empty()) {
      std::cerr << "rootcompare: no se pudo escribir " << raices::en_una_linea(o.grafica) << ": "
                << fallo << std::endl;
      return raices::DIBUJO_FALLIDO;
    }
  }
  if (o.csv) {
    raices::escribe_csv(std::cout, resultados);
  } else {
    raices::escribe_tabla(std::cout, descripcion, p, resultados);
  }
  return 0;
}
