// polinomio_tiempos: every real root of a polynomial found exactly
// (P3/polinomio) against the general search of rootscan on the same typed
// text (todas_las_raices judged on balls), in one run. Wilkinson's W20
// expanded on [0, 25], and random integer coefficients in [-1000, 1000] of
// degree 100 and 1000 on [-10, 10] (seeded). Median of several runs, in
// milliseconds; the exact path split into reading the program as a
// polynomial and finding the roots.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "P3/expresion/expresion.h"
#include "P3/polinomio/polinomio.h"
#include "P3/todas/demuestra_raices.h"
#include "P3/todas/jueces_de_bolas.h"
#include "P3/todas/todas_las_raices.h"

namespace {

using Reloj = std::chrono::steady_clock;

double ms(Reloj::time_point desde) {
  return std::chrono::duration<double, std::milli>(Reloj::now() - desde).count();
}

double mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// (x - 1)(x - 2)...(x - 20) expanded: coefficients up to 1.4e19, past 2^53.
std::string wilkinson() {
  return "x^20 - 210*x^19 + 20615*x^18 - 1256850*x^17 + 53327946*x^16 - 1672280820*x^15 + "
         "40171771630*x^14 - 756111184500*x^13 + 11310276995381*x^12 - "
         "135585182899530*x^11 + 1307535010540395*x^10 - 10142299865511450*x^9 + "
         "63030812099294896*x^8 - 311333643161390640*x^7 + 1206647803780373360*x^6 - "
         "3599979517947607200*x^5 + 8037811822645051776*x^4 - 12870931245150988800*x^3 + "
         "13803759753640704000*x^2 - 8752948036761600000*x + 2432902008176640000";
}

std::string aleatorio(int grado) {
  std::mt19937 azar(static_cast<unsigned>(grado));
  std::uniform_int_distribution<int> c(-1000, 1000);
  std::string t = "0";
  for (int i = 0; i <= grado; ++i)
    t += " + (" + std::to_string(c(azar)) + ")*x^" + std::to_string(i);
  return t;
}

void mide(const char *nombre, const std::string &texto, double a, double b, int veces,
          bool general) {
  const Expresion f(texto, "f", Expresion::Limites{20000, 50});
  std::vector<double> lee, busca, todo;
  std::size_t n = 0;
  for (int k = 0; k < veces; ++k) {
    const auto t0 = Reloj::now();
    const auto p = raices::polinomio_de(f);
    lee.push_back(ms(t0));
    const auto t1 = Reloj::now();
    n = p->raices(std::to_string(a), std::to_string(b), 1e-12).size();
    busca.push_back(ms(t1));
    todo.push_back(ms(t0));
  }
  std::printf("%-22s exacta:  %3zu raices, %9.3f ms (lee %.3f, raices %.3f)\n", nombre, n,
              mediana(todo), mediana(lee), mediana(busca));
  if (!general) return;
  auto bolas = [&f](const auto &x) { return f(x); };
  std::vector<double> general_ms;
  raices::Respuesta e;
  for (int k = 0; k < 3; ++k) {
    const auto t0 = Reloj::now();
    e = raices::todas_las_raices([&f](double x) { return f(x); }, a, b, 1e-12, raices::PRESUPUESTO,
                                 raices::jueces_de_bolas(bolas));
    general_ms.push_back(ms(t0));
  }
  std::printf("%-22s general: %3zu raices, %9.3f ms, %ld evaluaciones de f%s\n", nombre,
              e.raices.size(), mediana(general_ms), e.evaluaciones,
              e.estado == 0 ? "" : " (presupuesto agotado)");
}

} // namespace

int main() {
  mide("W20 en [0, 25]", wilkinson(), 0, 25, 21, true);
  mide("grado 100 en [-10, 10]", aleatorio(100), -10, 10, 21, true);
  mide("grado 1000 en [-10, 10]", aleatorio(1000), -10, 10, 3, false);
}
