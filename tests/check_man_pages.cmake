# Every manual page renders without a single groff warning.
file(GLOB pages "${MAN_DIR}/*.[13]")
if(NOT pages)
  message(FATAL_ERROR "no manual pages in ${MAN_DIR}")
endif()
foreach(page IN LISTS pages)
  execute_process(COMMAND groff -man -ww -z -Tutf8 "${page}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
    message(SEND_ERROR "${page}: groff status ${rc}\n${err}")
  endif()
endforeach()
