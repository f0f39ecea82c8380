// The place of a fault in a typed text, shown under it.
#include "P3/expresion/caracteres.h"
#include "P3/expresion/expresion.h"

std::string senala(const ErrorExpresion &e, std::size_t ancho) {
  if (e.posicion == 0) return "";
  std::string linea = e.nombre;
  for (std::size_t i = 0; i < e.texto.size();) {
    const Caracter c = lee_caracter(e.texto, i);
    linea += visible(c.codigo);
    i += c.largo;
  }
  // The place can be just past the last character: the end of the text.
  const std::size_t columna = e.nombre.size() + e.posicion - 1;
  if (linea.size() > ancho || columna >= ancho) return "";
  return linea + "\n" + std::string(columna, ' ') + "^\n";
}
