// Refusals of the command line: one line each, status 4, nothing on
// standard output.
#include "P3/consola/rechazo.h"

#include <cctype>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <getopt.h>
#include <iostream>

#include "P3/estados.h"

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
