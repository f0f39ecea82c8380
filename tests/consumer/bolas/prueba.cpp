// What balls prove of two answers to sin(x) = x/2 near 1.9, within 1e-12:
// a root at the first, none at the second.
#include <cstdio>

#include <raices/bolas/bola.h>
#include <raices/bolas/comprueba_raiz.h>

int main() {
  const auto f = [](auto x) { return sin(x) - x / 2; };
  for (double x : {1.895494267033981, 1.8955}) {
    const raices::Prueba p = raices::comprueba_raiz(f, x, 1e-12);
    const raices::Bola fx = f(raices::Bola(x, 128));
    std::printf("%.16g: %s, f = %s\n", x, raices::clave_prueba(p), fx.texto(3).c_str());
  }
  return 0;
}
