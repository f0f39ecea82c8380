# rootscan -g: the format follows the extension (an SVG that is well-formed
# XML, names what it shows and renders to PNG; a PNG; a PDF), the file's
# mode follows the umask; a name with another extension is refused with 4
# before any work, and a picture that cannot be written leaves nothing
# behind, with nothing on standard output.
#   PROG  rootscan    WORK  scratch directory
file(REMOVE_RECURSE "${WORK}")
unset(ENV{LC_ALL})
set(ENV{LC_CTYPE} es_ES.ISO-8859-1)
file(MAKE_DIRECTORY "${WORK}")

function(corre salida estado)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${WORK}"
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE st TIMEOUT 60)
  set(${salida} "${out}" PARENT_SCOPE)
  set(${estado} "${st}" PARENT_SCOPE)
endfunction()

# The SVG of tan(x): its text names the roots and the singular points.
corre(out st sh -c "umask 077 && exec '${PROG}' -f 'tan(x)' -a 0 -b 10 -g tan.svg")
if(NOT st EQUAL 0 OR NOT EXISTS "${WORK}/tan.svg")
  message(FATAL_ERROR "no picture: status ${st}")
endif()
execute_process(COMMAND xmllint --noout tan.svg WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE st ERROR_VARIABLE err)
if(NOT st EQUAL 0)
  message(SEND_ERROR "the SVG is not well-formed XML:\n${err}")
endif()
execute_process(COMMAND xmllint --xpath "//*[local-name()='tspan']/text()" tan.svg
  WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE textos)
foreach(texto IN ITEMS "tan(x): 4 raíces" "punto singular")
  string(FIND "${textos}" "${texto}" donde)
  if(donde LESS 0)
    message(SEND_ERROR "'${texto}' is not in the picture's text:\n${textos}")
  endif()
endforeach()
execute_process(COMMAND stat -c %a tan.svg WORKING_DIRECTORY "${WORK}"
  OUTPUT_VARIABLE modo OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT modo STREQUAL "600")
  message(SEND_ERROR "mode ${modo} under umask 077, expected 600")
endif()
execute_process(COMMAND rsvg-convert tan.svg -o tan.png WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE st)
file(SIZE "${WORK}/tan.png" bytes)
if(NOT st EQUAL 0 OR bytes LESS 1000)
  message(SEND_ERROR "rsvg-convert: status ${st}, ${bytes} bytes of PNG")
endif()

# PNG and PDF by their extensions: the files open with their signatures.
foreach(formato IN ITEMS "png;89504e47" "pdf;25504446")
  list(GET formato 0 extension)
  list(GET formato 1 firma)
  corre(out st "${PROG}" -f "(x-1)^2*(x-2)" -a 0 -b 3 -g "doble.${extension}")
  file(READ "${WORK}/doble.${extension}" cabeza LIMIT 4 HEX)
  if(NOT st EQUAL 0 OR NOT cabeza STREQUAL firma)
    message(SEND_ERROR "doble.${extension}: status ${st}, opens with ${cabeza}")
  endif()
endforeach()

# Refusals and failures: nothing on standard output, the expected status,
# no file left behind.
file(MAKE_DIRECTORY "${WORK}/fallos/carpeta.svg")
file(CREATE_LINK /dev/null "${WORK}/nulo.svg" SYMBOLIC) # never renamed over, nor its target
foreach(caso IN ITEMS "4;-g;fallos/dibujo.txt" "4;-g;fallos/svg" "5;-g;fallos/no/existe.svg"
                      "5;-g;fallos/carpeta.svg" "5;-g;nulo.svg")
  list(POP_FRONT caso esperado)
  corre(out st "${PROG}" ${caso})
  file(GLOB restos LIST_DIRECTORIES false "${WORK}/fallos/*" "${WORK}/fallos/.*")
  if(NOT st EQUAL esperado OR NOT out STREQUAL "" OR restos)
    message(SEND_ERROR "${caso}: status ${st}, output '${out}', files ${restos}")
  endif()
endforeach()
if(NOT IS_SYMLINK "${WORK}/nulo.svg" OR NOT EXISTS /dev/null)
  message(SEND_ERROR "the link to /dev/null was replaced by the picture")
endif()
