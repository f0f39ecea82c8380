// Command line of rootscan, read with getopt_long. getopt itself stays
// silent (opterr = 0): every refusal is one line of ours.
#include "P3/rootscan/rootscan_opciones.h"

#include <cstdlib>
#include <getopt.h>
#include <iostream>
#include <string>

#include "P3/consola/rechazo.h"
#include "P3/dibujo/dibujo_fichero.h"

namespace {

// Long options without a short form get values beyond every character.
const int AYUDA = 256;
const int VERSION = 257;
const int CSV = 258;
const int DEMUESTRA = 259;

const char *const TEXTO_AYUDA =
    "Uso: rootscan [-f EXPR [-d EXPR]] [-a A] [-b B] [-t TOL] [-g FICHERO] [--csv]\n"
    "              [--demuestra]\n"
    "Busca todas las ra\xED"
    "ces de f en [A, B]: muestrea f de forma adaptativa, refina\n"
    "cada cambio de signo con el m\xE9todo de Brent y sondea cada m\xEDnimo de |f|\n"
    "cercano a 0. Escribe cada ra\xEDz (x con 17 cifras, |f(x)| y su tipo: simple,\n"
    "m\xFAltiple impar o m\xFAltiple par o tangente), los puntos singulares (polos,\n"
    "saltos, puntos donde f no est\xE1 definida), los m\xEDnimos de |f| que se acercan\n"
    "a 0 sin anularse, y una l\xEDnea con el n\xFAmero de ra\xED"
    "ces, las evaluaciones de\n"
    "f y la resoluci\xF3n: dos ra\xED"
    "ces m\xE1s separadas que ella se distinguen siempre.\n"
    "Cada b\xFAsqueda eval\xFA"
    "a f 1000000 veces como m\xE1ximo.\n"
    "Sin -f, f(x) = exp(-x) - 2x^2 y f'(x) = -exp(-x) - 4x.\n"
    "  -f, --funcion=EXPR     busca las ra\xED"
    "ces de f(x) = EXPR\n"
    "  -d, --derivada=EXPR    f'(x) = EXPR; sin -d, f' se obtiene derivando -f\n"
    "  -a, --extremo-a=A      extremo izquierdo (por omisi\xF3n 0)\n"
    "  -b, --extremo-b=B      extremo derecho (por omisi\xF3n 1)\n"
    "  -t, --tolerancia=TOL   cada ra\xEDz se refina hasta un intervalo m\xE1s estrecho\n"
    "                         que TOL*max(1, |x|) (por omisi\xF3n 1e-12)\n"
    "  -g FICHERO             dibuja f con sus ra\xED"
    "ces y puntos singulares; formato\n"
    "                         por la extensi\xF3n: .svg, .png o .pdf\n"
    "      --csv              una fila por punto hallado, en ASCII\n"
    "      --demuestra        demuestra con aritm\xE9tica de bolas cada ra\xEDz (un\n"
    "                         intervalo que la contiene y su prueba: \xFAnica, impar\n"
    "                         o exacta) y que no hay otras en [A, B]; lista lo que\n"
    "                         no pudo demostrar, con el motivo\n"
    "      --help             muestra esta ayuda y termina\n"
    "      --version          muestra la versi\xF3n y termina\n"
    "EXPR: como en rootbench, por ejemplo: rootscan -f 'sin(5*x)' -a 0 -b 5\n"
    "Estado de salida: 0 b\xFAsqueda completa, haya ra\xED"
    "ces o no; 4 argumento no\n"
    "v\xE1lido (opci\xF3n, n\xFAmero, expresi\xF3n, A > B, TOL < 0, extensi\xF3n del dibujo);\n"
    "5 no se pudo escribir el dibujo; 11 se agot\xF3 el presupuesto de evaluaciones\n"
    "(se escribe lo hallado hasta entonces); 14 con --demuestra, quedan partes\n"
    "sin demostrar (se escribe lo demostrado).\n";

[[noreturn]] void rechaza(const char *que, const std::string &texto) {
  rechaza_argumento("rootscan", que, texto);
}

void comprueba(const OpcionesBarrido &o) {
  if (o.derivada != nullptr && o.funcion == nullptr) rechaza("opci\xF3n no v\xE1lida sin -f", "-d");
  if (o.a > o.b) rechaza("intervalo no v\xE1lido", "A > B");
  if (o.tol < 0) rechaza("tolerancia no v\xE1lida", "TOL < 0");
  if (o.grafica != nullptr && raices::formato_dibujo(o.grafica) == nullptr)
    rechaza("formato de dibujo no v\xE1lido", o.grafica);
}

} // namespace

OpcionesBarrido lee_opciones_barrido(int argc, char *argv[]) {
  const option largas[] = {{"funcion", required_argument, nullptr, 'f'},
                           {"derivada", required_argument, nullptr, 'd'},
                           {"extremo-a", required_argument, nullptr, 'a'},
                           {"extremo-b", required_argument, nullptr, 'b'},
                           {"tolerancia", required_argument, nullptr, 't'},
                           {"csv", no_argument, nullptr, CSV},
                           {"demuestra", no_argument, nullptr, DEMUESTRA},
                           {"help", no_argument, nullptr, AYUDA},
                           {"version", no_argument, nullptr, VERSION},
                           {nullptr, 0, nullptr, 0}};
  OpcionesBarrido o;
  int pedida = 0; // the first of --help and --version, once all is checked
  opterr = 0;
  // The leading ':' tells a missing value (':') from an unknown option ('?').
  for (int previo = optind, c = 0;
       (c = getopt_long(argc, argv, ":f:d:a:b:t:g:", largas, nullptr)) != -1; previo = optind) {
    switch (c) {
    case 'f': o.funcion = optarg; break;
    case 'd': o.derivada = optarg; break;
    case 'g': o.grafica = optarg; break;
    case 'a': o.a = raices::lee_real("rootscan", "-a", optarg); break;
    case 'b': o.b = raices::lee_real("rootscan", "-b", optarg); break;
    case 't': o.tol = raices::lee_real("rootscan", "-t", optarg); break;
    case CSV: o.csv = true; break;
    case DEMUESTRA: o.demuestra = true; break;
    case AYUDA:
    case VERSION:
      if (pedida == 0) pedida = c;
      break;
    default: rechaza_opcion("rootscan", c, argv, previo);
    }
  }
  if (optind < argc) rechaza("argumento no v\xE1lido", argv[optind]);
  comprueba(o);
  if (pedida == AYUDA) std::cout << TEXTO_AYUDA << std::flush;
  if (pedida == VERSION) std::cout << "rootscan " RAICES_VERSION << std::endl;
  if (pedida != 0) std::exit(0);
  return o;
}
