// Command line of rootscan.
#ifndef P3_ROOTSCAN_OPCIONES_H
#define P3_ROOTSCAN_OPCIONES_H

struct OpcionesBarrido {
  const char *funcion = nullptr;  // -f EXPR, or null for fun
  const char *derivada = nullptr; // -d EXPR, or null
  const char *grafica = nullptr;  // -g FILE (.svg, .png or .pdf), or null
  bool csv = false;               // --csv: one row per point found
  bool demuestra = false;         // --demuestra: every root proven, the rest proven free
  double a = 0, b = 1;            // -a, -b
  double tol = 1e-12;             // -t
};

// Reads the options. --help and --version write their text on standard
// output and end the process with status 0. An unknown option, a missing or
// unreadable value, a stray argument, -d without -f, A > B, a negative TOL
// or a picture whose name does not end in .svg, .png or .pdf writes one
// line on standard error, naming it, and ends the process with status 4;
// nothing goes to standard output.
OpcionesBarrido lee_opciones_barrido(int argc, char *argv[]);

#endif
