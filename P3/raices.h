// Step library: the methods of the table in metodos.h, one step per call.
//
// Stateless: the search state lives in the caller's variables, passed by
// reference; every function returns one of the status codes of estados.h.
// The caller owns the loop, the stopping tests (paradas.h) and all
// reporting. metodos.h describes every method as a row of one table.
//
// Each function comes in two forms with one implementation: a compiled one
// that takes the function as a func pointer (in libraices.a), and a template
// that takes any callable (a lambda with captures, a functor, a
// std::function). A call with a plain function or a func pointer resolves to
// the compiled form: the template would bind the same argument with no
// better conversion, and a non-template wins such a tie. Each method's
// header states its contract next to its template.
#ifndef RAICES_H
#define RAICES_H

#include "busqueda/paradas.h"
#include "busqueda/prueba.h"
#include "busqueda/resuelve.h"
#include "metodos/estados.h"
#include "metodos/metodos.h" // every method's header

#endif
