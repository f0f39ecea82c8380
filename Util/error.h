// The error catalogue: a text per code. Fatal exit of rootbench: the caller's
// context line, then the catalogue message of the code, both on standard
// error; the code is the exit status.
#ifndef UTIL_ERROR_H
#define UTIL_ERROR_H

#include <cstdlib>
#include <iostream>
#include <string>

// Catalogue message of an error code, or nullptr for a code outside the
// catalogue. Accented letters are single Latin-1 bytes.
inline const char *texto_catalogado(int codigo) {
  switch (codigo) {
  case -1: return "Fallo al ejecutar";
  // Two texts written back to back, with no blank between them.
  case 1:
    return "Error de dominio, ra\xEDz cuadrada de un n\xFAmero negativo"
           "o similar";
  case 2: return "Rango incorrecto";
  case 3: return "Puntero no v\xE1lido";
  case 4: return "Argumento no v\xE1lido";
  case 8: return "No hay bastante memoria";
  case 9: return "Hay un problema con la funci\xF3n del usuario";
  case 11: return "Se ha excedido el n\xFAmero m\xE1ximo de iteraciones";
  case 12: return "Intento de dividir por cero";
  case 13: return "Tolerancia inv\xE1lida";
  case 14: return "El proceso no alcanza la tolerancia especificada";
  case 15: return "Error de underflow";
  case 16: return "Error de overflow";
  case 17: return "Perdida de precisi\xF3n";
  case 18: return "Error de Redondeo";
  case 19: return "Problema con la dimensi\xF3n de una matriz o vector";
  case 20: return "Error, la matriz no es cuadrada";
  case 21: return "Se ha detectado una singularidad";
  case 22: return "Integral o serie divergente";
  case 23: return "Iteraci\xF3n estancada";
  case 26: return "Error en el proceso";
  case 27: return "Ra\xEDz no acotada en intervalo";
  default: return nullptr;
  }
}

// The message error() writes for the code: its catalogue text, or
// "Error no catalogado".
inline const char *texto_error(int codigo) {
  const char *texto = texto_catalogado(codigo);
  return texto != nullptr ? texto : "Error no catalogado";
}

// Never returns. A normal exit, so everything already written to standard
// output is flushed and kept. Codes outside the catalogue exit with -1, as
// code -1 itself does; only the message tells them apart.
// The text is taken by value: error() receives its own copy.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
[[noreturn]] inline void error(std::string mensaje, int codigo) {
  std::cerr << mensaje << std::endl;
  std::cerr << texto_error(codigo) << std::endl;
  std::exit(texto_catalogado(codigo) != nullptr ? codigo : -1);
}

#endif
