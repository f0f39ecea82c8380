// Characters of a typed text. A terminal in a UTF-8 locale sends UTF-8, one
// in a Latin-1 locale sends single bytes; a well-formed UTF-8 sequence is
// read as UTF-8, any other byte as Latin-1.
#include "P3/expresion/caracteres.h"

namespace {

bool continuacion(const std::string &t, std::size_t i) {
  return i < t.size() && (static_cast<unsigned char>(t[i]) & 0xC0U) == 0x80U;
}

} // namespace

Caracter lee_caracter(const std::string &texto, std::size_t i) {
  const auto c = static_cast<unsigned char>(texto[i]);
  std::size_t largo = 1;
  char32_t codigo = c;
  char32_t minimo = 0; // the smallest code point of that length: shorter forms are not UTF-8
  if (c >= 0xC2 && c <= 0xDF) {
    largo = 2, codigo = c & 0x1FU, minimo = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    largo = 3, codigo = c & 0x0FU, minimo = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    largo = 4, codigo = c & 0x07U, minimo = 0x10000;
  }
  if (largo == 1) return {c, 1};
  for (std::size_t k = 1; k < largo; ++k) {
    if (!continuacion(texto, i + k)) return {c, 1};
    codigo = (codigo << 6U) | (static_cast<unsigned char>(texto[i + k]) & 0x3FU);
  }
  if (codigo < minimo || codigo > 0x10FFFF || (codigo >= 0xD800 && codigo <= 0xDFFF)) return {c, 1};
  return {codigo, largo};
}

bool de_control(char32_t codigo) { return codigo < 0x20 || (codigo >= 0x7F && codigo < 0xA0); }

char visible(char32_t codigo) {
  if (codigo == '\t') return ' ';
  if (de_control(codigo) || codigo > 0xFF) return '?';
  return static_cast<char>(codigo);
}
