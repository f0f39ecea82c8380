// The command line of rootcompare and rootscan, read with getopt_long.
// getopt itself stays silent (opterr = 0): every refusal is one line of ours.
#include "P3/consola/opciones_problema.h"

#include <cstdlib>
#include <getopt.h>
#include <iostream>

#include "P3/consola/parametros.h"
#include "P3/consola/rechazo.h"

namespace {

const long MAXITER_TOPE = 100000; // bounds the iterates kept in memory

// Long options without a short form get values beyond every character.
const int AYUDA = 256;
const int VERSION = 257;
const int CSV = 258;
const int DEMUESTRA = 259;

const option LARGAS[] = {
    {"funcion", required_argument, nullptr, 'f'},   {"derivada", required_argument, nullptr, 'd'},
    {"parametro", required_argument, nullptr, 'p'}, {"extremo-a", required_argument, nullptr, 'a'},
    {"extremo-b", required_argument, nullptr, 'b'}, {"tolerancia", required_argument, nullptr, 't'},
    {"pasos", required_argument, nullptr, 'n'},     {"csv", no_argument, nullptr, CSV},
    {"demuestra", no_argument, nullptr, DEMUESTRA}, {"help", no_argument, nullptr, AYUDA},
    {"version", no_argument, nullptr, VERSION},     {nullptr, 0, nullptr, 0}};

void comprueba(const ProgramaProblema &programa, const OpcionesProblema &o) {
  const auto rechaza = [&programa](const char *que, const std::string &texto) {
    rechaza_argumento(programa.nombre, que, texto);
  };
  if (o.derivada != nullptr && o.funcion == nullptr) rechaza("opci\xF3n no v\xE1lida sin -f", "-d");
  if (!o.parametros.empty() && o.funcion == nullptr) rechaza("opci\xF3n no v\xE1lida sin -f", "-p");
  if (o.a > o.b) rechaza("intervalo no v\xE1lido", "A > B");
  if (o.tol < 0) rechaza("tolerancia no v\xE1lida", "TOL < 0");
  if (o.grafica != nullptr && programa.formato_dibujo(o.grafica) == nullptr)
    rechaza("formato de dibujo no v\xE1lido (.svg, .png o .pdf)", o.grafica);
}

// The option getopt_long has just read, as the user typed it, for the
// refusal of its value: a long one may be a unique prefix (--tol) and its
// value may be in the same argument (after '=') or in the next one.
std::string escrita(int c, bool larga, char *argv[]) {
  if (!larga) return std::string("-") + static_cast<char>(c);
  const std::string texto = optarg == argv[optind - 1] ? argv[optind - 2] : argv[optind - 1];
  return texto.substr(0, texto.find('='));
}

} // namespace

OpcionesProblema lee_opciones_problema(const ProgramaProblema &programa, int argc, char *argv[]) {
  const char *const nombre = programa.nombre;
  // Without -n, --pasos is cut off the table and -n off the short options;
  // --demuestra likewise.
  option largas[sizeof LARGAS / sizeof LARGAS[0]];
  int n = 0;
  for (const option &l : LARGAS)
    if ((programa.con_pasos || l.val != 'n') && (programa.con_demuestra || l.val != DEMUESTRA))
      largas[n++] = l;
  // The leading ':' tells a missing value (':') from an unknown option ('?').
  const char *const cortas = programa.con_pasos ? ":f:d:p:a:b:t:n:g:" : ":f:d:p:a:b:t:g:";
  OpcionesProblema o;
  int pedida = 0; // the first of --help and --version, once all is checked
  opterr = 0;
  int larga = -1; // index in largas of a long option, else -1
  for (int previo = optind, c = 0; (c = getopt_long(argc, argv, cortas, largas, &larga)) != -1;
       previo = optind, larga = -1) {
    const auto real = [&](double &destino) {
      destino = raices::lee_real(nombre, escrita(c, larga >= 0, argv), optarg);
    };
    switch (c) {
    case 'f': o.funcion = optarg; break;
    case 'd': o.derivada = optarg; break;
    case 'p': anade_parametro(o.parametros, nombre, escrita(c, larga >= 0, argv), optarg); break;
    case 'g': o.grafica = optarg; break;
    case 'a':
      real(o.a);
      o.texto_a = optarg;
      break;
    case 'b':
      real(o.b);
      o.texto_b = optarg;
      break;
    case 't': real(o.tol); break;
    case 'n':
      o.maxiter = raices::lee_entero(nombre, escrita(c, larga >= 0, argv), optarg, 1, MAXITER_TOPE);
      break;
    case CSV: o.csv = true; break;
    case DEMUESTRA: o.demuestra = true; break;
    case AYUDA:
    case VERSION:
      if (pedida == 0) pedida = c;
      break;
    default: rechaza_opcion(nombre, c, argv, previo);
    }
  }
  if (optind < argc) rechaza_argumento(nombre, "argumento no v\xE1lido", argv[optind]);
  comprueba(programa, o);
  if (pedida == AYUDA) std::cout << programa.ayuda << std::flush;
  if (pedida == VERSION) std::cout << nombre << " " RAICES_VERSION << std::endl;
  if (pedida != 0) std::exit(0);
  return o;
}
