# Every manual page renders without a single groff warning, and within 80
# columns as man lays it out for an 80-column terminal (text filled to 78,
# code lines as written).
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
  # Latin-1 output without overstriking: one byte a column.
  execute_process(COMMAND groff -man -Tlatin1 -P-c -P-b -P-u -rLL=78n "${page}"
    COMMAND env LC_ALL=C awk "length($0) > 80 { print FNR \": \" $0 }"
    RESULT_VARIABLE rc OUTPUT_VARIABLE wide ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT wide STREQUAL "")
    message(SEND_ERROR "${page}: lines wider than 80 columns (status ${rc}):\n${wide}${err}")
  endif()
endforeach()
