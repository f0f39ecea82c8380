// rootcompare's standard output: the comparison table with its notes, or
// every iterate as CSV. The table is Spanish, Latin-1, and no line of it is
// wider than 80 columns; the CSV is ASCII. Numbers never follow the locale.
#ifndef P3_INFORME_H
#define P3_INFORME_H

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "P3/rootcompare/compara_metodos.h"

namespace raices {

constexpr std::size_t COLUMNAS = 80; // the widest line of the table

// The problem and where the rules are (three lines), one row per method,
// then a note for each method whose outcome needs more words than its cell.
// descripcion is f(x) as the user sees it.
void escribe_tabla(std::ostream &os, const std::string &descripcion, const Problema &p,
                   const std::vector<Resultado> &resultados);

// The rules of the comparison, for --help: how each family stops, when a
// stop converges, which end is the root, how the order is fitted, and the
// outcomes; lines of at most COLUMNAS.
std::string reglas();

// Header row, then one row per iterate, the start (step 0) included: method
// key, step, x, f(x), change, and the method's final outcome code. 17
// significant digits, so every value reads back exactly.
void escribe_csv(std::ostream &os, const std::vector<Resultado> &resultados);

// x with the given significant digits (0: the shortest text that reads back
// as x), independent of the locale.
std::string numero(double x, int cifras = 0);

// texto broken at blanks into lines of at most `ancho` bytes (one Latin-1
// byte, one column), the lines after the first indented by `sangria`
// blanks; a word longer than a line is cut.
std::string envuelve(const std::string &texto, std::size_t ancho = COLUMNAS,
                     std::size_t sangria = 0);

} // namespace raices

#endif
