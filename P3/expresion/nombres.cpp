// The names of the grammar, and the one a mistyped name most likely meant.
#include <algorithm>
#include <cctype>
#include <iterator>
#include <vector>

#include "P3/expresion/expresion_interna.h"

bool es_funcion(const std::string &nombre) {
  return std::any_of(std::begin(nombres_funciones), std::end(nombres_funciones),
                     [&nombre](const char *f) { return nombre == f; }) ||
         std::any_of(std::begin(alias_funciones), std::end(alias_funciones),
                     [&nombre](const Alias &a) { return nombre == a.nombre; });
}

namespace {

std::string minusculas(std::string s) {
  for (char &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Edits (insertion, deletion, substitution, swap of neighbours) from a to b.
std::size_t distancia(const std::string &a, const std::string &b) {
  const std::size_t n = a.size(), m = b.size();
  std::vector<std::vector<std::size_t>> d(n + 1, std::vector<std::size_t>(m + 1));
  for (std::size_t i = 0; i <= n; ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= m; ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= n; ++i)
    for (std::size_t j = 1; j <= m; ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[n][m];
}

// A known name followed by digits (log2, exp10) is another function, not a
// slip of the keyboard.
bool con_cifras(const std::string &nombre, const std::string &conocido) {
  return nombre.size() > conocido.size() && nombre.compare(0, conocido.size(), conocido) == 0 &&
         nombre.find_first_not_of("0123456789", conocido.size()) == std::string::npos;
}

// Names that calculators, CAS tools and Spanish give a function of the
// grammar, too far from its own for the count of edits to find it.
struct Otro {
  const char *nombre, *nuestro;
};
constexpr Otro otras_notaciones[] = {{"raiz", "sqrt"}, {"sqr", "sqrt"}, {"root", "sqrt"}};

} // namespace

std::string sugerencia(const std::string &nombre) {
  std::vector<std::string> conocidos = {"x", "pi", "e"};
  conocidos.insert(conocidos.end(), std::begin(nombres_funciones), std::end(nombres_funciones));
  for (const Alias &a : alias_funciones) conocidos.emplace_back(a.nombre);
  for (const std::string &c : conocidos)
    if (minusculas(nombre) == c) return c;
  for (const Otro &o : otras_notaciones)
    if (minusculas(nombre) == o.nombre) return o.nuestro;
  // One edit in a name of three letters or more, two in one of five or more;
  // shorter names are too close to everything.
  const std::size_t permitida = nombre.size() >= 5 ? 2 : nombre.size() >= 3 ? 1 : 0;
  for (std::size_t d = 1; d <= permitida; ++d)
    for (const std::string &c : conocidos)
      if (c.size() > 1 && !con_cifras(nombre, c) && distancia(minusculas(nombre), c) == d) return c;
  return "";
}
