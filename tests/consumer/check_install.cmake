# Installs the package into a scratch prefix, then builds and runs a small
# program outside this tree against it: once through find_package and
# raices::raices, once through pkg-config alone.
# CXXFLAGS: the flags the library was built with (a sanitizer build needs
# its runtime in the consumer too).
set(prefix "${WORK}/prefix")
separate_arguments(cxxflags UNIX_COMMAND "${CXXFLAGS}")
file(REMOVE_RECURSE "${WORK}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}")
foreach(file IN ITEMS include/raices.h include/Util/error.h include/Util/matutil.h
    include/Util/specfunc.h lib/libraices.a lib/cmake/raices/raicesConfig.cmake
    lib/pkgconfig/raices.pc bin/rootbench bin/arcroot bin/arcprobe bin/steffexp
    bin/steffcubic share/man/man1/rootbench.1 share/man/man1/arcroot.1
    share/man/man1/arcprobe.1 share/man/man1/steffexp.1 share/man/man1/steffcubic.1
    share/man/man3/raices.3)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The installed header compiles on its own.
file(WRITE "${WORK}/solo.cpp" "#include <raices.h>\n")
run("${CXX}" -std=c++17 -Wall -Wextra -Wpedantic -Werror -fsyntax-only
  -I "${prefix}/include" "${WORK}/solo.cpp")

# CMake package.
run(${CMAKE_COMMAND} -S "${CONSUMER}" -B "${WORK}/cmake-build"
  -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX}
  "-DCMAKE_CXX_FLAGS=${CXXFLAGS}")
run(${CMAKE_COMMAND} --build "${WORK}/cmake-build")
run("${WORK}/cmake-build/consumer")
if(NOT out STREQUAL "0.5\n")
  message(FATAL_ERROR "consumer printed '${out}'")
endif()

# pkg-config.
set(ENV{PKG_CONFIG_PATH} "${prefix}/lib/pkgconfig")
run(pkg-config --cflags --libs raices)
string(STRIP "${out}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
run("${CXX}" -std=c++17 ${cxxflags} "${CONSUMER}/consumer.cpp" ${flags} -o "${WORK}/consumer-pc")
run("${WORK}/consumer-pc")
if(NOT out STREQUAL "0.5\n")
  message(FATAL_ERROR "pkg-config consumer printed '${out}'")
endif()
