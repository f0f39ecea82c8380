// The fatal refusal of a typed expression.
#include "P3/consola/rechaza_expresion.h"

#include <iostream>
#include <sys/ioctl.h>
#include <unistd.h>

#include "P3/metodos/estados.h"
#include "Util/error.h"

namespace {

// Columns of the terminal on standard error; 80 when it does not say.
std::size_t ancho_terminal() {
  winsize w{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &w) == 0 && w.ws_col > 0) return w.ws_col;
  return 80;
}

} // namespace

void rechaza_expresion(const ErrorExpresion &e) {
  if (isatty(STDERR_FILENO) != 0) std::cerr << senala(e, ancho_terminal());
  error(e.mensaje, raices::ARGUMENTO_INVALIDO);
}

Funciones funciones_tecleadas(const char *texto_f, const char *texto_df,
                              const std::vector<std::pair<std::string, std::string>> &parametros) {
  try {
    std::vector<std::string> nombres;
    nombres.reserve(parametros.size());
    for (const auto &p : parametros) nombres.push_back(p.first);
    Funciones fs = prepara_funciones(texto_f, texto_df, nombres);
    for (const auto &[nombre, valor] : parametros) fs.fija(nombre, valor);
    return fs;
  } catch (const ErrorExpresion &e) {
    rechaza_expresion(e);
  }
}
