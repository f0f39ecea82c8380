# Runs PROGRAM with empty standard input and writes its standard output to
# OUTPUT as a C++ header defining `salida`, an array of those bytes.
# Usage: cmake -DPROGRAM=<exe> -DOUTPUT=<header> -P embed_output.cmake
if(NOT PROGRAM OR NOT OUTPUT)
  message(FATAL_ERROR "PROGRAM and OUTPUT are required")
endif()

set(capture ${OUTPUT}.bytes)
execute_process(COMMAND ${PROGRAM}
  INPUT_FILE /dev/null
  OUTPUT_FILE ${capture}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} exited with ${status} on empty input")
endif()

file(READ ${capture} hex HEX)
string(LENGTH "${hex}" digits)
if(digits EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} wrote nothing on empty input")
endif()
string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
# Sixteen bytes a line.
string(REGEX REPLACE "((0x..,){16})" "\\1\n  " bytes "${bytes}")

file(WRITE ${OUTPUT}.tmp
  "// Generated from the output of ${PROGRAM} for empty input; do not edit.\n"
  "static const unsigned char salida[] = {\n  ${bytes}\n};\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
