# Calls error() through PROG once per row of CATALOGUE and checks, byte for
# byte: standard output keeps what was written before the call, standard
# error holds the context line and the catalogue line, and the exit status.
file(READ "${CATALOGUE}" table) # raw bytes: the texts are Latin-1
string(REGEX REPLACE "#[^\n]*\n" "" table "${table}")
string(REPLACE "\n" ";" rows "${table}")
list(REMOVE_ITEM rows "")
set(contexto "error en la prueba")
foreach(row IN LISTS rows)
  string(REPLACE "|" ";" fields "${row}")
  list(GET fields 0 code)
  list(GET fields 1 expected_status)
  list(GET fields 2 text)
  execute_process(COMMAND "${PROG}" "${contexto}" "${code}"
    INPUT_FILE /dev/null
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status STREQUAL expected_status)
    message(SEND_ERROR "code ${code}: exit status ${status}, expected ${expected_status}")
  endif()
  if(NOT out STREQUAL "salida previa\n")
    message(SEND_ERROR "code ${code}: standard output '${out}'")
  endif()
  if(NOT err STREQUAL "${contexto}\n${text}\n")
    message(SEND_ERROR "code ${code}: standard error '${err}'")
  endif()
endforeach()
