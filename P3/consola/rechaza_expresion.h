// The fatal refusal of a typed expression, shared by the programs.
#ifndef P3_CONSOLA_RECHAZA_EXPRESION_H
#define P3_CONSOLA_RECHAZA_EXPRESION_H

#include <string>
#include <utility>
#include <vector>

#include "P3/expresion/expresion.h"

// The context line e.mensaje and the catalogue line "Argumento no válido" on
// standard error, exit status 4. When standard error is a terminal and the
// text fits its width, the text with a caret under the fault comes first;
// pipes and files get the two lines alone.
[[noreturn]] void rechaza_expresion(const ErrorExpresion &e);

// f and f' from the command line (texto_df may be null: f' is derived),
// with their parameters (name and value as typed) bound, or the refusal
// above.
Funciones
funciones_tecleadas(const char *texto_f, const char *texto_df,
                    const std::vector<std::pair<std::string, std::string>> &parametros = {});

#endif
