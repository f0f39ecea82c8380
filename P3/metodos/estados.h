// Every status code of the step library and every exit status of the
// programs, named once. The numbers are those of the error catalogue
// (Util/error.h), which holds their texts; 4 and 5 are the programs' own.
#ifndef RAICES_ESTADOS_H
#define RAICES_ESTADOS_H

// Returned by the step library.
constexpr int RAICES_EXITO = 0;          // start check passed, or exact root
constexpr int RAICES_CONTINUA = -2;      // step done, the search goes on
constexpr int RAICES_NO_FINITO = 9;      // F or dF gave an infinite or NaN value
constexpr int RAICES_DIVISION_CERO = 12; // the step would divide by zero
constexpr int RAICES_ESTANCADA = 23;     // the step cannot move its estimate
constexpr int RAICES_NO_ACOTADA = 27;    // same strict sign at both ends

namespace raices {

// Exit statuses of the programs beyond the library's own codes.
constexpr int SALIDA_BIEN = 0;
constexpr int ARGUMENTO_INVALIDO = 4;   // a bad option, value or expression
constexpr int DIBUJO_FALLIDO = 5;       // the picture could not be written
constexpr int MAX_ITERACIONES = 11;     // the iteration limit was reached
constexpr int TOLERANCIA_INVALIDA = 13; // negative relative precision
constexpr int NO_ALCANZA = 14;          // the answer is proven to miss the tolerance
constexpr int SINGULARIDAD = 21;        // a bracket closed on a pole or jump, not a zero

} // namespace raices

#endif
