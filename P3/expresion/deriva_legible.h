// Internal to the expression front end: the derivative as shown to the user.
// The typed decimals enter the symbolic expression as names (1.1 stays 1.1,
// not the binary fraction of its double), and the coefficients that the
// derivation multiplies or adds out of them are rounded to 15 significant
// digits (3*0.1 is shown 0.3). The evaluated derivative is the exact one;
// this text only has to read back to it within rounding.
#ifndef P3_DERIVA_LEGIBLE_H
#define P3_DERIVA_LEGIBLE_H

#include <string>
#include <utility>
#include <vector>

#include <ginac/ginac.h>

// The numbers of one derivation: integers up to 2^53 stay exact, every other
// number is a name with its value.
class Numeros {
public:
  static bool entero(double v);
  // The name of a typed number v >= 0: its shortest decimal text.
  GiNaC::ex simbolo(double v);
  // e with every coefficient made of names and numbers folded into one
  // number of 15 significant digits; exact forms without names (sqrt(2),
  // 1/3) are kept. Throws ErrorTexto when a coefficient leaves double.
  GiNaC::ex pliega(const GiNaC::ex &e);

private:
  std::vector<std::pair<GiNaC::realsymbol, double>> nombres;
  GiNaC::ex nombre(double v, const std::string &texto);
  GiNaC::ex plegado(double v);
  bool es_nombre(const GiNaC::ex &e) const;
  bool con_nombres(const GiNaC::ex &e) const;
  bool es_numero(const GiNaC::ex &e) const;
  double valor(const GiNaC::ex &e) const;
  GiNaC::ex pliega_operandos(const GiNaC::ex &original);
  GiNaC::ex junta_potencias(const GiNaC::ex &producto);
};

// The derivative d, the sum of the derivatives of f's terms in the order
// typed, written with its terms in that order: each where the first of
// those derivatives that has a like term puts it.
std::string escribe_en_orden(const GiNaC::ex &d, const std::vector<GiNaC::ex> &por_termino);

#endif
