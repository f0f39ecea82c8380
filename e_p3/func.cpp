#include "e_p3/func.h"

#include <cmath>

#include "Util/matutil.h"
#include "Util/specfunc.h"

// Non-finite results are returned as they come: the step library tests them.
double fun(double x) {
  double e = std::exp(-x);
  return e - 2 * x * x;
}

double Dfun(double x) { return -std::exp(-x) - 4.0 * x; }
