// Checks on a text before the parser sees it. They bound what the parser and
// the derivation are given (length, nesting), keep out everything the parser
// would accept beyond the grammar (assignments, comparisons, commas, its own
// names), and name the fault with its position.
#include "P3/expresion/expresion_interna.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

// ASCII only, whatever the locale.
bool digito(char c) { return c >= '0' && c <= '9'; }
bool letra(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Letters, digits, the punctuation of the grammar and blanks (space, tab).
bool admitido(char c) { return digito(c) || letra(c) || (c != 0 && std::strchr("+-*/^(). \t", c)); }

std::string posicion(std::size_t i) { return " en la posici\xF3n " + std::to_string(i + 1); }

bool es_funcion(const std::string &nombre) {
  return std::any_of(std::begin(nombres_funciones), std::end(nombres_funciones),
                     [&nombre](const char *f) { return nombre == f; });
}

[[noreturn]] void falla(const std::string &problema) { throw ErrorTexto{problema}; }

void revisa_caracteres(const std::string &texto, int anidamiento_maximo) {
  int nivel = 0;
  for (std::size_t i = 0; i < texto.size(); ++i) {
    const char c = texto[i];
    if (!admitido(c)) {
      char escrito[16];
      if (c > ' ' && c < 127)
        (void)std::snprintf(escrito, sizeof escrito, "'%c'", c);
      else
        (void)std::snprintf(escrito, sizeof escrito, "(byte 0x%02X)",
                            static_cast<unsigned char>(c));
      falla(std::string("car\xE1"
                        "cter no admitido ") +
            escrito + posicion(i));
    }
    if (c == '(' && ++nivel > anidamiento_maximo)
      falla("demasiados par\xE9ntesis anidados" + posicion(i) + " (el m\xE1ximo es " +
            std::to_string(anidamiento_maximo) + ")");
    if (c == ')') --nivel;
  }
}

// Length of the number that starts at i: digits and a decimal point, then an
// exponent only when digits follow it ("2e" is 2 and the constant e).
std::size_t largo_numero(const std::string &t, std::size_t i) {
  std::size_t j = i;
  while (j < t.size() && (digito(t[j]) || t[j] == '.')) ++j;
  if (j < t.size() && (t[j] == 'e' || t[j] == 'E')) {
    std::size_t k = j + 1;
    if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
    if (k < t.size() && digito(t[k])) {
      while (k < t.size() && digito(t[k])) ++k;
      j = k;
    }
  }
  return j - i;
}

void revisa_numero(const std::string &numero, std::size_t i) {
  errno = 0;
  const double valor = std::strtod(numero.c_str(), nullptr);
  if (errno == ERANGE && std::abs(valor) > 1)
    falla("n\xFAmero fuera del rango de double '" + numero + "'" + posicion(i));
}

void revisa_nombre(const std::string &texto, const std::string &nombre, std::size_t i) {
  if (nombre == "x" || nombre == "pi" || nombre == "e" || es_funcion(nombre)) return;
  std::size_t j = i + nombre.size();
  while (j < texto.size() && (texto[j] == ' ' || texto[j] == '\t')) ++j;
  if (j < texto.size() && texto[j] == '(')
    falla("funci\xF3n desconocida '" + nombre + "'" + posicion(i));
  falla("nombre desconocido '" + nombre + "'" + posicion(i) + " (la \xFAnica variable es x)");
}

} // namespace

void revisa_texto(const std::string &texto, std::size_t longitud_maxima, int anidamiento_maximo) {
  if (texto.size() > longitud_maxima)
    falla("demasiado larga (" + std::to_string(texto.size()) + " caracteres; el m\xE1ximo es " +
          std::to_string(longitud_maxima) + ")");
  if (texto.find_first_not_of(" \t") == std::string::npos)
    falla("est\xE1 vac\xED"
          "a");
  revisa_caracteres(texto, anidamiento_maximo);
  for (std::size_t i = 0; i < texto.size();) {
    const char c = texto[i];
    std::size_t largo = 1;
    if (digito(c) || c == '.') {
      largo = largo_numero(texto, i);
      revisa_numero(texto.substr(i, largo), i);
    } else if (letra(c)) {
      while (i + largo < texto.size() && (letra(texto[i + largo]) || digito(texto[i + largo])))
        ++largo;
      revisa_nombre(texto, texto.substr(i, largo), i);
    }
    i += largo;
  }
}
