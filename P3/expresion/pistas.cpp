// Hints for the notations students bring from calculators, CAS tools and
// other languages, where the grammar writes the same thing otherwise:
// |x| is abs(x), an equation f = g is solved as f - (g) = 0, and log(x, b)
// is log(x)/log(b).
#include <algorithm>
#include <cstring>

#include "P3/expresion/expresion_interna.h"

namespace {

// A piece of the typed text shown inside a hint: without its outer blanks,
// and only when short, so that the hint stays on one line.
const std::size_t PIEZA_MAXIMA = 24;

std::string pieza(const std::string &t, std::size_t desde, std::size_t hasta) {
  while (desde < hasta && (t[desde] == ' ' || t[desde] == '\t')) ++desde;
  while (hasta > desde && (t[hasta - 1] == ' ' || t[hasta - 1] == '\t')) --hasta;
  return t.substr(desde, hasta - desde);
}

bool mostrable(const std::string &p) {
  return !p.empty() && p.size() <= PIEZA_MAXIMA && std::all_of(p.begin(), p.end(), [](char c) {
    return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) <= 0x7E;
  });
}

std::string en(std::size_t i) { return " en la posici\xF3n " + std::to_string(i + 1); }

// |...|: the text between this bar and the next one.
std::string barra(const std::string &t, std::size_t i) {
  const std::size_t cierre = t.find('|', i + 1);
  std::string dentro = cierre == std::string::npos ? "" : pieza(t, i + 1, cierre);
  if (!mostrable(dentro)) dentro = "x";
  return "car\xE1"
         "cter '|'" +
         en(i) + ": el valor absoluto se escribe abs(" + dentro + ")";
}

// One '=' alone (not ==, <=, >= or !=), with the two sides around it.
std::string igual(const std::string &t, std::size_t i) {
  if (t.find('=', i + 1) != std::string::npos) return "";
  if (i > 0 && std::strchr("<>!=", t[i - 1]) != nullptr) return "";
  const std::string f = pieza(t, 0, i), g = pieza(t, i + 1, t.size());
  const std::string como = mostrable(f) && mostrable(g) ? f + " - (" + g + ")" : "f - (g)";
  return "signo '='" + en(i) +
         ": para resolver f = g, escriba f - (g); aqu\xED"
         " " +
         como;
}

// log(x, b): the argument before the comma, from the call's parenthesis at
// abre, and the one after it, up to the parenthesis that closes the call.
std::string base(const std::string &t, std::size_t i, std::size_t abre,
                 const std::string &funcion) {
  std::size_t cierre = i + 1;
  for (int dentro = 0; cierre < t.size(); ++cierre) {
    if (t[cierre] == '(') ++dentro;
    if (t[cierre] == ')' && dentro-- == 0) break;
  }
  std::string x = pieza(t, abre + 1, i);
  std::string b = pieza(t, i + 1, std::min(cierre, t.size()));
  if (!mostrable(x) || !mostrable(b)) x = "x", b = "b";
  return "coma" + en(i) + ": " + funcion + " tiene un solo argumento; en base " + b + ", escriba " +
         funcion + "(" + x + ")/" + funcion + "(" + b + ")";
}

} // namespace

std::string pista_notacion(const std::string &t, std::size_t i, const Llamada &llamada) {
  if (t[i] == '|') return barra(t, i);
  if (t[i] == '=') return igual(t, i);
  if (t[i] == ',' && (llamada.funcion == "log" || llamada.funcion == "ln"))
    return base(t, i, llamada.parentesis, llamada.funcion);
  return "";
}
