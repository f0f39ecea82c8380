// Command line of rootcompare.
#ifndef P3_ROOTCOMPARE_OPCIONES_H
#define P3_ROOTCOMPARE_OPCIONES_H

struct OpcionesCompara {
  const char *funcion = nullptr;  // -f EXPR, or null for fun
  const char *derivada = nullptr; // -d EXPR, or null
  const char *grafica = nullptr;  // -g FILE.svg, or null
  bool csv = false;               // --csv: iterates instead of the table
  double a = 0, b = 1;            // -a, -b
  double tol = 1e-12;             // -t
  int maxiter = 100;              // -n
};

// Reads the options. --help and --version write their text on standard
// output and end the process with status 0. An unknown option, a missing or
// unreadable value, a stray argument, -d without -f, A > B, a negative TOL
// or MAXITER out of range writes one line on standard error, naming it, and
// ends the process with status 4; nothing goes to standard output.
OpcionesCompara lee_opciones_compara(int argc, char *argv[]);

#endif
