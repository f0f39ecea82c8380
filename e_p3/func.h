// Objective function of rootbench and its derivative.
#ifndef E_P3_FUNC_H
#define E_P3_FUNC_H

// f(x) = e^(-x) - 2x^2; real roots near -2.618, -1.488 and 0.540.
double fun(double x);
// f'(x) = -e^(-x) - 4x.
double Dfun(double x);

#endif
