// The words for a method's outcome, built in one place for the table, its
// notes, the CSV and the picture's legend.
#ifndef P3_DESENLACE_H
#define P3_DESENLACE_H

#include <string>

#include "P3/rootcompare/compara_metodos.h"

namespace raices {

enum class Detalle {
  palabra,  // "converge", "singularidad", "estancado", "no converge", ...
  codigo,   // with the outcome code: "singularidad (21)", "converge fuera de [A, B]"
  catalogo, // with the code's text: "singularidad (21: Se ha detectado una singularidad)"
};

// Latin-1.
std::string texto_desenlace(const Resultado &r, Detalle detalle);

} // namespace raices

#endif
