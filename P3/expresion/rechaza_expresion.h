// The fatal refusal of a typed expression, shared by rootbench and
// rootcompare.
#ifndef P3_RECHAZA_EXPRESION_H
#define P3_RECHAZA_EXPRESION_H

#include "P3/expresion/expresion.h"

// The context line e.mensaje and the catalogue line "Argumento no válido" on
// standard error, exit status 4. When standard error is a terminal and the
// text fits its width, the text with a caret under the fault comes first;
// pipes and files get the two lines alone.
[[noreturn]] void rechaza_expresion(const ErrorExpresion &e);

#endif
