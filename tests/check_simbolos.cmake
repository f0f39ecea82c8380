# The undefined symbols of libraices.a, object by object (nm -u -A: one line
# "archive:object: U symbol" each). The step functions' objects, every one
# but the all-roots search's, must not call allocation, throw, output or
# exit; no object may call Arb, FLINT, MPFR or GMP.
execute_process(COMMAND ${NM} -u -A "${LIB}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed (${rc}): ${err}")
endif()
string(REPLACE "\n" ";" lines "${out}")
set(steps_seen 0)
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^[^:]*:([^:]+): +U (.+)$")
    continue()
  endif()
  set(object "${CMAKE_MATCH_1}")
  set(symbol "${CMAKE_MATCH_2}")
  if(symbol MATCHES "^(arb|arf|acb|mag|fmpz|fmpq|flint|mpfr|mpz|mpq|__gmp)")
    message(FATAL_ERROR "${object} calls ${symbol}, of Arb or what it is built on")
  endif()
  if(NOT object MATCHES "^todas_las_raices")
    math(EXPR steps_seen "${steps_seen} + 1")
    # new/delete, the exception machinery and std::__throw_*, C and C++
    # output, and the ways out of the process.
    if(symbol MATCHES "^(_Znwm|_Znam|_ZdlPv|_ZdaPv|__cxa_throw|__cxa_allocate_exception|_ZSt[0-9]+__throw|malloc$|calloc$|realloc$|printf$|fprintf$|puts$|fputs$|fwrite$|putchar$|_ZSt4cout|_ZSt4cerr|_ZNSo|exit$|_exit$|abort$|quick_exit$)")
      message(FATAL_ERROR "${object} calls ${symbol}")
    endif()
  endif()
endforeach()
if(steps_seen EQUAL 0)
  message(FATAL_ERROR "no undefined symbols read from the step functions' objects of ${LIB}")
endif()
