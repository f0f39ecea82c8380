// latin1_demo: writes Latin-1 texts and numbers to standard output and
// standard error the way the suite's programs do (endl, a plain "\n", single
// characters), then ends through exit() with a line not yet flushed, as
// error() does. Stand-in for rootbench in the terminal test; with --local,
// for the texts that follow the locale.
#include "P3/consola/terminal.h"

#include <cstdlib>
#include <cstring>
#include <iostream>

int main(int argc, char *argv[]) {
  if (argc > 1 && std::strcmp(argv[1], "--local") == 0)
    adapta_salida_local();
  else
    adapta_terminal();
  double x = 0;
  std::cin >> x;
  std::cout << "Precisi\xF3n relativa? " << x << " " << 2.5 << std::endl;
  std::cerr << "Ra\xEDz no acotada en intervalo " << 1e-3 << std::endl;
  std::cout << "\xBFM\xE9todo? \xE1\xE9\xED\xF3\xFA\xFC \xF1\xD1";
  std::cout.put('\xBA').put('\n');
  std::cerr << "\xFF \xA0 \x80\n";
  std::exit(3); // NOLINT(concurrency-mt-unsafe): single-threaded, like error()
}
