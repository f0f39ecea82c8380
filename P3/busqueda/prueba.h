// What ball arithmetic says of a reported root x, looked at within the
// tolerance delta of the program that reports it.
#ifndef RAICES_PRUEBA_H
#define RAICES_PRUEBA_H

namespace raices {

enum class Prueba {
  exacta,       // F(x) is exactly 0
  demostrada,   // F has a proven sign change within [x - delta, x + delta]
  refutada,     // F is proven nonzero on all of [x - delta, x + delta]
  sin_demostrar // neither: an even root, a tangency, the precision limit
};

// The answer's ASCII key: "exacta", "demostrada", "refutada", "sin_demostrar".
inline const char *clave_prueba(Prueba p) {
  switch (p) {
  case Prueba::exacta: return "exacta";
  case Prueba::demostrada: return "demostrada";
  case Prueba::refutada: return "refutada";
  case Prueba::sin_demostrar: break;
  }
  return "sin_demostrar";
}

} // namespace raices

#endif
