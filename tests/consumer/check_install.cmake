# Installs the package into a scratch prefix, then builds and runs a small
# program outside this tree against it: once through find_package and
# raices::raices, once through pkg-config alone. The program is the README's
# library example, and the paths are the ones the README gives.
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
foreach(file IN ITEMS include/raices/raices.h include/raices/metodos/raices_pasos.h
    include/raices/bolas/bola.h include/raices/bolas/chorro.h include/raices/bolas/comprueba_raiz.h
    lib/cmake/raices/FindArb.cmake
    include/raices/Util/error.h include/raices/Util/matutil.h include/raices/Util/specfunc.h
    lib/libraices.a lib/cmake/raices/raicesConfig.cmake lib/pkgconfig/raices.pc bin/rootbench bin/arcroot bin/arcprobe bin/steffexp
    bin/steffcubic share/man/man1/rootbench.1 share/man/man1/arcroot.1
    share/man/man1/arcprobe.1 share/man/man1/steffexp.1 share/man/man1/steffcubic.1
    share/man/man3/raices.3)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# Headers stay in their own folder, and compile with nothing but it on the
# include path.
file(GLOB included RELATIVE "${prefix}/include" "${prefix}/include/*")
if(NOT included STREQUAL "raices")
  message(FATAL_ERROR "include/ holds ${included}, not just raices/")
endif()
# Every installed header compiles on its own, as the one line of a
# translation unit.
file(GLOB_RECURSE headers RELATIVE "${prefix}/include/raices" "${prefix}/include/raices/*.h")
foreach(header IN LISTS headers)
  string(MAKE_C_IDENTIFIER "${header}" unit)
  file(WRITE "${WORK}/solo_${unit}.cpp" "#include <${header}>\n")
  run("${CXX}" -std=c++17 -Wall -Wextra -Wpedantic -Werror -fsyntax-only
    -I "${prefix}/include/raices" "${WORK}/solo_${unit}.cpp")
endforeach()

# The README shows both examples as they are.
file(READ "${SOURCE}/README.md" readme)
foreach(example IN ITEMS consumer.cpp prueba.cpp)
  file(READ "${CONSUMER}/${example}" text)
  string(FIND "${readme}" "\n${text}```\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "README.md does not show tests/consumer/${example} as it is")
  endif()
endforeach()
set(root "1.4142135624\n")
# Balls prove the first answer and refute the second.
set(proof "1.895494267033981: demostrada, f = 6.15e-18\n1.8955: refutada, f = -4.70e-6\n")

# CMake package.
run(${CMAKE_COMMAND} -S "${CONSUMER}" -B "${WORK}/cmake-build"
  -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX}
  "-DCMAKE_CXX_FLAGS=${CXXFLAGS}")
run(${CMAKE_COMMAND} --build "${WORK}/cmake-build")
run("${WORK}/cmake-build/consumer")
if(NOT out STREQUAL root)
  message(FATAL_ERROR "consumer printed '${out}'")
endif()
run("${WORK}/cmake-build/prueba")
if(NOT out STREQUAL proof)
  message(FATAL_ERROR "prueba printed '${out}'")
endif()

# pkg-config.
set(ENV{PKG_CONFIG_PATH} "${prefix}/lib/pkgconfig")
run(pkg-config --cflags --libs raices)
string(STRIP "${out}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
run("${CXX}" -std=c++17 ${cxxflags} "${CONSUMER}/consumer.cpp" ${flags} -o "${WORK}/consumer-pc")
run("${WORK}/consumer-pc")
if(NOT out STREQUAL root)
  message(FATAL_ERROR "pkg-config consumer printed '${out}'")
endif()
run("${CXX}" -std=c++17 ${cxxflags} "${CONSUMER}/prueba.cpp" ${flags} -o "${WORK}/prueba-pc")
run("${WORK}/prueba-pc")
if(NOT out STREQUAL proof)
  message(FATAL_ERROR "pkg-config prueba printed '${out}'")
endif()

# A user's file that defines BIG, PI, SMALL, info and NOINFO compiles with
# <raices.h>, and runs.
run("${CXX}" -std=c++17 -Wall -Wextra -Wpedantic -Werror ${cxxflags} "${CONSUMER}/sin_fugas.cpp"
  ${flags} -o "${WORK}/sin_fugas")
run("${WORK}/sin_fugas")

# man, through MANPATH.
set(ENV{MANPATH} "${prefix}/share/man")
run(man -w 3 raices)
if(NOT out STREQUAL "${prefix}/share/man/man3/raices.3\n")
  message(FATAL_ERROR "man -w 3 raices found '${out}'")
endif()
