// Refusals of the command line, shared by the programs.
#ifndef P3_RECHAZO_H
#define P3_RECHAZO_H

#include <string>

// One line on standard error, "programa: que: texto (vÃ©ase programa --help)",
// then exit status 4. The text is shown as it can stand on one line:
// control characters as '?', a long text cut after its first 40 bytes.
[[noreturn]] void rechaza_argumento(const char *programa, const char *que,
                                    const std::string &texto);

// The option getopt_long has just refused, as the user wrote it: a long one
// is its whole argument, a short one is its character. indice_previo is
// optind before that call of getopt_long.
std::string opcion_refusada(char *argv[], int indice_previo);

// The refusal of the option getopt_long has just refused: "falta el valor de
// la opción" when c is ':', else "opción no válida"; the option as
// opcion_refusada gives it, a long one without its "=value".
[[noreturn]] void rechaza_opcion(const char *programa, int c, char *argv[], int indice_previo);

namespace raices {
// A finite number written whole (strtod: the decimal point is '.', as the
// programs never set LC_NUMERIC), or a whole number in base 10 within
// [minimo, maximo]; anything else is refused for programa with "valor no
// válido de <opcion>", opcion as the caller names it.
double lee_real(const char *programa, const std::string &opcion, const char *texto);
int lee_entero(const char *programa, const std::string &opcion, const char *texto, long minimo,
               long maximo);

// A text as it can stand on one line: control characters as '?', a long
// one cut after its first 40 bytes and followed by "...".
std::string mostrable(const std::string &texto);
} // namespace raices

#endif
