// Command line of rootcompare, read with getopt_long. getopt itself stays
// silent (opterr = 0): every refusal is one line of ours.
#include "P3/rootcompare/rootcompare_opciones.h"

#include <cerrno>
#include <cmath>
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
    "                 [-g FICHERO.svg] [--csv]\n"
    "Resuelve f(x) = 0 con todos los m\xE9todos de la biblioteca y los compara en una\n"
    "tabla: pasos, evaluaciones de f y f', ra\xEDz, |f(ra\xEDz)| y orden observado.\n"
    "Bisecci\xF3n, regula falsi, Illinois y Brent trabajan en [A, B]; Newton y\n"
    "Steffensen parten de A; la secante, de A y B. Cada m\xE9todo para cuando\n"
    "|x_k - x_(k-1)| < TOL*max(1, |x_k|), cuando f(x_k) = 0 exactamente o tras\n"
    "MAXITER pasos. El orden observado es la pendiente de log e_(k+1) frente a\n"
    "log e_k, e_k = |x_k - x*|, en los \xFAltimos iterados: errores bajo\n"
    "0.1 max(1, |x*|) y sobre el redondeo, 1000 eps max(1, |x*|); x* es la ra\xEDz\n"
    "de menor |f| de los m\xE9todos que convergen a la misma ra\xEDz; - si hay menos\n"
    "de tres errores (v\xE9"
    "ase rootcompare(1)).\n"
    "Sin -f, f(x) = exp(-x) - 2x^2 y f'(x) = -exp(-x) - 4x.\n"
    "  -f, --funcion=EXPR   resuelve f(x) = EXPR\n"
    "  -d, --derivada=EXPR  f'(x) = EXPR para Newton; sin -d, f' se obtiene\n"
    "                       derivando la expresi\xF3n de -f\n"
    "  -a, --extremo-a=A    extremo izquierdo del intervalo (por omisi\xF3n 0)\n"
    "  -b, --extremo-b=B    extremo derecho del intervalo (por omisi\xF3n 1)\n"
    "  -t, --tolerancia=TOL tolerancia relativa del cambio, no negativa (por\n"
    "                       omisi\xF3n 1e-12)\n"
    "  -n, --pasos=MAXITER  pasos como m\xE1ximo por m\xE9todo, de 1 a 100000\n"
    "                       (por omisi\xF3n 100)\n"
    "  -g FICHERO.svg       dibuja f con los iterados y log10|x_k - x*| frente a k\n"
    "      --csv            escribe cada iterado (m\xE9todo, paso, x, f(x), cambio)\n"
    "                       en CSV en lugar de la tabla\n"
    "      --help           muestra esta ayuda y termina\n"
    "      --version        muestra la versi\xF3n y termina\n"
    "EXPR: como en rootbench, por ejemplo: rootcompare -f 'cos(x) - x' -g cos.svg\n"
    "Estado de salida: 0 comparaci\xF3n hecha, aunque alg\xFAn m\xE9todo falle;\n"
    "4 argumento no v\xE1lido: opci\xF3n desconocida o sin su valor, argumento de\n"
    "m\xE1s, -d sin -f, valor no v\xE1lido de A, B, TOL o MAXITER, A > B, TOL < 0 o\n"
    "expresi\xF3n que no se puede leer; 5 no se pudo escribir el dibujo.\n";

[[noreturn]] void rechaza(const char *que, const std::string &texto) {
  rechaza_argumento("rootcompare", que, texto);
}

// The refused option as opcion_refusada gives it, a long one without its
// "=value".
std::string rechazada(char *argv[], int indice_previo) {
  std::string opcion = opcion_refusada(argv, indice_previo);
  return opcion.rfind("--", 0) == 0 ? opcion.substr(0, opcion.find('=')) : opcion;
}

// A finite number written whole (strtod: the decimal point is '.', as the
// program never sets LC_NUMERIC). opcion names the option as it was written.
double lee_real(const std::string &opcion, const char *texto) {
  char *fin = nullptr;
  errno = 0;
  const double x = std::strtod(texto, &fin);
  if (fin == texto || *fin != '\0' || errno == ERANGE || !std::isfinite(x))
    rechaza(("valor no v\xE1lido de " + opcion).c_str(), texto);
  return x;
}

int lee_entero(const std::string &opcion, const char *texto, long minimo, long maximo) {
  char *fin = nullptr;
  errno = 0;
  const long n = std::strtol(texto, &fin, 10);
  if (fin == texto || *fin != '\0' || errno == ERANGE || n < minimo || n > maximo)
    rechaza(("valor no v\xE1lido de " + opcion).c_str(), texto);
  return static_cast<int>(n);
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
    case 'a': o.a = lee_real(nombre, optarg); break;
    case 'b': o.b = lee_real(nombre, optarg); break;
    case 't': o.tol = lee_real(nombre, optarg); break;
    case 'n': o.maxiter = lee_entero(nombre, optarg, 1, MAXITER_TOPE); break;
    case CSV: o.csv = true; break;
    case AYUDA:
    case VERSION:
      if (pedida == 0) pedida = c;
      break;
    default:
      rechaza(c == ':' ? "falta el valor de la opci\xF3n" : "opci\xF3n no v\xE1lida",
              rechazada(argv, previo));
    }
  }
  if (optind < argc) rechaza("argumento no v\xE1lido", argv[optind]);
  comprueba(o);
  if (pedida == AYUDA) std::cout << TEXTO_AYUDA << std::flush;
  if (pedida == VERSION) std::cout << "rootcompare " RAICES_VERSION << std::endl;
  if (pedida != 0) std::exit(0);
  return o;
}
