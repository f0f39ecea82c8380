# The lists of methods written by hand in the manual pages and the README
# against the method table (P3/metodos/metodos.h and the headers of its
# rows), so that a method added to the table cannot leave them stale:
# rootcompare(1)'s list of CSV keys holds exactly the table's keys; the
# NOMBRE of raices(3) names every method and gives one start function per
# method, as the README's list of them does.
include(${SOURCE}/cmake/TablaMetodos.cmake)
raices_lee_tabla(${SOURCE}/P3/metodos/metodos.h claves escritos)
set(nombres)
foreach(nombre IN LISTS escritos)
  # The Latin-1 escapes of the table's names as roff writes them.
  foreach(par IN ITEMS "xE1;a" "xE9;e" "xED;i" "xF3;o" "xFA;u")
    list(GET par 0 escape)
    list(GET par 1 letra)
    string(REPLACE "\\${escape}" "\\('${letra}" nombre "${nombre}")
  endforeach()
  list(APPEND nombres "${nombre}")
endforeach()
list(LENGTH claves metodos)
if(metodos LESS 8)
  message(FATAL_ERROR "read ${metodos} methods from the table")
endif()
set(errores "")

# rootcompare(1), --csv: ".RB ( clave ,", ".BR clave ," lines between these
# two texts.
file(READ "${SOURCE}/man/rootcompare.1" pagina)
string(REGEX MATCH "la clave ASCII del m\\\\\\('etodo\n(.*)y las que a" lista "${pagina}")
string(REGEX MATCHALL "\n\\.[BR]+ (\\( )?[a-z_]+" escritas "\n${CMAKE_MATCH_1}")
list(TRANSFORM escritas REPLACE "\n\\.[BR]+ (\\( )?" "")
if(NOT escritas STREQUAL claves)
  string(APPEND errores "rootcompare.1, --csv: the keys are '${escritas}', the table's '${claves}'\n")
endif()

# raices(3), NOMBRE: every name, and one start function per method.
file(READ "${SOURCE}/man/raices.3" pagina)
string(REGEX MATCH "\\.SH NOMBRE\n(.*)\\.SH SINOPSIS" nombre_pagina "${pagina}")
set(nombre_pagina "${CMAKE_MATCH_1}")
foreach(nombre IN LISTS nombres)
  string(FIND "${nombre_pagina}" "${nombre}" en)
  if(en EQUAL -1)
    string(APPEND errores "raices.3, NOMBRE: no '${nombre}'\n")
  endif()
endforeach()
string(REGEX MATCHALL "[a-z]+Ini," inicios "${nombre_pagina}")
list(LENGTH inicios n)
if(NOT n EQUAL metodos)
  string(APPEND errores "raices.3, NOMBRE: ${n} start functions for ${metodos} methods\n")
endif()

# The README: the start and step functions of the library's paragraph.
file(READ "${SOURCE}/README.md" readme)
string(REGEX MATCH "At the centre is `raices`[^\n]*\n([^\n]+\n)+" parrafo "${readme}")
string(REGEX MATCHALL "`[a-z]+Ini`/`[a-z]+Iter`" pares "${parrafo}")
list(LENGTH pares n)
if(NOT n EQUAL metodos)
  string(APPEND errores "README.md: ${n} pairs of start and step functions for ${metodos} methods\n")
endif()

if(errores)
  message(FATAL_ERROR "${errores}")
endif()
