// The texts of the kinds, proofs and reasons of both searches for every root.
#include "respuesta.h"

namespace raices {

const char *nombre_clase(Clase c) {
  switch (c) {
  case Clase::simple: return "simple";
  case Clase::impar: return "m\xFAltiple impar";
  case Clase::par: return "m\xFAltiple par o tangente";
  case Clase::polo: return "polo";
  case Clase::salto: return "salto";
  case Clase::indefinida: return "f no definida";
  case Clase::casi:
    return "casi ra\xEDz o par de ra\xED"
           "ces pr\xF3ximas";
  case Clase::nula: return "f = 0 en todo el tramo";
  case Clase::desbordamiento: return "desbordamiento";
  case Clase::borde: return "en el borde del dominio";
  }
  return "";
}

const char *clave_clase(Clase c) {
  switch (c) {
  case Clase::simple: return "simple";
  case Clase::impar: return "multiple_impar";
  case Clase::par: return "multiple_par";
  case Clase::polo: return "polo";
  case Clase::salto: return "salto";
  case Clase::indefinida: return "indefinida";
  case Clase::casi: return "casi";
  case Clase::nula: return "nula";
  case Clase::desbordamiento: return "desbordamiento";
  case Clase::borde: return "borde";
  }
  return "";
}

const char *nombre_certeza(Certeza c) {
  switch (c) {
  case Certeza::unica: return "\xFAnica";
  case Certeza::impar: return "impar";
  case Certeza::exacta: return "exacta";
  }
  return "";
}

const char *clave_certeza(Certeza c) {
  switch (c) {
  case Certeza::unica: return "unica";
  case Certeza::impar: return "impar";
  case Certeza::exacta: return "exacta";
  }
  return "";
}

const char *nombre_razon(Razon r) {
  switch (r) {
  case Razon::par_posible: return "posible ra\xEDz par";
  case Razon::polo: return "f no acotada (polo)";
  case Razon::indefinida: return "f no definida";
  case Razon::precision: return "l\xEDmite de precisi\xF3n";
  case Razon::derivada: return "f' no acotada";
  case Razon::desbordamiento: return "desbordamiento";
  }
  return "";
}

const char *clave_razon(Razon r) {
  switch (r) {
  case Razon::par_posible: return "par_posible";
  case Razon::polo: return "polo";
  case Razon::indefinida: return "indefinida";
  case Razon::precision: return "precision";
  case Razon::derivada: return "derivada_no_acotada";
  case Razon::desbordamiento: return "desbordamiento";
  }
  return "";
}

} // namespace raices
