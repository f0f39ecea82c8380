# rootcompare -g: the SVG is well-formed XML, names each method once (its
# legend entry) and renders to a non-empty PNG; when the picture cannot be
# written, the run fails with nothing on standard output and leaves no file.
#   PROG  rootcompare    WORK  scratch directory
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(metodos "bisección" "regula falsi" "Illinois" "Brent" "secante" "Newton" "Steffensen")

function(corre salida estado)
  execute_process(COMMAND "${PROG}" ${ARGN} WORKING_DIRECTORY "${WORK}"
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE st TIMEOUT 60)
  set(${salida} "${out}" PARENT_SCOPE)
  set(${estado} "${st}" PARENT_SCOPE)
endfunction()

# One clean picture.
corre(out st -f "x*x*x - 2*x - 5" -a 2 -b 3 -g cubica.svg)
if(NOT st EQUAL 0 OR NOT EXISTS "${WORK}/cubica.svg")
  message(FATAL_ERROR "no picture: status ${st}")
endif()
execute_process(COMMAND xmllint --noout cubica.svg WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE st ERROR_VARIABLE err)
if(NOT st EQUAL 0)
  message(SEND_ERROR "the SVG is not well-formed XML:\n${err}")
endif()
# The text the picture shows, entities decoded.
execute_process(COMMAND xmllint --xpath "//*[local-name()='tspan']/text()" cubica.svg
  WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE textos)
foreach(metodo IN LISTS metodos)
  string(REGEX MATCHALL "${metodo}" vistos "${textos}")
  list(LENGTH vistos n)
  if(NOT n EQUAL 1)
    message(SEND_ERROR "'${metodo}' appears ${n} times in the picture's text, expected 1")
  endif()
endforeach()
execute_process(COMMAND rsvg-convert cubica.svg -o cubica.png WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE st)
file(SIZE "${WORK}/cubica.png" bytes)
if(NOT st EQUAL 0 OR bytes LESS 1000)
  message(SEND_ERROR "rsvg-convert: status ${st}, ${bytes} bytes of PNG")
endif()

# Failures: a folder that does not exist, a folder that is a file, a target
# that is a folder, a bad expression. Nothing on standard output, non-zero
# status, and no file left behind.
file(MAKE_DIRECTORY "${WORK}/fallos/carpeta.svg")
file(WRITE "${WORK}/fallos/fichero" "")
foreach(caso IN ITEMS "-g;fallos/no/existe.svg" "-g;fallos/fichero/x.svg"
                      "-g;fallos/carpeta.svg" "-f;x +;-g;fallos/mala.svg")
  corre(out st ${caso})
  file(GLOB_RECURSE restos LIST_DIRECTORIES false "${WORK}/fallos/*")
  file(GLOB ocultos "${WORK}/fallos/.*")
  if(st EQUAL 0 OR NOT out STREQUAL "" OR NOT restos STREQUAL "${WORK}/fallos/fichero"
     OR ocultos)
    message(SEND_ERROR "${caso}: status ${st}, output '${out}', files ${restos} ${ocultos}")
  endif()
endforeach()
