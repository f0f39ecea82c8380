// -p NOMBRE=VALOR, read and shown.
#include "P3/consola/parametros.h"

#include <algorithm>

#include "P3/consola/rechazo.h"

void anade_parametro(Parametros &parametros, const char *programa, const std::string &opcion,
                     const char *texto) {
  const std::string t = texto;
  const std::size_t igual = t.find('=');
  if (igual == std::string::npos || igual == 0 || igual + 1 == t.size())
    rechaza_argumento(programa,
                      ("valor no v\xE1lido de " + opcion + " (escriba NOMBRE=VALOR)").c_str(), t);
  std::string nombre = t.substr(0, igual);
  const bool repetido = std::any_of(parametros.begin(), parametros.end(),
                                    [&nombre](const auto &p) { return p.first == nombre; });
  if (repetido) rechaza_argumento(programa, ("par\xE1metro repetido en " + opcion).c_str(), nombre);
  parametros.emplace_back(std::move(nombre), t.substr(igual + 1));
}

std::string describe_parametros(const Parametros &parametros) {
  std::string texto;
  for (const auto &[nombre, valor] : parametros) {
    texto += texto.empty() ? ", con " : ", ";
    texto += nombre;
    texto += " = ";
    texto += valor;
  }
  return texto;
}
