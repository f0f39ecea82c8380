// The type of the function handed to the step library, alone, so that the
// library's headers bring nothing else of Util/ into a user's namespace.
#ifndef UTIL_FUNCION_H
#define UTIL_FUNCION_H

// A real function of one real variable, as handed to the step library.
typedef double (*func)(double);

#endif
