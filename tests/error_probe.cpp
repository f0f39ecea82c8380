// Writes one unflushed line to standard output, then calls error() with the text and
// code given as arguments, so a test can see both streams and the status.
#include <cstdlib>
#include <iostream>
#include <string>

#include "Util/error.h"

int main(int argc, char **argv) {
  std::cout << "salida previa\n"; // not flushed: exit() must flush it
  std::string mensaje = argc > 1 ? argv[1] : "";
  int codigo = argc > 2 ? std::atoi(argv[2]) : 0;
  error(mensaje, codigo);
}
