// Scripted F and dF for the step library's tests: each call is recorded
// (which function, at which point) and answered by the script of the test.
#ifndef TESTS_UNIT_REGISTRO_H
#define TESTS_UNIT_REGISTRO_H

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <vector>

#include "Util/matutil.h"

struct Llamada {
  char funcion; // 'F' or 'D' (the derivative)
  double x;
  bool operator==(const Llamada &o) const {
    // Bitwise-equal points, so NaN arguments compare equal to NaN.
    return funcion == o.funcion &&
           (x == o.x ? std::signbit(x) == std::signbit(o.x) : (std::isnan(x) && std::isnan(o.x)));
  }
};
inline std::ostream &operator<<(std::ostream &os, const Llamada &l) {
  return os << l.funcion << '(' << l.x << ')';
}

inline std::vector<Llamada> llamadas;
inline std::function<double(double)> guion_F;
inline std::function<double(double)> guion_dF;

inline double F(double x) {
  llamadas.push_back({'F', x});
  return guion_F(x);
}
inline double dF(double x) {
  llamadas.push_back({'D', x});
  return guion_dF(x);
}

// The same recorders as capturing lambdas: handed to a step function they
// select its template form, where F and dF select the compiled func form.
inline const auto F_captura = [&registro = llamadas](double x) {
  registro.push_back({'F', x});
  return guion_F(x);
};
inline const auto dF_captura = [&registro = llamadas](double x) {
  registro.push_back({'D', x});
  return guion_dF(x);
};

// Runs a check once through each form: paso(f, df) is called with the func
// recorders and then with the lambdas; both must behave identically.
template <typename Comprueba> void en_ambas_formas(Comprueba comprueba) {
  {
    SCOPED_TRACE("forma func");
    comprueba(F, dF);
  }
  {
    SCOPED_TRACE("forma plantilla");
    comprueba(F_captura, dF_captura);
  }
}

// Starts a new scripted run: clears the record and sets the answers.
inline void prepara(std::function<double(double)> f, std::function<double(double)> df = nullptr) {
  llamadas.clear();
  guion_F = std::move(f);
  guion_dF = std::move(df);
}

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();
// A value never produced by the scripts: marks variables that must stay unwritten.
const double INTACTO = -12345.678;

// Same value and sign, or both NaN.
inline bool identico(double x, double y) {
  if (std::isnan(x) || std::isnan(y)) return std::isnan(x) && std::isnan(y);
  return x == y && std::signbit(x) == std::signbit(y);
}

#endif
