#include "P3/rootcompare/desenlace.h"

#include "Util/error.h"

namespace raices {

namespace {

const char *palabra(Desenlace d) {
  switch (d) {
  case Desenlace::raiz: return "converge";
  case Desenlace::singularidad: return "singularidad";
  case Desenlace::estancada: return "estancado";
  case Desenlace::limite: return "no converge";
  case Desenlace::falla: return "falla";
  case Desenlace::no_arranca: return "no arranca";
  case Desenlace::no_alcanza: return "no alcanza";
  }
  return "";
}

} // namespace

std::string texto_desenlace(const Resultado &r, Detalle detalle) {
  std::string texto = palabra(r.desenlace);
  if (detalle == Detalle::palabra) return texto;
  if (r.desenlace == Desenlace::raiz) return r.fuera ? texto + " fuera de [A, B]" : texto;
  texto += " (" + std::to_string(r.estado);
  if (detalle == Detalle::catalogo) texto += std::string(": ") + texto_error(r.estado);
  return texto + ")";
}

} // namespace raices
