// The warning of a typed value that could not be read whole: the fixed
// first part, then what was typed and how to write it.
#include "P3/rootbench/rootbench_lectura.h"

#include "P3/consola/rechazo.h"

std::string con_puntos(std::string palabra) {
  for (char &c : palabra)
    if (c == ',') c = '.';
  return palabra;
}

std::string aviso_de_lectura(const std::string &palabra, std::size_t leidos, bool entero,
                             bool con_punto) {
  std::string aviso = "Valor no v\xE1lido: se conservan los valores iniciales; ";
  const std::string tecleado = "'" + raices::mostrable(palabra) + "'";
  if (con_punto)
    return aviso + "no se pudo leer " + tecleado + ": use el punto decimal, '" +
           con_puntos(palabra) + "'";
  if (leidos == 0) return aviso + "no se pudo leer " + tecleado;
  aviso +=
      "de " + tecleado + " solo se ley\xF3 '" + raices::mostrable(palabra.substr(0, leidos)) + "'";
  return entero ? aviso + " (se esperaba un entero)" : aviso;
}

void avisa_una_vez(const std::string &palabra, std::size_t leidos, bool entero, bool con_punto) {
  static bool avisado = false; // one warning for the whole dialogue
  if (avisado) return;
  avisado = true;
  std::cerr << aviso_de_lectura(palabra, leidos, entero, con_punto) << std::endl;
}
