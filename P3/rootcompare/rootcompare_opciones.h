// Command line of rootcompare: the options shared with rootscan, and its help.
#ifndef P3_ROOTCOMPARE_OPCIONES_H
#define P3_ROOTCOMPARE_OPCIONES_H

#include "P3/consola/opciones_problema.h"

// Reads the options as lee_opciones_problema does, -n (--pasos) among them.
OpcionesProblema lee_opciones_compara(int argc, char *argv[]);

#endif
