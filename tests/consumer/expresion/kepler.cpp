// Kepler's equation x - ecc sin(x) = M typed as text once, solved by
// Newton's method on [0, 2] for ecc = 0.5, M = 1 with f' derived from the
// text, the root proven on balls.
#include <cstdio>
#include <raices.h>
#include <raices/bolas/comprueba_raiz.h>
#include <raices/expresion/expresion.h>

int main() {
  try {
    Funciones fs = prepara_funciones("x - ecc*sin(x) - M", nullptr, {"ecc", "M"});
    fs.fija("ecc", "0.5");
    fs.fija("M", 1.0);
    raices::Criterio c;
    c.absoluta = 1e-12;
    c.comprueba = [&fs](double x, double delta) { return raices::comprueba_raiz(fs.f, x, delta); };
    const auto s = raices::resuelve(raices::indice<raices::Newton>, fs.f, fs.df, 0, 2, c);
    std::printf("f'(x) = %s\n", fs.df.texto().c_str());
    std::printf("x = %.15g: %s in %d steps\n", s.raiz, raices::clave_prueba(s.prueba), s.pasos);
    return s.estado;
  } catch (const ErrorExpresion &e) {
    std::fprintf(stderr, "%s\n", e.mensaje.c_str());
    return 4;
  }
}
