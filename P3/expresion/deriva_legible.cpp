// Folding of the coefficients of a derivative written for the user. A factor
// or term "made of numbers" holds only numbers, names of typed numbers, and
// sums, products and powers of them; those that hold a name are folded into
// one value computed in double, which is as exact as the names themselves.
#include "P3/expresion/deriva_legible.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "P3/expresion/deriva_escribe.h"
#include "P3/expresion/expresion_interna.h"
#include "Util/corto.h"

namespace {

using GiNaC::ex;
using GiNaC::ex_to;
using GiNaC::is_a;
using GiNaC::numeric;

// Significant digits of a folded coefficient: beyond them a decimal shows
// only the rounding of its binary value (0.30000000000000004).
constexpr int cifras_plegadas = 15;
// 2^53: the integers that a double holds exactly, and the text shows so.
constexpr double entero_maximo = 9007199254740992.0;
// Larger numbers (in bits) are taken as beyond double before converting.
constexpr long bits_double = 1100;

std::string con_cifras(double v, int cifras) {
  char texto[40];
  (void)std::snprintf(texto, sizeof texto, "%.*g", cifras, v);
  return texto;
}

// A number GiNaC computed exactly that the writer shows as it is: an
// integer within 2^53, or a fraction of two of them (1/3 from x^(1/3)).
bool escribible(const numeric &n) {
  const numeric limite(static_cast<long>(entero_maximo));
  const numeric a = GiNaC::abs(n);
  return n.is_rational() && a.numer() <= limite && a.denom() <= limite;
}

} // namespace

bool Numeros::entero(double v) { return v == std::trunc(v) && std::fabs(v) <= entero_maximo; }

ex Numeros::simbolo(double v) {
  // The shortest text that reads back as v: the number as it was typed.
  return nombre(v, corto_g(v));
}

ex Numeros::nombre(double v, const std::string &texto) {
  for (const auto &n : nombres)
    if (n.first.get_name() == texto) return n.first;
  nombres.emplace_back(GiNaC::realsymbol(texto), v);
  return nombres.back().first;
}

ex Numeros::plegado(double v) {
  // A coefficient made of nonzero numbers that comes out 0 has underflowed:
  // as 0 it could become a base or a divisor that GiNaC refuses by throwing
  // in the middle of its own work.
  if (!std::isfinite(v) || v == 0) falla_derivada("un coeficiente excede el rango de double");
  if (entero(v)) return numeric(static_cast<long>(v));
  const double a = std::fabs(v);
  const ex n = nombre(std::strtod(con_cifras(a, cifras_plegadas).c_str(), nullptr),
                      con_cifras(a, cifras_plegadas));
  return v < 0 ? -n : n;
}

bool Numeros::es_nombre(const ex &e) const {
  return is_a<GiNaC::symbol>(e) && std::any_of(nombres.begin(), nombres.end(),
                                               [&e](const auto &n) { return e.is_equal(n.first); });
}

bool Numeros::con_nombres(const ex &e) const {
  if (es_nombre(e)) return true;
  for (std::size_t i = 0; i < e.nops(); ++i)
    if (con_nombres(e.op(i))) return true;
  return false;
}

bool Numeros::es_numero(const ex &e) const {
  if (is_a<numeric>(e)) return ex_to<numeric>(e).is_real();
  if (is_a<GiNaC::symbol>(e)) return es_nombre(e);
  if (!is_a<GiNaC::add>(e) && !is_a<GiNaC::mul>(e) && !is_a<GiNaC::power>(e)) return false;
  for (std::size_t i = 0; i < e.nops(); ++i)
    if (!es_numero(e.op(i))) return false;
  return true;
}

double Numeros::valor(const ex &e) const {
  if (is_a<numeric>(e)) {
    const numeric n = ex_to<numeric>(e);
    if (n.is_rational() && std::max(n.numer().int_length(), n.denom().int_length()) > bits_double)
      falla_derivada("un coeficiente excede el rango de double");
    return n.to_double();
  }
  if (is_a<GiNaC::symbol>(e)) {
    for (const auto &n : nombres)
      if (e.is_equal(n.first)) return n.second;
  }
  if (is_a<GiNaC::power>(e)) return std::pow(valor(e.op(0)), valor(e.op(1)));
  double v = is_a<GiNaC::mul>(e) ? 1 : 0;
  for (std::size_t i = 0; i < e.nops(); ++i)
    v = is_a<GiNaC::mul>(e) ? v * valor(e.op(i)) : v + valor(e.op(i));
  return v;
}

// Applies pliega to each operand of a power or a function. GiNaC's map is
// not safe against exceptions (what it has allocated is lost), so a fault
// is kept here and thrown once map has returned.
struct Pliegue : GiNaC::map_function {
  Numeros &numeros;
  std::optional<std::string> fallo;
  explicit Pliegue(Numeros &n) : numeros(n) {}
  ex operator()(const ex &e) override {
    if (fallo) return e;
    try {
      return numeros.pliega(e);
    } catch (const ErrorTexto &error) {
      fallo = error.problema;
      return e;
    }
  }
};

