// Parameters of a typed f from the command line: -p NOMBRE=VALOR, once per
// parameter, shared by the programs.
#ifndef P3_PARAMETROS_H
#define P3_PARAMETROS_H

#include <string>
#include <utility>
#include <vector>

// Each parameter's name and its value as typed, in the order given.
using Parametros = std::vector<std::pair<std::string, std::string>>;

// Adds "NOMBRE=VALOR" to parametros, or refuses it for programa, naming
// opcion as typed (status 4): no '=', an empty name or value, or a name
// given twice. The name and the value themselves are judged with f.
void anade_parametro(Parametros &parametros, const char *programa, const std::string &opcion,
                     const char *texto);

// How the reports show them after f: ", con a = 0.5, M = 1"; empty without
// parameters.
std::string describe_parametros(const Parametros &parametros);

#endif
