# rootscan on edge values of its arguments: each row gives the arguments
# (split at |), the exit status and a text its standard output must hold (- for none,
# when nothing may be written; !TEXT for a text it must not hold). Every run ends by exit within the timeout,
# and every line of a table fits 80 columns.
#   PROG  rootscan    WORK  scratch directory
file(MAKE_DIRECTORY "${WORK}")
# The texts in Latin-1, read from the locale's name when it is not generated.
unset(ENV{LC_ALL})
set(ENV{LC_CTYPE} es_ES.ISO-8859-1)
set(casos
  "-a|-1e308|-b|1e308|-f|x-1e307~0~9.9999999999999999e+306 "
  "-a|-1e308|-b|1.7e308|-f|x/1e300~0~[-1e+308, 1.7e+308]"
  "-a|-1e308|-b|1e308|-f|sin(x)~11~1000000 evaluaciones"
  "-a|-9e307|-b|9e307|-f|sin(x)|--csv~11~!-inf"
  "-a|-1e308|-b|1e308|-f|1/(x-1)~0~1                         inf       polo"
  "-a|0x1p-1074|-b|0x1p-1073|-f|x~0~Ninguna raíz en [5e-324, 1e-323]."
  "-a|-0x1p-1074|-b|0x1p-1074|-f|x~0~0                         0         simple"
  "-a|-1.7976931348623157e308|-b|1.7976931348623157e308|-f|x-1~0~1                         0         simple"
  "-f|0~0~0                         1                         f = 0 en todo el tramo"
  "-f|sqrt(x-1)|-a|0|-b|2~0~0                         0.99999999999999989       f no definida"
  "-f|log(x)|-a|-1|-b|2~0~0                         inf       polo"
  "-f|sin(1000000*x)|-a|0|-b|10~11~3.1415926535897933e-06"
  "-f|sin(1000000*x)|-a|0|-b|10|--demuestra~11~3.1415923729268035e-06    3.1415928729268032e-06    única"
  "-f|x^2+1e-12|-a|-1|-b|1|--demuestra~0~Ninguna otra raíz en [-1, 1]."
  "-f|exp(-x^2)|-a|-30|-b|30|--demuestra~0~Ninguna otra raíz en [-30, 30]."
  "-f|exp(-x^2)|-a|-30|-b|30~0~Ninguna raíz en [-30, 30]."
  "-f|log(1+x)-x|-a|-0.5|-b|1~0~1 raíz,"
  "-f|tan(x)-x|-a|0|-b|10~0~0                         0         múltiple impar"
  "-f|abs(x-0.3)~0~0.29999999999999999       1.1e-17   múltiple par o tangente"
  "-f|abs(sin(x))|-a|1|-b|10~0~3 raíces,"
  "-f|1/(x-0.3)-1e6~0~0.30000100000000002"
  "-f|x^4-4*x^3+6*x^2-4*x+1|-a|0|-b|2~0~1 raíz,"
  "-f|sqrt(1-x)|-a|0|-b|2~0~1.0000000000000002        2                         f no definida"
  "-f|log(1-x)|-a|0|-b|2~0~1                         inf       polo"
  "-f|1^sqrt(-3)~0~Ninguna raíz en [0, 1]."
  "-f|1^sqrt(-3)|--demuestra~14~0                         1                         f no definida"
  "-t|1e300|-f|sin(5*x)|-a|0|-b|5~0~8 raíces"
  "-t|0|-f|sin(5*x)|-a|0|-b|5~0~8 raíces"
  "-f|exp(1000*x)-1|-a|-1|-b|1~0~1 raíz"
  "-f|sqrt(-1-x^2)~0~Ninguna raíz en [0, 1]."
  "-a|1|-b|1|-f|x-1~0~1 raíz, 0 evaluaciones"
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
    set(bien TRUE)
    if(texto MATCHES "^!")
      string(SUBSTRING "${texto}" 1 -1 texto)
      string(FIND "${out8}" "${texto}" donde)
      if(NOT donde LESS 0)
        set(bien FALSE)
      endif()
    else()
      string(FIND "${out8}" "${texto}" donde)
      if(donde LESS 0)
        set(bien FALSE)
      endif()
    endif()
    string(REPLACE "\n" ";" lineas "${out}")
    list(FIND args "--csv" csv)
    if(csv GREATER -1) # rows of CSV may be longer
      set(lineas "")
    endif()
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
