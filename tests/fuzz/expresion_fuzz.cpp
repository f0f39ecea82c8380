// Arbitrary bytes as f, or as f and a typed f' separated by a newline: the
// front end either refuses with ErrorExpresion or gives expressions that
// evaluate (never throwing) at a few points, in double and on balls (points,
// intervals, with their derivative, and the check of a root up the whole
// precision ladder). Any other exception, crash, leak or undefined
// behaviour is a finding, and so is a ball whose bounds are out of order.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "P3/bolas/bola.h"
#include "P3/bolas/chorro.h"
#include "P3/bolas/comprueba_raiz.h"
#include "P3/expresion/expresion.h"

namespace {

const double puntos[] = {0.0, -1.5, 2.5, 1e-300, -1e300, std::numeric_limits<double>::quiet_NaN()};

void en_bolas(const Expresion &f) {
  using raices::Bola;
  for (double x : puntos)
    for (long p : {Bola::precision_inicial, Bola::precision_maxima}) {
      const Bola v = f(Bola(x, p));
      if (!(v.inf() <= v.sup())) std::abort();
    }
  const Bola i = Bola::entre(-1.5, 2.5);
  const raices::Chorro j = f(raices::Chorro::variable(i));
  if (!(j.valor.inf() <= j.valor.sup()) || !(j.derivada.inf() <= j.derivada.sup())) std::abort();
  if (j.valor.finita() && f(i).finita() &&
      (j.valor.inf() > f(i).sup() || j.valor.sup() < f(i).inf()))
    std::abort();
  (void)raices::comprueba_raiz(f, 0.5, 1e-12);
  (void)raices::comprueba_raiz(f, -1e300, 1e288);
}

void prueba(const std::string &f, const char *df) {
  try {
    const Funciones fs = prepara_funciones(f, df);
    for (double x : puntos) {
      (void)fs.f(x);
      (void)fs.df(x);
    }
    en_bolas(fs.f);
    en_bolas(fs.df);
    // A derived f' is itself a text of the grammar; a typed one is compared with f.
    if (fs.derivada_calculada && fs.df.texto().empty()) std::abort();
    const std::string aviso = aviso_derivada(fs, -1.5, 2.5);
    if (aviso.find('\n') != std::string::npos) std::abort();
  } catch (const ErrorExpresion &e) {
    // One line, and the caret display, when there is one, two.
    if (e.mensaje.empty() || e.mensaje.find('\n') != std::string::npos) std::abort();
    const std::string senal = senala(e, 80);
    if (!senal.empty() && std::count(senal.begin(), senal.end(), '\n') != 2) std::abort();
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t largo) {
  const std::string texto(reinterpret_cast<const char *>(datos), largo);
  const std::size_t corte = texto.find('\n');
  if (corte == std::string::npos)
    prueba(texto, nullptr);
  else
    prueba(texto.substr(0, corte), texto.substr(corte + 1).c_str());
  return 0;
}
