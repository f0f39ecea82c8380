// Command line of rootcompare, read with getopt_long. getopt itself stays
// silent (opterr = 0): every refusal is one line of ours.
#include "P3/rootcompare/rootcompare_opciones.h"

#include <cstdlib>
#include <getopt.h>
#include <iostream>
#include <string>

#include "P3/consola/rechazo.h"

namespace {

const long MAXITER_TOPE = 100000; // bounds the iterates kept in memory

// Long options without a short form get values beyond every character.
const int AYUDA = 256;
const int VERSION = 257;
const int CSV = 258;

const char *const TEXTO_AYUDA =
    "Uso: rootcompare [-f EXPR [-d EXPR]] [-a A] [-b B] [-t TOL] [-n MAXITER]\n"
    "                 [-g FICHERO] [--csv]\n"
    "Resuelve f(x) = 0 con todos los m\xE9todos de la biblioteca y los compara en una\n"
    "tabla: pasos, evaluaciones de f y f', ra\xEDz, |f(ra\xEDz)|, orden observado y\n"
    "resultado. Los m\xE9todos de intervalo trabajan en [A, B] y paran cuando su\n"
    "intervalo mide menos de TOL*max(1, |x|); los abiertos parten de A (o de A y B)\n"
    "y paran cuando x cambia menos de TOL*max(1, |x|) o ya no puede cambiar; todos\n"
    "paran si f(x) = 0 exactamente. Resultado: converge (parada y |f| peque\xF1o\n"
    "frente a |f(A)| y |f(B)|), singularidad (21), estancado (23), no converge (11),\n"
    "falla (9, 12), no arranca (27) o, con -f, no alcanza (14: las bolas prueban\n"
    "que f no se anula a menos de TOL*max(1, |x|) de su ra\xEDz); la cabecera de la\n"
    "tabla da la regla y las notas bajo ella, el detalle y qu\xE9 ra\xED"
    "ces quedan\n"
    "demostradas (v\xE9"
    "ase rootcompare(1)).\n"
    "Sin -f, f(x) = exp(-x) - 2x^2 y f'(x) = -exp(-x) - 4x.\n"
    "  -f, --funcion=EXPR   resuelve f(x) = EXPR\n"
    "  -d, --derivada=EXPR  f'(x) = EXPR para Newton; sin -d, f' se obtiene\n"
    "                       derivando la expresi\xF3n de -f\n"
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

[[noreturn]] void rechaza(const char *que, const std::string &texto) {
  rechaza_argumento("rootcompare", que, texto);
}

void comprueba(const OpcionesCompara &o) {
  if (o.derivada != nullptr && o.funcion == nullptr) rechaza("opci\xF3n no v\xE1lida sin -f", "-d");
  if (o.a > o.b) rechaza("intervalo no v\xE1lido", "A > B");
  if (o.tol < 0) rechaza("tolerancia no v\xE1lida", "TOL < 0");
}

} // namespace

OpcionesCompara lee_opciones_compara(int argc, char *argv[]) {
  const option largas[] = {{"funcion", required_argument, nullptr, 'f'},
                           {"derivada", required_argument, nullptr, 'd'},
                           {"extremo-a", required_argument, nullptr, 'a'},
                           {"extremo-b", required_argument, nullptr, 'b'},
                           {"tolerancia", required_argument, nullptr, 't'},
                           {"pasos", required_argument, nullptr, 'n'},
                           {"csv", no_argument, nullptr, CSV},
                           {"help", no_argument, nullptr, AYUDA},
                           {"version", no_argument, nullptr, VERSION},
                           {nullptr, 0, nullptr, 0}};
  OpcionesCompara o;
  int pedida = 0; // the first of --help and --version, once all is checked
  opterr = 0;
  // The leading ':' tells a missing value (':') from an unknown option ('?').
  int larga = -1; // index in largas of a long option, else -1
  for (int previo = optind, c = 0;
       (c = getopt_long(argc, argv, ":f:d:a:b:t:n:g:", largas, &larga)) != -1;
       previo = optind, larga = -1) {
    // The option as written, for the refusal of its value.
    const std::string nombre = larga >= 0 ? std::string("--") + largas[larga].name
                                          : std::string("-") + static_cast<char>(c);
    switch (c) {
    case 'f': o.funcion = optarg; break;
    case 'd': o.derivada = optarg; break;
    case 'g': o.grafica = optarg; break;
    case 'a': o.a = raices::lee_real("rootcompare", nombre, optarg); break;
    case 'b': o.b = raices::lee_real("rootcompare", nombre, optarg); break;
    case 't': o.tol = raices::lee_real("rootcompare", nombre, optarg); break;
    case 'n': o.maxiter = raices::lee_entero("rootcompare", nombre, optarg, 1, MAXITER_TOPE); break;
    case CSV: o.csv = true; break;
    case AYUDA:
    case VERSION:
      if (pedida == 0) pedida = c;
      break;
    default: rechaza_opcion("rootcompare", c, argv, previo);
    }
  }
  if (optind < argc) rechaza("argumento no v\xE1lido", argv[optind]);
  comprueba(o);
  if (pedida == AYUDA) std::cout << TEXTO_AYUDA << std::flush;
  if (pedida == VERSION) std::cout << "rootcompare " RAICES_VERSION << std::endl;
  if (pedida != 0) std::exit(0);
  return o;
}
