# Runs one program as a user would: real process, standard input from the
# case's .in file, and compares standard output, standard error and exit
# status byte for byte with the expectations kept beside it.
#   PROG  program to run        CASE  case path without extension
#   WORK  scratch directory
# Case files: CASE.in (input), CASE.out (standard output), CASE.err
# (standard error; absent means empty), CASE.status (exit status; absent
# means 0), CASE.args (command-line arguments, one per line; optional).
# The case files hold Latin-1 bytes: the programs run with a Latin-1
# character set, read from the locale's name when it is not generated.
unset(ENV{LC_ALL})
set(ENV{LC_CTYPE} es_ES.ISO-8859-1)

set(args "")
if(EXISTS "${CASE}.args")
  file(STRINGS "${CASE}.args" args)
endif()
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${PROG}" ${args}
  INPUT_FILE "${CASE}.in"
  OUTPUT_FILE "${WORK}/stdout"
  ERROR_FILE "${WORK}/stderr"
  RESULT_VARIABLE status
  TIMEOUT 60)

set(expected_status 0)
if(EXISTS "${CASE}.status")
  file(STRINGS "${CASE}.status" expected_status LIMIT_COUNT 1)
endif()
set(expected_err "${WORK}/empty")
file(WRITE "${expected_err}" "")
if(EXISTS "${CASE}.err")
  set(expected_err "${CASE}.err")
endif()

if(NOT "${status}" STREQUAL "${expected_status}")
  message(SEND_ERROR "exit status ${status}, expected ${expected_status}")
endif()
foreach(stream IN ITEMS stdout stderr)
  if(stream STREQUAL "stdout")
    set(expected "${CASE}.out")
  else()
    set(expected "${expected_err}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    "${expected}" "${WORK}/${stream}" RESULT_VARIABLE differ)
  if(differ)
    execute_process(COMMAND diff -a "${expected}" "${WORK}/${stream}"
      OUTPUT_VARIABLE shown)
    message(SEND_ERROR "${stream} differs from ${expected}:\n${shown}")
  endif()
endforeach()
