# rootscan on edge values of its arguments: each row gives the arguments
# (split at |), the exit status and a text its standard output must hold (- for none,
# when nothing may be written). Every run ends by exit within the timeout,
# and every line of a table fits 80 columns.
#   PROG  rootscan    WORK  scratch directory
file(MAKE_DIRECTORY "${WORK}")
# The texts in Latin-1, read from the locale's name when it is not generated.
unset(ENV{LC_ALL})
set(ENV{LC_CTYPE} es_ES.ISO-8859-1)
set(casos
  "-a|-1e308|-b|1e308|-f|x-1e307~0~9.9999999999999999e+306 "
  "-a|-1e308|-b|1.7e308|-f|x/1e300~0~[-1e+308, 1.7e+308]"
  "-a|-1e308|-b|1e308|-f|sin(x)~11~0 raíces, 1000000 evaluaciones"
  "-t|1e300|-f|sin(5*x)|-a|0|-b|5~0~8 raíces"
  "-t|0|-f|sin(5*x)|-a|0|-b|5~0~8 raíces"
  "-f|exp(1000*x)-1|-a|-1|-b|1~0~1 raíz"
  "-f|sqrt(-1-x^2)~0~Ninguna raíz en [0, 1]."
  "-a|1|-b|1|-f|x-1~0~1 raíz, 1 evaluaciones"
  "-a|1|-b|1|-f|x~0~Ninguna raíz en [1, 1]."
  "-f|x^2|-a|-1e-300|-b|1e-300~0~1 raíz"
  "-f|1/(x-1)~0~inf       polo"
  "-f|tan(x)|-a|-1e3|-b|1e3~0~637 raíces"
  "-t|-1~4~-"
  "-t|nan~4~-"
  "-a|1e309~4~-"
  "-b~4~-"
  "-g|x.svg|sobra~4~-"
  "-f|x^2|-g|x.SVG~4~-")
foreach(caso IN LISTS casos)
  string(REPLACE "~" ";" caso "${caso}")
  list(GET caso 0 args)
  list(GET caso 1 esperado)
  list(GET caso 2 texto)
  string(REPLACE "|" ";" args "${args}")
  execute_process(COMMAND "${PROG}" ${args} OUTPUT_VARIABLE out ERROR_VARIABLE err
    RESULT_VARIABLE st TIMEOUT 60)
  if(texto STREQUAL "-")
    set(bien TRUE)
    if(NOT out STREQUAL "")
      set(bien FALSE)
    endif()
  else()
    # Latin-1 output: searched as UTF-8 text, measured in bytes as it is.
    file(WRITE "${WORK}/salida" "${out}")
    execute_process(COMMAND iconv -f latin1 -t utf-8 "${WORK}/salida" OUTPUT_VARIABLE out8)
    string(FIND "${out8}" "${texto}" donde)
    set(bien TRUE)
    if(donde LESS 0)
      set(bien FALSE)
    endif()
    string(REPLACE "\n" ";" lineas "${out}")
    foreach(linea IN LISTS lineas)
      string(LENGTH "${linea}" ancho)
      if(ancho GREATER 80)
        set(bien FALSE)
      endif()
    endforeach()
  endif()
  if(NOT st STREQUAL esperado OR NOT bien)
    message(SEND_ERROR "${args}: status ${st} (expected ${esperado}), output:\n${out}\n${err}")
  endif()
endforeach()
