// Writes, in one go, the bytes that rootbench writes on standard output when
// its standard input is empty, and nothing else: the floor against which
// process_time.sh measures a whole run of rootbench. It goes through the
// same standard stream library, so both processes load the same libraries.
#include <iostream>

#include "same_bytes_data.h"

int main() {
  std::cout.write(reinterpret_cast<const char *>(salida), sizeof salida);
  std::cout.flush();
  return std::cout ? 0 : 1;
}
