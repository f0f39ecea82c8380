// Calls of F on the Alefeld-Potra-Shi problems and the classics, per family,
// for Boost.Math's toms748_solve, the brentq transcription (brentq.h) and
// every bracketing method of the step library's table, as a Markdown table;
// then the totals, the problems solved and each total against Boost's. With
// -v, one row per problem. Then the calls of brentq and of Brent on three
// multiple roots.
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "P3/metodos/metodos.h"
#include "resolutores_aps.h"

namespace {

// Column 0 is Boost's, column 1 brentq's; column j > 1 is the table's method
// metodos[j - 2].
struct Suma {
  std::vector<long> llamadas;
  std::vector<int> resueltos;
  int problemas = 0;
};

void fila(const char *nombre, const Suma &s) {
  std::printf("| %s | %d |", nombre, s.problemas);
  for (std::size_t j = 0; j < s.llamadas.size(); ++j) {
    std::printf(" %ld", s.llamadas[j]);
    if (s.resueltos[j] < s.problemas) std::printf(" (%d solved)", s.resueltos[j]);
    std::printf(" |");
  }
  std::printf("\n");
}

// Calls of F on three multiple roots, with xtol = ANCHO: brentq under its
// own test, Brent under the rule of the APS set (told the width).
void multiples() {
  const aps::Problema casos[] = {
      {"(x-1)^3 on [0, 2.5]", 0, 0, 0, 0, 2.5, [](double x) { return std::pow(x - 1, 3); }},
      {"(x-1)^5 on [-1, 4]", 0, 0, 0, -1, 4, [](double x) { return std::pow(x - 1, 5); }},
      {"x^9 on [-1, 4]", 0, 0, 0, -1, 4, [](double x) { return std::pow(x, 9); }},
  };
  std::printf("\n| multiple root, xtol %g | brentq | brent |\n|---|---:|---:|\n", aps::ANCHO);
  for (const aps::Problema &p : casos)
    std::printf("| %s | %ld | %ld |\n", p.nombre.c_str(), aps::con_brentq(p).llamadas,
                aps::con_metodo(raices::indice<raices::Brent>, p).llamadas);
}

} // namespace

int main(int argc, char **argv) {
  const bool cada_uno = argc > 1 && std::strcmp(argv[1], "-v") == 0;
  std::vector<std::size_t> metodos;
  for (std::size_t m = 0; m < raices::NUM_METODOS; ++m)
    if (raices::DESCRIPTORES[m].familia == raices::Familia::acotado) metodos.push_back(m);
  const std::size_t columnas = metodos.size() + 2;

  std::printf("| family | problems | Boost toms748 | brentq |");
  for (std::size_t m : metodos) std::printf(" %s |", raices::DESCRIPTORES[m].clave);
  std::printf("\n|---|---:|");
  for (std::size_t j = 0; j < columnas; ++j) std::printf("---:|");
  std::printf("\n");

  const std::vector<aps::Problema> problemas = aps::problemas();
  const Suma vacia{std::vector<long>(columnas), std::vector<int>(columnas), 0};
  Suma familia = vacia, todos_aps = vacia, clasicos = vacia;
  auto suma = [](Suma &s, std::size_t j, const aps::Cuenta &c) {
    s.llamadas[j] += c.llamadas;
    s.resueltos[j] += c.resuelto ? 1 : 0;
  };
  for (std::size_t i = 0; i < problemas.size(); ++i) {
    const aps::Problema &p = problemas[i];
    const bool es_aps = p.k != 0;
    Suma &total = es_aps ? todos_aps : clasicos;
    std::vector<aps::Cuenta> cuentas{aps::con_toms748(p), aps::con_brentq(p)};
    for (std::size_t m : metodos) cuentas.push_back(aps::con_metodo(m, p));
    for (std::size_t j = 0; j < columnas; ++j) {
      suma(familia, j, cuentas[j]);
      suma(total, j, cuentas[j]);
    }
    ++familia.problemas;
    ++total.problemas;
    if (cada_uno) {
      Suma una = vacia;
      for (std::size_t j = 0; j < columnas; ++j) suma(una, j, cuentas[j]);
      una.problemas = 1;
      fila(p.nombre.c_str(), una);
    }
    const bool ultimo = i + 1 == problemas.size() || problemas[i + 1].k != p.k;
    if (ultimo && es_aps && !cada_uno) {
      fila(("aps " + std::to_string(p.k)).c_str(), familia);
    }
    if (ultimo) familia = vacia;
  }
  fila("**APS, all 15 families**", todos_aps);
  fila("classics (casos.h)", clasicos);
  Suma todo = vacia;
  for (std::size_t j = 0; j < columnas; ++j) {
    todo.llamadas[j] = todos_aps.llamadas[j] + clasicos.llamadas[j];
    todo.resueltos[j] = todos_aps.resueltos[j] + clasicos.resueltos[j];
  }
  todo.problemas = todos_aps.problemas + clasicos.problemas;
  fila("**all**", todo);
  std::printf("| against Boost, APS | |");
  for (std::size_t j = 0; j < columnas; ++j)
    std::printf(" %.3f |", static_cast<double>(todos_aps.llamadas[j]) /
                               static_cast<double>(todos_aps.llamadas[0]));
  std::printf("\n");
  multiples();
  return 0;
}
