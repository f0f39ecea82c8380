// The command line shared by rootcompare and rootscan: one problem (f, f',
// [A, B], TOL and, for rootcompare, a step limit), a picture and CSV.
#ifndef P3_OPCIONES_PROBLEMA_H
#define P3_OPCIONES_PROBLEMA_H

#include <string>

#include "P3/consola/parametros.h"

struct OpcionesProblema {
  const char *funcion = nullptr;  // -f EXPR, or null for fun
  const char *derivada = nullptr; // -d EXPR, or null
  Parametros parametros;          // -p NOMBRE=VALOR, each one
  const char *grafica = nullptr;  // -g FILE (.svg, .png or .pdf), or null
  bool csv = false;               // --csv instead of the table
  bool demuestra = false;         // --demuestra, where the program takes it
  double a = 0, b = 1;            // -a, -b
  const char *texto_a = "0";      // -a and -b as typed, read exactly where
  const char *texto_b = "1";      // the search is exact (a polynomial)
  double tol = 1e-12;             // -t
  int maxiter = 100;              // -n, where the program takes it
};

// What tells one program's command line from the other's.
struct ProgramaProblema {
  const char *nombre;                                     // in every refusal
  std::string ayuda;                                      // the --help text
  bool con_pasos;                                         // takes -n/--pasos
  bool con_demuestra;                                     // takes --demuestra
  const char *(*formato_dibujo)(const std::string &ruta); // device or nullptr
};

// Reads the options. --help and --version write their text on standard
// output and end the process with status 0, once everything else is checked.
// An unknown option, a missing or unreadable value, a stray argument, -d
// without -f, A > B, a negative TOL, MAXITER out of range or a picture of
// no known format, -p not NOMBRE=VALOR or a name given twice, -p without -f
// writes one line on standard error, naming the option as
// the user typed it, and ends the process with status 4; nothing goes to
// standard output.
OpcionesProblema lee_opciones_problema(const ProgramaProblema &programa, int argc, char *argv[]);

#endif
