// Fatal exit of rootbench: the caller's context line, then the catalogue
// message of the code, both on standard error; the code is the exit status.
#ifndef UTIL_ERROR_H
#define UTIL_ERROR_H

#include <cstdlib>
#include <iostream>
#include <string>

// Never returns. A normal exit, so everything already written to standard
// output is flushed and kept. Codes outside the catalogue exit with -1, as
// code -1 itself does; only the message tells them apart.
// Accented letters are single Latin-1 bytes. The text is taken by value:
// error() receives its own copy.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
[[noreturn]] inline void error(std::string mensaje, int codigo) {
  std::cerr << mensaje << std::endl;
  const char *texto = "Error no catalogado";
  int estado = codigo;
  switch (codigo) {
  case -1: texto = "Fallo al ejecutar"; break;
  // Two texts written back to back, with no blank between them.
  case 1:
    texto = "Error de dominio, ra\xEDz cuadrada de un n\xFAmero negativo"
            "o similar";
    break;
  case 2: texto = "Rango incorrecto"; break;
  case 3: texto = "Puntero no v\xE1lido"; break;
  case 4: texto = "Argumento no v\xE1lido"; break;
  case 8: texto = "No hay bastante memoria"; break;
  case 9: texto = "Hay un problema con la funci\xF3n del usuario"; break;
  case 11: texto = "Se ha excedido el n\xFAmero m\xE1ximo de iteraciones"; break;
  case 12: texto = "Intento de dividir por cero"; break;
  case 13: texto = "Tolerancia inv\xE1lida"; break;
  case 14: texto = "El proceso no alcanza la tolerancia especificada"; break;
  case 15: texto = "Error de underflow"; break;
  case 16: texto = "Error de overflow"; break;
  case 17: texto = "Perdida de precisi\xF3n"; break;
  case 18: texto = "Error de Redondeo"; break;
  case 19: texto = "Problema con la dimensi\xF3n de una matriz o vector"; break;
  case 20: texto = "Error, la matriz no es cuadrada"; break;
  case 21: texto = "Se ha detectado una singularidad"; break;
  case 22: texto = "Integral o serie divergente"; break;
  case 23: texto = "Iteraci\xF3n estancada"; break;
  case 26: texto = "Error en el proceso"; break;
  case 27: texto = "Ra\xEDz no acotada en intervalo"; break;
  default: estado = -1; break;
  }
  std::cerr << texto << std::endl;
  std::exit(estado);
}

#endif
