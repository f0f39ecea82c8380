// rootbench's reading of a typed value, with one warning for the first value
// that cannot be read whole.
#ifndef P3_ROOTBENCH_LECTURA_H
#define P3_ROOTBENCH_LECTURA_H

#include <cctype>
#include <iostream>
#include <sstream>
#include <string>
#include <type_traits>

#include "P3/consola/lectura.h"

// The warning line for a value typed as palabra of which the extraction took
// the first leidos characters (0: nothing was stored); entero, read into an
// int; con_punto, palabra with its commas as points would have been read whole.
std::string aviso_de_lectura(const std::string &palabra, std::size_t leidos, bool entero,
                             bool con_punto);

// Writes that line on standard error, the first time only.
void avisa_una_vez(const std::string &palabra, std::size_t leidos, bool entero, bool con_punto);

// palabra with each comma as a point.
std::string con_puntos(std::string palabra);

// palabra would be read whole as a T.
template <typename T> bool se_lee_entera(const std::string &palabra) {
  std::istringstream s(palabra);
  T valor{};
  return (s >> valor) && (s >> std::ws).eof();
}

// Stores the next number of standard input in x when it was read in range;
// otherwise x keeps its value, and once the stream has failed every later
// read fails too. What is read, and so what is stored, is exactly what the
// extraction takes. The first read that fails on text, or that takes only
// the start of a word ("1e3" or "2.5" into an int, "0,5"), writes the
// warning; a read that finds only blanks and the end of input is silent,
// since the defaults then are what the user asked for.
template <typename T> void lee(T &x) {
  if (!(std::cin >> std::ws).good()) return; // the end of input, or a failed stream
  const std::size_t MAX_PALABRA = 41;        // one more than a warning shows
  const std::string palabra = raices::palabra_siguiente(MAX_PALABRA);
  const std::size_t antes = raices::caracteres_leidos();
  T valor{};
  std::size_t leidos = 0;
  if (std::cin >> valor) {
    x = valor;
    if (std::cin.eof() || std::isspace(std::cin.rdbuf()->sgetc()) != 0) return;
    leidos = raices::caracteres_leidos() - antes;
  }
  const std::string punto = con_puntos(palabra);
  const bool con_punto =
      punto != palabra && palabra.size() < MAX_PALABRA && se_lee_entera<T>(punto);
  avisa_una_vez(palabra, leidos, std::is_integral_v<T>, con_punto);
}

#endif
