// Internal to the expression front end: the characters of a typed text, in
// UTF-8 or in Latin-1, as the user's terminal sent them.
#ifndef P3_CARACTERES_H
#define P3_CARACTERES_H

#include <cstddef>
#include <string>

// One character: its code point and its length in bytes. A byte that does
// not start a well-formed UTF-8 sequence is a Latin-1 character.
struct Caracter {
  char32_t codigo;
  std::size_t largo;
};
Caracter lee_caracter(const std::string &texto, std::size_t i);

// A control character, of ASCII or of Latin-1: never shown as it is.
bool de_control(char32_t codigo);

// The character as one column of a Latin-1 line: itself when Latin-1 can
// show it, a blank for a tab, '?' otherwise.
char visible(char32_t codigo);

#endif
