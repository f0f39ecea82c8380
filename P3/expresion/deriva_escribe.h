// Internal to the expression front end: a GiNaC expression in x written back
// as text in the grammar of the evaluator.
#ifndef P3_DERIVA_ESCRIBE_H
#define P3_DERIVA_ESCRIBE_H

#include <string>

#include <ginac/ginac.h>

// Throws ErrorTexto when the expression leaves the grammar (a complex
// number, a function the grammar lacks, a coefficient beyond double) or its
// text would be longer than longitud_derivada.
std::string escribe(const GiNaC::ex &e);

#endif
