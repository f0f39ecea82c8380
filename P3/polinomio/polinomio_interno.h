// Internal to the polynomials: the exact numbers and polynomials of FLINT
// held by their owners, the size checks, and the reading of exact numbers.
#ifndef P3_POLINOMIO_INTERNO_H
#define P3_POLINOMIO_INTERNO_H

#include <string>

#include <flint/fmpq.h>
#include <flint/fmpq_poly.h>
#include <flint/fmpz.h>
#include <flint/fmpz_poly.h>

#include "P3/polinomio/polinomio.h"

namespace raices {

// A rational number, owned.
struct Racional {
  fmpq_t v;
  Racional() { fmpq_init(v); }
  Racional(const Racional &o) : Racional() { fmpq_set(v, o.v); }
  Racional &operator=(const Racional &o) {
    if (this != &o) fmpq_set(v, o.v);
    return *this;
  }
  ~Racional() { fmpq_clear(v); }
};

// A polynomial with rational coefficients, owned.
struct PolinomioQ {
  fmpq_poly_t p;
  PolinomioQ() { fmpq_poly_init(p); }
  PolinomioQ(const PolinomioQ &o) : PolinomioQ() { fmpq_poly_set(p, o.p); }
  PolinomioQ &operator=(const PolinomioQ &o) {
    if (this != &o) fmpq_poly_set(p, o.p);
    return *this;
  }
  ~PolinomioQ() { fmpq_poly_clear(p); }
};

// A polynomial with integer coefficients, owned.
struct PolinomioZ {
  fmpz_poly_t p;
  PolinomioZ() { fmpz_poly_init(p); }
  PolinomioZ(const PolinomioZ &) = delete;
  PolinomioZ &operator=(const PolinomioZ &) = delete;
  ~PolinomioZ() { fmpz_poly_clear(p); }
};

struct Polinomio::Datos {
  PolinomioQ f;
};

// Bits of the largest numerator of p's coefficients and of their common
// denominator, whichever is larger.
long bits(const fmpq_poly_t p);
// Throws ErrorPolinomio when p is past the degree or the bits allowed.
void comprueba_tamano(long grado, long bits);

// Reads a decimal ("-0.25", "1e-3", ".5") or a fraction of integers
// ("-1/3") exactly. False when the text is none of them, or its exponent
// would pass the bits allowed.
bool lee_racional(fmpq_t q, const std::string &texto);
// The double x exactly.
void racional_de(fmpq_t q, double x);

} // namespace raices

#endif
