# The derived f' is the same text in every run. GiNaC orders sums and
# products by hashes that move with the addresses a process gets, so a
# writer that kept its order would print (and round) differently from run
# to run; ten runs of each function must agree.
#   PROG  rootbench
foreach(funcion IN ITEMS "(x-1)*(x-2)*(x-2.5)" "sin(x)*exp(x)/(x^2+cos(x)) - 4*x*tan(x)"
    "log(x)/(1-x) + sqrt(x^2+1)*atan(x-3)")
  set(primera "")
  foreach(vez RANGE 1 10)
    execute_process(COMMAND "${PROG}" -f "${funcion}" INPUT_FILE /dev/null
      OUTPUT_VARIABLE salida ERROR_QUIET)
    string(REGEX MATCH "f'\\(x\\) = [^\n]*" derivada "${salida}")
    if(derivada STREQUAL "")
      message(FATAL_ERROR "no f' line for ${funcion}:\n${salida}")
    elseif(primera STREQUAL "")
      set(primera "${derivada}")
    elseif(NOT derivada STREQUAL primera)
      message(FATAL_ERROR "f' of ${funcion} changed between runs:\n${primera}\n${derivada}")
    endif()
  endforeach()
endforeach()
