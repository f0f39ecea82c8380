// The texts of the proven search for every root.
#include "demuestra_raices.h"

namespace raices {

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
  }
  return "";
}

} // namespace raices