// x^2.5*x^(-1), as GiNaC writes the derivative of x^2.5, joined into x^1.5:
// powers of one base in a product, when an exponent holds a name.
ex Numeros::junta_potencias(const ex &producto) {
  std::vector<std::pair<ex, ex>> potencias; // base, exponent
  for (std::size_t i = 0; i < producto.nops(); ++i) {
    const ex o = producto.op(i);
    const bool potencia = is_a<GiNaC::power>(o) && !es_numero(o.op(0));
    const ex base = potencia ? o.op(0) : o, exponente = potencia ? o.op(1) : ex(1);
    bool junta = false;
    for (auto &p : potencias) {
      if (p.first.is_equal(base) && (con_nombres(p.second) || con_nombres(exponente))) {
        p.second += exponente;
        junta = true;
      }
    }
    if (!junta) potencias.emplace_back(base, exponente);
  }
  ex resultado = 1;
  for (const auto &p : potencias)
    resultado *= GiNaC::pow(p.first, con_nombres(p.second) ? pliega(p.second) : p.second);
  return resultado;
}

// The factors of a product (or the terms of a sum) made of numbers and
// holding a name, folded into one; the others folded each on its own.
ex Numeros::pliega_operandos(const ex &original) {
  const bool producto = is_a<GiNaC::mul>(original);
  const ex e = producto ? junta_potencias(original) : original;
  if (producto && !is_a<GiNaC::mul>(e)) return pliega(e);
  std::vector<ex> numeros;
  ex resto = producto ? 1 : 0;
  for (std::size_t i = 0; i < e.nops(); ++i) {
    const ex o = e.op(i);
    if (es_numero(o) && (is_a<numeric>(o) || con_nombres(o)))
      numeros.push_back(o);
    else
      resto = producto ? resto * pliega(o) : resto + pliega(o);
  }
  bool nombres_dentro = false;
  for (const ex &o : numeros) nombres_dentro = nombres_dentro || con_nombres(o);
  // A lone name, or a name with a sign, is already as typed.
  const bool con_signo = producto && numeros.size() == 2 &&
                         ((numeros[0].is_equal(-1) && es_nombre(numeros[1])) ||
                          (numeros[1].is_equal(-1) && es_nombre(numeros[0])));
  const bool tal_cual =
      !nombres_dentro || (numeros.size() == 1 && es_nombre(numeros[0])) || con_signo;
  ex juntos = producto ? 1 : 0;
  for (const ex &o : numeros) {
    const ex n = tal_cual ? pliega(o) : o;
    juntos = producto ? juntos * n : juntos + n;
  }
  const ex plegados = tal_cual ? juntos : plegado(valor(juntos));
  return producto ? plegados * resto : plegados + resto;
}

ex Numeros::pliega(const ex &e) {
  if (is_a<numeric>(e)) {
    const numeric n = ex_to<numeric>(e);
    return !n.is_real() || escribible(n) ? e : plegado(valor(e));
  }
  if (es_numero(e) && con_nombres(e)) return es_nombre(e) ? e : plegado(valor(e));
  if (is_a<GiNaC::mul>(e) || is_a<GiNaC::add>(e)) {
    // Folding the operands can leave only numbers (x^1.5*x^(-0.5) is x^0).
    const ex r = pliega_operandos(e);
    return es_numero(r) && con_nombres(r) && !es_nombre(r) ? plegado(valor(r)) : r;
  }
  Pliegue pliegue(*this);
  ex plegada = e.map(pliegue);
  if (pliegue.fallo) falla_derivada(*pliegue.fallo);
  return plegada;
}

namespace {

// A term without its number factors: the part that tells like terms.
ex forma(const ex &termino) {
  if (!is_a<GiNaC::mul>(termino)) return is_a<numeric>(termino) ? ex(1) : termino;
  ex resto = 1;
  for (std::size_t i = 0; i < termino.nops(); ++i) {
    const ex o = termino.op(i);
    const bool decimal = is_a<GiNaC::symbol>(o) && ex_to<GiNaC::symbol>(o).get_name() != "x";
    if (!is_a<numeric>(o) && !decimal) resto *= o;
  }
  return resto;
}

std::vector<ex> operandos(const ex &suma) {
  std::vector<ex> v;
  if (!is_a<GiNaC::add>(suma)) return {suma};
  for (std::size_t i = 0; i < suma.nops(); ++i) v.push_back(suma.op(i));
  return v;
}

// A term: its place, whether it is a constant (last in its place), its text.
struct Lugar {
  std::size_t termino;
  bool constante;
  std::string texto;
  bool operator<(const Lugar &otro) const {
    if (termino != otro.termino) return termino < otro.termino;
    if (constante != otro.constante) return otro.constante;
    return texto < otro.texto;
  }
};

} // namespace

std::string escribe_en_orden(const ex &d, const std::vector<ex> &por_termino) {
  std::vector<Lugar> lugares;
  for (const ex &t : operandos(d)) {
    Lugar l{por_termino.size(), forma(t).is_equal(1), escribe(t)};
    for (std::size_t i = 0; i < por_termino.size() && l.termino == por_termino.size(); ++i)
      for (const ex &u : operandos(por_termino[i]))
        if (forma(u).is_equal(forma(t))) l.termino = i;
    lugares.push_back(l);
  }
  std::sort(lugares.begin(), lugares.end());
  std::string texto;
  for (const Lugar &l : lugares) {
    const std::string &t = l.texto;
    if (texto.empty())
      texto = t;
    else if (t.front() == '-')
      texto += " - " + t.substr(1);
    else
      texto += " + " + t;
    if (texto.size() > longitud_derivada) falla_derivada("la derivada es demasiado larga");
  }
  return texto.empty() ? "0" : texto;
}
