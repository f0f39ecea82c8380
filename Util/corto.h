// The shortest decimal text of a double that reads back as the same double,
// by std::to_chars: the one helper of the programs' reports and of the
// derivative's text.
#ifndef UTIL_CORTO_H
#define UTIL_CORTO_H

#include <algorithm>
#include <charconv>
#include <string>

// x in the form std::to_chars picks, fixed or scientific, whichever is
// shorter: 0.1, 123456, 1e+05, 1e-05.
inline std::string corto(double x) {
  char texto[32];
  return {texto, std::to_chars(texto, texto + sizeof texto, x).ptr};
}

// x in the form of printf's %g with the fewest significant digits, at least
// minimas, that read back as x: 100000 is "1e+05" from 1 digit and "100000"
// from 6. 17 digits always read back; infinities are "inf" and "-inf", and
// NaN is written with 17 digits, as "nan" or "-nan".
inline std::string corto_g(double x, int minimas = 1) {
  char texto[32];
  char *const fin_texto = texto + sizeof texto;
  // The digits of the shortest decimal that reads back as x: those of its
  // scientific form before the exponent. A %g text with fewer cannot read
  // back; one with as many may not, when that decimal is not the nearest.
  char *fin = std::to_chars(texto, fin_texto, x, std::chars_format::scientific).ptr;
  const int digitos = static_cast<int>(std::count_if(texto, std::find(texto, fin, 'e'),
                                                     [](char c) { return c >= '0' && c <= '9'; }));
  for (int cifras = std::min(std::max(digitos, minimas), 17);; ++cifras) {
    fin = std::to_chars(texto, fin_texto, x, std::chars_format::general, cifras).ptr;
    double leido = 0;
    (void)std::from_chars(texto, fin, leido);
    if (leido == x || cifras >= 17) break;
  }
  return {texto, fin};
}

#endif
