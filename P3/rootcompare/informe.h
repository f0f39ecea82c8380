// rootcompare's standard output: the comparison table, or every iterate as
// CSV. Spanish, Latin-1; numbers never follow the locale.
#ifndef P3_INFORME_H
#define P3_INFORME_H

#include <ostream>
#include <string>
#include <vector>

#include "P3/rootcompare/compara_metodos.h"

// The problem and the stopping rule, then one row per method.
// descripcion is f(x) as the user sees it.
void escribe_tabla(std::ostream &os, const std::string &descripcion, const Problema &p,
                   const std::vector<Resultado> &resultados);

// Header row, then one row per iterate: method, step, x, f(x), change.
// 17 significant digits, so every value reads back exactly.
void escribe_csv(std::ostream &os, const std::vector<Resultado> &resultados);

// x with the given significant digits (0: the shortest text that reads back
// as x), independent of the locale.
std::string numero(double x, int cifras = 0);

#endif
