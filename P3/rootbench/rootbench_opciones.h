// Command line of rootbench.
#ifndef P3_ROOTBENCH_OPCIONES_H
#define P3_ROOTBENCH_OPCIONES_H

#include "P3/consola/parametros.h"

struct Opciones {
  const char *funcion = nullptr;  // -f EXPR: f(x) as typed, or null for fun
  const char *derivada = nullptr; // -d EXPR: f'(x) as typed, or null
  Parametros parametros;          // -p NOMBRE=VALOR, each one
};

// Reads the options. --help and --version write their text on standard
// output and end the process with status 0. An unknown option, a missing
// value, a stray argument, -d or -p without -f, or -p not NOMBRE=VALOR writes one line on standard
// error, naming it, and ends the process with status 4; nothing goes to
// standard output.
Opciones lee_opciones(int argc, char *argv[]);

#endif
