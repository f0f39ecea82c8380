// Command line of rootcompare: its help text, with the rules of the
// comparison, over the shared option parser.
#include "P3/rootcompare/rootcompare_opciones.h"

#include <string>

#include "P3/dibujo/dibujo_fichero.h"
#include "P3/rootcompare/informe.h"

namespace {

const char *const USO =
    "Uso: rootcompare [-f EXPR [-d EXPR]] [-a A] [-b B] [-t TOL] [-n MAXITER]\n"
    "                 [-g FICHERO] [--csv]\n"
    "Resuelve f(x) = 0 con todos los m\xE9todos de la biblioteca y los compara en una\n"
    "tabla: pasos, evaluaciones de f y f', ra\xEDz, |f(ra\xEDz)|, orden observado y\n"
    "resultado.\n";

const char *const OPCIONES =
    "Sin -f, f(x) = exp(-x) - 2x^2 y f'(x) = -exp(-x) - 4x.\n"
    "  -f, --funcion=EXPR   resuelve f(x) = EXPR\n"
    "  -d, --derivada=EXPR  f'(x) = EXPR para Newton; sin -d, f' se obtiene\n"
    "                       derivando la expresi\xF3n de -f\n"
    "  -p, --parametro=N=V  el nombre N vale V en EXPR (un n\xFAmero, exacto en las\n"
    "                       bolas); una -p por par\xE1metro\n"
    "  -a, --extremo-a=A    extremo izquierdo del intervalo (por omisi\xF3n 0)\n"
    "  -b, --extremo-b=B    extremo derecho del intervalo (por omisi\xF3n 1)\n"
    "  -t, --tolerancia=TOL tolerancia relativa de la parada, no negativa\n"
    "                       (por omisi\xF3n 1e-12)\n"
    "  -n, --pasos=MAXITER  pasos como m\xE1ximo por m\xE9todo, de 1 a 100000\n"
    "                       (por omisi\xF3n 100)\n"
    "  -g FICHERO           dibuja f con los iterados, el error y el orden; el\n"
    "                       formato sale de la extensi\xF3n: .svg, .png o .pdf\n"
    "      --csv            escribe cada iterado en CSV (ASCII: metodo, paso, x,\n"
    "                       fx, cambio, estado, prueba) en lugar de la tabla\n"
    "      --help           muestra esta ayuda y termina\n"
    "      --version        muestra la versi\xF3n y termina\n"
    "EXPR: como en rootbench, por ejemplo: rootcompare -f 'cos(x) - x' -g cos.svg\n"
    "Estado de salida: 0 comparaci\xF3n hecha, aunque alg\xFAn m\xE9todo falle;\n"
    "4 argumento no v\xE1lido: opci\xF3n desconocida o sin su valor, argumento de\n"
    "m\xE1s, -d sin -f, valor no v\xE1lido de A, B, TOL o MAXITER, A > B, TOL < 0,\n"
    "extensi\xF3n del dibujo que no es .svg, .png ni .pdf o expresi\xF3n que no se\n"
    "puede leer; 5 no se pudo escribir el dibujo.\n";

} // namespace

OpcionesProblema lee_opciones_compara(int argc, char *argv[]) {
  // The rules come from the method table, as the table itself does.
  const std::string ayuda = USO + raices::reglas() + "\n" + OPCIONES;
  const ProgramaProblema programa{"rootcompare", ayuda, true, false, raices::formato_dibujo};
  return lee_opciones_problema(programa, argc, argv);
}
