// Refusals of the command line: one line each, status 4, nothing on
// standard output.
#include "P3/consola/rechazo.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <getopt.h>
#include <iostream>

#include "P3/metodos/estados.h"

// An argument as it can be shown on one line: control characters as '?',
// and no more than the first MAX_MOSTRADO bytes of a long one.
static const std::size_t MAX_MOSTRADO = 40;
std::string raices::mostrable(const std::string &texto) {
  std::string linea = texto.substr(0, MAX_MOSTRADO);
  for (char &c : linea)
    if (std::iscntrl(static_cast<unsigned char>(c)) != 0) c = '?';
  return texto.size() > MAX_MOSTRADO ? linea + "..." : linea;
}

void rechaza_argumento(const char *programa, const char *que, const std::string &texto) {
  std::cerr << programa << ": " << que << ": " << raices::mostrable(texto) << " (v\xE9"
            << "ase " << programa << " --help)" << std::endl;
  std::exit(raices::ARGUMENTO_INVALIDO);
}

// getopt_long always finishes the argument of a long option, so optind has
// moved past it; within a group of short options it may not have.
std::string opcion_refusada(char *argv[], int indice_previo) {
  if (optind > indice_previo && std::strncmp(argv[optind - 1], "--", 2) == 0)
    return argv[optind - 1];
  return std::string("-") + static_cast<char>(optopt);
}

void rechaza_opcion(const char *programa, int c, char *argv[], int indice_previo) {
  std::string opcion = opcion_refusada(argv, indice_previo);
  if (opcion.rfind("--", 0) == 0) opcion = opcion.substr(0, opcion.find('='));
  rechaza_argumento(programa,
                    c == ':' ? "falta el valor de la opci\xF3n" : "opci\xF3n no v\xE1lida", opcion);
}

double raices::lee_real(const char *programa, const std::string &opcion, const char *texto) {
  char *fin = nullptr;
  errno = 0;
  const double x = std::strtod(texto, &fin);
  if (fin == texto || *fin != '\0' || errno == ERANGE || !std::isfinite(x))
    rechaza_argumento(programa, ("valor no v\xE1lido de " + opcion).c_str(), texto);
  return x;
}

int raices::lee_entero(const char *programa, const std::string &opcion, const char *texto,
                       long minimo, long maximo) {
  char *fin = nullptr;
  errno = 0;
  const long n = std::strtol(texto, &fin, 10);
  if (fin == texto || *fin != '\0' || errno == ERANGE || n < minimo || n > maximo)
    rechaza_argumento(programa, ("valor no v\xE1lido de " + opcion).c_str(), texto);
  return static_cast<int>(n);
}
