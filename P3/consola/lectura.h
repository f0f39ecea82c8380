// Look-ahead on standard input, for warnings that quote what the user typed.
#ifndef P3_LECTURA_H
#define P3_LECTURA_H

#include <cstddef>
#include <string>

namespace raices {

// The word that comes next on std::cin: its characters up to the first
// blank or the end of input, at most maximo of them. They stay unread: the
// next extraction takes them as it would have. The first call puts a
// look-ahead buffer in front of std::cin's own, which reads from it one
// character at a time as before.
std::string palabra_siguiente(std::size_t maximo);

// How many characters std::cin has taken so far through that buffer.
std::size_t caracteres_leidos();

} // namespace raices

#endif
