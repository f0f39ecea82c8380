// A second translation unit that includes every shared header: the program
// must link without clashes, and each unit must hold its own copies.
#include "Util/error.h"
#include "Util/matutil.h"
#include "Util/specfunc.h"

const void *tabla_de_la_otra_unidad() { return &fact_table[0]; }
const void *aurea_de_la_otra_unidad() { return &AUREA; }
double maximo_de_la_otra_unidad(double a, double b) { return maximo(a, b); }
