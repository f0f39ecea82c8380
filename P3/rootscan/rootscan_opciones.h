// Command line of rootscan: the options shared with rootcompare, and its help.
#ifndef P3_ROOTSCAN_OPCIONES_H
#define P3_ROOTSCAN_OPCIONES_H

#include "P3/consola/opciones_problema.h"

// Reads the options as lee_opciones_problema does, without -n and with
// --demuestra.
OpcionesProblema lee_opciones_barrido(int argc, char *argv[]);

#endif
