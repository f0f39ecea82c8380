// The answer of both searches for every root of F in [a, b]: on doubles
// (todas_las_raices.h) and proven on balls (demuestra_raices.h). One type,
// so that every writer (the table, CSV, the picture, Python) reads either.
#ifndef RAICES_RESPUESTA_H
#define RAICES_RESPUESTA_H

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "../busqueda/prueba.h"
#include "../metodos/estados.h"

namespace raices {

// What a point found is: a root (simple, odd multiple: a sign change where
// F' vanishes too, even multiple or tangent: F touches 0 without a sign
// change), a singular point (pole: |F| grows without bound; jump: F changes
// sign without a zero; F not defined: NaN), or a near miss: a local minimum
// of |F| close to 0 that is not a root, or a pair of roots too close to
// tell apart.
// A stretch where F is exactly 0 throughout is of kind `nula`; one where F
// is not defined (NaN), `indefinida`; one where F is finite but too large
// for the doubles (x^2 past 1.3e154), as a judge shows, `desbordamiento`.
// A root at the edge of F's domain (sqrt(x - 1) at 1: F is 0 at the last
// double where it is defined) is of kind `borde`.
enum class Clase { simple, impar, par, polo, salto, indefinida, casi, nula, desbordamiento, borde };

// How the proven search proves a root.
enum class Certeza {
  unica, // exactly one root in [inf, sup], simple: a sign change and F' away from 0
  impar, // an odd number of roots, counted with multiplicity: a sign change
  exacta // F(x) is exactly 0
};

// Why a piece of [a, b] is not proven free of roots.
enum class Razon {
  par_posible,   // F's ball holds 0 without a sign change: maybe an even root
  polo,          // F unbounded: infinite on doubles in the piece
  indefinida,    // F not defined
  precision,     // F's sign undecided at Bola::precision_maxima bits
  derivada,      // F finite on doubles, its ball over the piece not (F' unbounded)
  desbordamiento // F finite, as its ball at a point shows, but beyond the doubles
};

// A point found, or a stretch [inf, sup] (then x = inf). For a root
// refined from a sign change, [inf, sup] is the last bracket; for a proven
// root, its enclosure; for any other point, [x, x].
struct Hallazgo {
  double x, fx;
  Clase clase;
  double inf = NAN, sup = NAN;
  Prueba prueba = Prueba::sin_demostrar;
  // Its exact multiplicity when proven (a polynomial's root, from its
  // squarefree factors; an exact zero where F is analytic, from its Taylor
  // coefficients); 0 when not. A polynomial's rational root as a fraction.
  int multiplicidad = 0;
  std::string fraccion = {};
  // How the proven search proves it; empty in a search on doubles.
  std::optional<Certeza> certeza = {};
};

// A piece of [a, b] that the proven search could not clear of roots.
struct Pieza {
  double inf, sup;
  Razon razon;
};

struct Respuesta {
  bool demostrada = false;          // from the proven search: roots and pieces only
  std::vector<Hallazgo> raices;     // every root, by x
  std::vector<Hallazgo> singulares; // poles, jumps, points where F is not finite
  std::vector<Hallazgo> casi;       // near misses
  std::vector<Hallazgo> tramos;     // stretches where F is 0, not defined, or overflows
  std::vector<Pieza> piezas;        // not proven free of roots, by inf
  long evaluaciones = 0;            // calls of F
  double resolucion = 0;            // widest gap between consecutive samples, on doubles
  double explorado = 0;             // [a, explorado] searched: b unless the budget ran out
  int estado = SALIDA_BIEN;         // MAX_ITERACIONES when the budget ran out; NO_ALCANZA
                                    // when F overflows where it may have a zero, or when
                                    // pieces are left unproven
};

// The kind of a root of proven multiplicity m (m >= 1).
inline Clase clase_de_multiplicidad(int m) {
  if (m == 1) return Clase::simple;
  return m % 2 == 0 ? Clase::par : Clase::impar;
}

// The texts of kinds, proofs and reasons as the programs show them
// (Latin-1), and their ASCII keys.
const char *nombre_clase(Clase c);
const char *clave_clase(Clase c);
const char *nombre_certeza(Certeza c);
const char *clave_certeza(Certeza c);
const char *nombre_razon(Razon r);
const char *clave_razon(Razon r);

} // namespace raices

#endif
