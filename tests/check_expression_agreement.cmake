# The typed-function path agrees with the compiled one: every rootbench
# dialogue case without command-line arguments, run again as
#   rootbench -f 'exp(-x) - 2*x*x'
# (the text of fun), must write its two opening lines and then exactly the
# case's expected standard output, standard error and exit status.
#   PROG  rootbench     DIR  the cases     WORK  scratch directory
set(expresion "exp(-x) - 2*x*x")
file(MAKE_DIRECTORY "${WORK}")
file(GLOB inputs "${DIR}/*.in")
set(checked 0)
foreach(input IN LISTS inputs)
  get_filename_component(name "${input}" NAME_WLE)
  set(case "${DIR}/${name}")
  if(EXISTS "${case}.args")
    continue()
  endif()
  execute_process(COMMAND "${PROG}" -f "${expresion}"
    INPUT_FILE "${input}" OUTPUT_FILE "${WORK}/stdout" ERROR_FILE "${WORK}/stderr"
    RESULT_VARIABLE status TIMEOUT 60)

  set(expected_status 0)
  if(EXISTS "${case}.status")
    file(STRINGS "${case}.status" expected_status LIMIT_COUNT 1)
  endif()
  if(NOT "${status}" STREQUAL "${expected_status}")
    message(SEND_ERROR "${name}: exit status ${status}, expected ${expected_status}")
  endif()

  # The two opening lines, then the body that must equal the plain run's.
  file(STRINGS "${WORK}/stdout" opening LIMIT_COUNT 2)
  list(LENGTH opening lines)
  if(lines LESS 2 OR NOT "${opening}" MATCHES
     "^f\\(x\\) = exp\\(-x\\) - 2\\*x\\*x;f'\\(x\\) = .* \\(derivada calculada\\)$")
    message(SEND_ERROR "${name}: opening lines are \"${opening}\"")
  endif()
  execute_process(COMMAND tail -n +3 INPUT_FILE "${WORK}/stdout" OUTPUT_FILE "${WORK}/body")

  set(expected_err "${WORK}/empty")
  file(WRITE "${expected_err}" "")
  if(EXISTS "${case}.err")
    set(expected_err "${case}.err")
  endif()
  foreach(pair IN ITEMS "${case}.out|body" "${expected_err}|stderr")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 expected)
    list(GET pair 1 actual)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${expected}" "${WORK}/${actual}"
      RESULT_VARIABLE differ)
    if(differ)
      execute_process(COMMAND diff -a "${expected}" "${WORK}/${actual}" OUTPUT_VARIABLE shown)
      message(SEND_ERROR "${name}: ${actual} differs from ${expected}:\n${shown}")
    endif()
  endforeach()
  math(EXPR checked "${checked} + 1")
endforeach()
if(checked LESS 1)
  message(FATAL_ERROR "no cases in ${DIR}")
endif()
message(STATUS "${checked} cases agree")
