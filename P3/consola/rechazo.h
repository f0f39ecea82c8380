// Refusals of the command line, shared by rootbench and rootcompare.
#ifndef P3_RECHAZO_H
#define P3_RECHAZO_H

#include <string>

// One line on standard error, "programa: que: texto (véase programa --help)",
// then exit status 4. The text is shown as it can stand on one line:
// control characters as '?', a long text cut after its first 40 bytes.
[[noreturn]] void rechaza_argumento(const char *programa, const char *que,
                                    const std::string &texto);

// The option getopt_long has just refused, as the user wrote it: a long one
// is its whole argument, a short one is its character. indice_previo is
// optind before that call of getopt_long.
std::string opcion_refusada(char *argv[], int indice_previo);

namespace raices {
// A text as it can stand on one line: control characters as '?', a long
// one cut after its first 40 bytes and followed by "...".
std::string mostrable(const std::string &texto);
} // namespace raices

#endif
