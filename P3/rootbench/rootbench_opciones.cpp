// Command line of rootbench, read with getopt_long. getopt itself stays
// silent (opterr = 0): every refusal is one line of ours.
#include "P3/rootbench/rootbench_opciones.h"

#include <cstdlib>
#include <getopt.h>
#include <iostream>
#include <string>

#include "P3/consola/rechazo.h"
#include "P3/consola/terminal.h"

// Long options without a short form get values beyond every character.
static const int AYUDA = 256;
static const int VERSION = 257;

static const char *const TEXTO_AYUDA =
    "Uso: rootbench [-f EXPR [-d EXPR]]\n"
    "Busca una ra\xEDz de f(x) por bisecci\xF3n, regula falsi o Newton-Raphson. Pregunta\n"
    "en la entrada est\xE1ndar el intervalo [a,b], la precisi\xF3n relativa, el m\xE1ximo\n"
    "n\xFAmero de iteraciones y el m\xE9todo, y escribe en la salida est\xE1ndar los\n"
    "par\xE1metros, una fila por iteraci\xF3n y la ra\xEDz. Los n\xFAmeros se escriben con\n"
    "punto decimal: 0.5, no 0,5.\n"
    "Sin -f, f(x) = exp(-x) - 2x^2 y f'(x) = -exp(-x) - 4x.\n"
    "  -f, --funcion=EXPR   busca una ra\xEDz de f(x) = EXPR\n"
    "  -d, --derivada=EXPR  f'(x) = EXPR para Newton-Raphson, con un aviso si no\n"
    "                       parece la derivada de f; sin -d, f' se obtiene\n"
    "                       derivando la expresi\xF3n de -f\n"
    "  -p, --parametro=N=V  el nombre N vale V en EXPR (un n\xFAmero, exacto en las\n"
    "                       bolas); una -p por par\xE1metro\n"
    "      --help           muestra esta ayuda y termina\n"
    "      --version        muestra la versi\xF3n y termina\n"
    "EXPR: n\xFAmeros (2, 0.5, 1e-3), la variable x, + - * / ^, par\xE9ntesis, las\n"
    "constantes pi y e, y las funciones sin cos tan asin acos atan sinh cosh tanh\n"
    "exp (o e^x) log (natural) log10 sqrt abs, o sen tg arcsen arccos arctg senh\n"
    "tgh ln.\n"
    "Por ejemplo: rootbench -f 'cos(x) - x'\n"
    "Estado de salida: 0 b\xFAsqueda completada; 4 argumento no v\xE1lido (opci\xF3n\n"
    "desconocida o sin su valor, argumento de m\xE1s, -d sin -f, expresi\xF3n que no se\n"
    "puede leer, a > b, o m\xE9todo que no es 1, 2 ni 3); 9 valor no finito de f o f';\n"
    "11 l\xEDmite de iteraciones; 12 divisi\xF3n por cero; 13 precisi\xF3n relativa\n"
    "negativa; 14 con -f, las bolas prueban que f no se anula a menos de la\n"
    "tolerancia del punto hallado; 21 el intervalo se cierra en un polo o un salto,\n"
    "no en una ra\xEDz; 23 Newton-Raphson se para donde f no se anula; 27 ra\xEDz no\n"
    "acotada en [a,b].\n";

[[noreturn]] static void rechaza(const char *que, const std::string &texto) {
  rechaza_argumento("rootbench", que, texto);
}

Opciones lee_opciones(int argc, char *argv[]) {
  const option largas[] = {
      {"funcion", required_argument, nullptr, 'f'},   {"derivada", required_argument, nullptr, 'd'},
      {"parametro", required_argument, nullptr, 'p'}, {"help", no_argument, nullptr, AYUDA},
      {"version", no_argument, nullptr, VERSION},     {nullptr, 0, nullptr, 0}};
  Opciones opciones;
  int pedida = 0; // the first of --help and --version, once all is checked
  opterr = 0;
  // The leading ':' tells a missing value (':') from an unknown option ('?').
  for (int previo = optind, c = 0; (c = getopt_long(argc, argv, ":f:d:p:", largas, nullptr)) != -1;
       previo = optind) {
    if (c == 'f') {
      opciones.funcion = optarg;
    } else if (c == 'd') {
      opciones.derivada = optarg;
    } else if (c == 'p') {
      // The option as typed: a long one (maybe a prefix) without its "=value".
      const std::string texto = optarg == argv[optind - 1] ? argv[optind - 2] : argv[optind - 1];
      const bool larga = texto.rfind("--", 0) == 0;
      anade_parametro(opciones.parametros, "rootbench",
                      larga ? texto.substr(0, texto.find('=')) : "-p", optarg);
    } else if (c == AYUDA || c == VERSION) {
      if (pedida == 0) pedida = c;
    } else {
      rechaza(c == ':' ? "falta el valor de la opci\xF3n" : "opci\xF3n no v\xE1lida",
              opcion_refusada(argv, previo));
    }
  }
  if (optind < argc) rechaza("argumento no v\xE1lido", argv[optind]);
  if (opciones.derivada != nullptr && opciones.funcion == nullptr)
    rechaza("opci\xF3n no v\xE1lida sin -f", "-d");
  if (!opciones.parametros.empty() && opciones.funcion == nullptr)
    rechaza("opci\xF3n no v\xE1lida sin -f", "-p");
  if (pedida != 0) adapta_salida_local(); // these texts follow the locale, the dialogue does not
  if (pedida == AYUDA) std::cout << TEXTO_AYUDA << std::flush;
  if (pedida == VERSION) std::cout << "rootbench " RAICES_VERSION << std::endl;
  if (pedida != 0) std::exit(0);
  return opciones;
}
