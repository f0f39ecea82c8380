// Writes GiNaC expressions as text for the evaluator. Every operand that is
// not a name, a number or a function call is put in parentheses, so the text
// does not rely on the evaluator's precedences; products gather the factors
// with negative exponents below one bar (x*abs(x)^(-1) is x/abs(x)).
// GiNaC orders the operands of sums and products by hashes that change from
// run to run, so terms and factors are written in the order of their own
// texts: the same f always gives the same f', and the same rounding.
#include "P3/expresion/deriva_escribe.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "P3/expresion/expresion_interna.h"
#include "Util/corto.h"

namespace {

using GiNaC::ex;
using GiNaC::ex_to;
using GiNaC::is_a;
using GiNaC::numeric;

// Binding of a written text, loosest first: whether it needs parentheses as
// a factor or as an operand of ^.
enum class Nivel { suma, producto, potencia, atomo };

// A written text without its sign, and whether it is negative.
struct Texto {
  std::string cuerpo;
  bool negativo = false;
  Nivel nivel = Nivel::atomo;
};

// Integers up to 2^53 are written and read back exactly.
bool entero_exacto(const numeric &n) {
  static const numeric limite("9007199254740992");
  return n.is_integer() && GiNaC::abs(n) <= limite;
}

std::string decimal(const numeric &n) {
  std::ostringstream s;
  s << n;
  return s.str();
}

// The double nearest a positive rational, subnormal ones included: scaled
// into [1/2, 2) first, as converting a ratio of huge integers directly gives 0
// or overflows.
double a_double(const numeric &a) {
  const long e = a.numer().int_length() - a.denom().int_length();
  const numeric escalado = a * GiNaC::pow(numeric(2), numeric(-e));
  return std::ldexp(escalado.to_double(), static_cast<int>(e));
}

// n written as p or p/q when exact, otherwise as its double.
Texto numero(const numeric &n) {
  if (!n.is_real()) falla_derivada("el resultado no es real");
  const numeric a = GiNaC::abs(n);
  Texto t{"", n.is_negative(), Nivel::atomo};
  if (entero_exacto(a))
    t.cuerpo = decimal(a);
  else if (entero_exacto(a.numer()) && entero_exacto(a.denom())) {
    t.cuerpo = decimal(a.numer()) + "/" + decimal(a.denom());
    t.nivel = Nivel::producto;
  } else {
    const double v = a_double(a);
    if (!std::isfinite(v)) falla_derivada("un coeficiente excede el rango de double");
    t.cuerpo = corto_g(v);
  }
  return t;
}

std::string con_signo(const Texto &t) { return (t.negativo ? "-" : "") + t.cuerpo; }

std::string entre_parentesis(const Texto &t, Nivel minimo) {
  if (!t.negativo && t.nivel >= minimo) return t.cuerpo;
  return "(" + con_signo(t) + ")";
}

std::string junta(const std::vector<std::string> &factores) {
  std::string s;
  for (const std::string &f : factores) s += (s.empty() ? "" : "*") + f;
  return s;
}

Texto mide(Texto t) {
  if (t.cuerpo.size() > longitud_derivada) falla_derivada("la derivada es demasiado larga");
  return t;
}

Texto escribe_texto(const ex &e);

// A written denominator that is a plain number, which goes first below the bar.
bool es_numero(const std::string &s) { return !s.empty() && s.front() >= '0' && s.front() <= '9'; }

// The order of the terms of a sum: by their texts, constants last (x - 1).
bool antes(const Texto &x, const Texto &y) {
  const bool nx = x.cuerpo.find('x') == std::string::npos;
  const bool ny = y.cuerpo.find('x') == std::string::npos;
  if (nx != ny) return ny;
  if (x.cuerpo != y.cuerpo) return x.cuerpo < y.cuerpo;
  return x.negativo < y.negativo;
}

// A sum written with its first term negative: GiNaC keeps -(u - v) or
// (v - u) in a product as its hashes fall, and the product takes the sign
// instead, so that both give one text.
bool empieza_negativa(const ex &f, const Texto &t) {
  return is_a<GiNaC::add>(f) && !t.cuerpo.empty() && t.cuerpo.front() == '-';
}

bool entero(const ex &n, bool par) {
  return is_a<numeric>(n) && (par ? ex_to<numeric>(n).is_even() : ex_to<numeric>(n).is_odd());
}

Texto eleva(const Texto &base, const ex &exponente);

// The same for a whole power of such a sum: (v - u)^3 is written -(u - v)^3,
// as GiNaC may keep either. The text of f so written, and whether its sign
// changed.
Texto sin_signo_en_base(const ex &f, bool &cambia) {
  Texto t = escribe_texto(f);
  if (empieza_negativa(f, t)) {
    cambia = !cambia;
    return escribe_texto(-f);
  }
  if (!is_a<GiNaC::power>(f) || !entero(f.op(1), false)) return t;
  const ex base = f.op(0);
  if (!empieza_negativa(base, escribe_texto(base))) return t;
  cambia = !cambia;
  return eleva(escribe_texto(-base), f.op(1));
}

Texto suma(const ex &e) {
  std::vector<Texto> terminos;
  for (std::size_t i = 0; i < e.nops(); ++i) terminos.push_back(mide(escribe_texto(e.op(i))));
  std::sort(terminos.begin(), terminos.end(), antes);
  Texto t{"", false, Nivel::suma};
  for (const Texto &termino : terminos) {
    if (t.cuerpo.empty())
      t.cuerpo = con_signo(termino);
    else
      t.cuerpo += (termino.negativo ? " - " : " + ") + termino.cuerpo;
    mide(t);
  }
  return t;
}

// Factors over factors; a single factor keeps its own binding.
Texto cociente(std::vector<std::string> arriba, const std::vector<std::string> &abajo, Nivel solo) {
  if (arriba.empty()) arriba.emplace_back("1");
  const bool simple = arriba.size() == 1 && abajo.empty();
  Texto t{junta(arriba), false, simple ? solo : Nivel::producto};
  if (abajo.empty()) return t;
  t.cuerpo += "/" + (abajo.size() > 1 ? "(" + junta(abajo) + ")" : abajo.front());
  return t;
}

// A number by its decimal text, which goes with the coefficient.
bool es_decimal(const ex &f) {
  return is_a<GiNaC::symbol>(f) && es_numero(ex_to<GiNaC::symbol>(f).get_name());
}

// A negative number, or a decimal with a minus sign.
bool negativo(const ex &e) {
  if (is_a<numeric>(e)) return ex_to<numeric>(e).is_negative();
  return is_a<GiNaC::mul>(e) && e.nops() == 2 && e.op(1).is_equal(-1) && es_decimal(e.op(0));
}

bool exponente_negativo(const ex &f) { return is_a<GiNaC::power>(f) && negativo(f.op(1)); }

Texto producto(const ex &e) {
  std::vector<std::string> coeficiente, arriba, abajo;
  bool negativo = false, cambia_signo = false;
  Nivel solo = Nivel::atomo;
  for (std::size_t i = 0; i < e.nops(); ++i) {
    const ex f = e.op(i);
    if (is_a<numeric>(f)) {
      const Texto t = numero(ex_to<numeric>(f));
      const numeric a = GiNaC::abs(ex_to<numeric>(f));
      negativo = t.negativo;
      if (t.nivel == Nivel::atomo) {
        if (t.cuerpo != "1") coeficiente.push_back(t.cuerpo);
      } else {
        if (a.numer() != 1) coeficiente.push_back(decimal(a.numer()));
        abajo.insert(abajo.begin(), decimal(a.denom()));
      }
    } else if (es_decimal(f)) {
      coeficiente.push_back(escribe_texto(f).cuerpo);
    } else if (exponente_negativo(f)) {
      const Texto inversa = sin_signo_en_base(GiNaC::pow(f.op(0), -f.op(1)), cambia_signo);
      abajo.push_back(entre_parentesis(inversa, Nivel::potencia));
    } else {
      const Texto t = sin_signo_en_base(f, cambia_signo);
      solo = t.nivel;
      arriba.push_back(entre_parentesis(t, Nivel::potencia));
    }
  }
  negativo = negativo != cambia_signo;
  std::sort(arriba.begin(), arriba.end());
  std::sort(abajo.begin() + (abajo.empty() || !es_numero(abajo.front()) ? 0 : 1), abajo.end());
  coeficiente.insert(coeficiente.end(), arriba.begin(), arriba.end());
  Texto t = cociente(coeficiente, abajo, solo);
  t.negativo = negativo;
  return t;
}

Texto potencia(const ex &base, const ex &exponente) {
  if (exponente.is_equal(numeric(1, 2)))
    return {"sqrt(" + con_signo(escribe_texto(base)) + ")", false, Nivel::atomo};
  if (negativo(exponente)) {
    const Texto inversa = escribe_texto(GiNaC::pow(base, -exponente));
    return cociente({}, {entre_parentesis(inversa, Nivel::potencia)}, Nivel::producto);
  }
  Texto b = escribe_texto(base);
  if (entero(exponente, true) && empieza_negativa(base, b)) b = escribe_texto(-base);
  return eleva(b, exponente);
}

Texto eleva(const Texto &base, const ex &exponente) {
  return {entre_parentesis(base, Nivel::atomo) + "^" +
              entre_parentesis(escribe_texto(exponente), Nivel::atomo),
          false, Nivel::potencia};
}

Texto funcion(const ex &e) {
  const std::string nombre = ex_to<GiNaC::function>(e).get_name();
  if (nombre == "exp" && e.op(0).is_equal(1)) return {"e", false, Nivel::atomo};
  for (const char *f : nombres_funciones)
    if (nombre == f)
      return {nombre + "(" + con_signo(escribe_texto(e.op(0))) + ")", false, Nivel::atomo};
  falla_derivada("aparece la funci\xF3n '" + nombre + "', que la gram\xE1tica no tiene");
}

Texto escribe_texto(const ex &e) {
  if (is_a<numeric>(e)) return numero(ex_to<numeric>(e));
  // x, or a number shown by its decimal text (deriva_legible.h).
  if (is_a<GiNaC::symbol>(e)) return {ex_to<GiNaC::symbol>(e).get_name(), false, Nivel::atomo};
  if (is_a<GiNaC::constant>(e)) {
    if (e.is_equal(GiNaC::Pi)) return {"pi", false, Nivel::atomo};
    falla_derivada("aparece una constante que la gram\xE1tica no tiene");
  }
  if (is_a<GiNaC::add>(e)) return mide(suma(e));
  if (is_a<GiNaC::mul>(e)) return mide(producto(e));
  if (is_a<GiNaC::power>(e)) return mide(potencia(e.op(0), e.op(1)));
  if (is_a<GiNaC::function>(e)) return mide(funcion(e));
  falla_derivada("aparece una operaci\xF3n que la gram\xE1tica no tiene");
}

} // namespace

std::string escribe(const GiNaC::ex &e) {
  std::string texto = con_signo(escribe_texto(e));
  if (texto.size() > longitud_derivada) falla_derivada("la derivada es demasiado larga");
  return texto;
}
