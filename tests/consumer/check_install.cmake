# The installed package as a user meets it. PART empty: installs the build
# into a scratch prefix and checks the tree (what is installed, that only
# raices.h and raices/ land in include/, every header compiling alone).
# PART raices, bolas or expresion: builds that consumer project of
# tests/consumer against the prefix, once through find_package and once
# through pkg-config alone, and runs it. The programs are the README's
# examples of the library, shown there as they are.
# CXXFLAGS: the flags the library was built with (a sanitizer build needs
# its runtime in the consumer too).
set(prefix "${WORK}/prefix")
separate_arguments(cxxflags UNIX_COMMAND "${CXXFLAGS}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

if(PART STREQUAL "")
  file(REMOVE_RECURSE "${WORK}")
  run(${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}")
  foreach(file IN ITEMS include/raices.h include/raices/raices.h
      include/raices/metodos/raices_pasos.h include/raices/metodos/metodos.h
      include/raices/busqueda/resuelve.h include/raices/todas/todas_las_raices.h
      include/raices/bolas/bola.h include/raices/bolas/chorro.h include/raices/bolas/comprueba_raiz.h
      include/raices/todas/demuestra_raices.h include/raices/todas/jueces_de_bolas.h
      include/raices/expresion/expresion.h
      include/raices/Util/error.h include/raices/Util/matutil.h include/raices/Util/specfunc.h
      lib/libraices.a lib/libraices_bolas.a lib/libraices_expresion.a
      lib/cmake/raices/raicesConfig.cmake lib/cmake/raices/FindArb.cmake
      lib/pkgconfig/raices.pc lib/pkgconfig/raices_bolas.pc lib/pkgconfig/raices_expresion.pc
      bin/rootbench bin/rootcompare bin/rootscan bin/arcroot bin/arcprobe bin/steffexp
      bin/steffcubic share/man/man1/rootbench.1 share/man/man1/arcroot.1
      share/man/man1/arcprobe.1 share/man/man1/steffexp.1 share/man/man1/steffcubic.1
      share/man/man3/raices.3)
    if(NOT EXISTS "${prefix}/${file}")
      message(FATAL_ERROR "not installed: ${file}")
    endif()
  endforeach()

  # include/ gets raices.h and the folder raices/, nothing else: no name of
  # ours that a user's own headers could meet.
  file(GLOB included RELATIVE "${prefix}/include" "${prefix}/include/*")
  list(SORT included)
  if(NOT included STREQUAL "raices;raices.h")
    message(FATAL_ERROR "include/ holds ${included}, not just raices.h and raices/")
  endif()
  # Every installed header compiles on its own, as the one line of a
  # translation unit, with include/ alone on the include path: what it
  # includes of ours is in the installed tree.
  file(GLOB_RECURSE headers RELATIVE "${prefix}/include" "${prefix}/include/*.h")
  foreach(header IN LISTS headers)
    string(MAKE_C_IDENTIFIER "${header}" unit)
    file(WRITE "${WORK}/solo_${unit}.cpp" "#include <${header}>\n")
    run("${CXX}" -std=c++17 -Wall -Wextra -Wpedantic -Werror -fsyntax-only
      -I "${prefix}/include" "${WORK}/solo_${unit}.cpp")
  endforeach()

  # A user's file that defines BIG, PI, SMALL, info and NOINFO compiles with
  # <raices.h>, and runs.
  set(ENV{PKG_CONFIG_PATH} "${prefix}/lib/pkgconfig")
  run(pkg-config --cflags --libs raices)
  separate_arguments(flags UNIX_COMMAND "${out}")
  run("${CXX}" -std=c++17 -Wall -Wextra -Wpedantic -Werror ${cxxflags} "${CONSUMER}/sin_fugas.cpp"
    ${flags} -o "${WORK}/sin_fugas")
  run("${WORK}/sin_fugas")

  # man, through MANPATH.
  set(ENV{MANPATH} "${prefix}/share/man")
  run(man -w 3 raices)
  if(NOT out STREQUAL "${prefix}/share/man/man3/raices.3\n")
    message(FATAL_ERROR "man -w 3 raices found '${out}'")
  endif()
  return()
endif()

# One consumer project: its program, its pkg-config module, what it prints.
if(PART STREQUAL "raices")
  set(program biseccion)
  set(expected "1.4142135624\n")
elseif(PART STREQUAL "bolas")
  set(program prueba)
  # Balls prove the first answer and refute the second.
  set(expected "1.895494267033981: demostrada, f = 6.15e-18\n1.8955: refutada, f = -4.70e-6\n")
elseif(PART STREQUAL "expresion")
  set(program kepler)
  # The root to 15 digits is mpmath's, at 50 digits.
  set(expected "f'(x) = 1 - cos(x)*ecc\nx = 1.49870113351785: demostrada in 6 steps\n")
else()
  message(FATAL_ERROR "no consumer project '${PART}'")
endif()
set(module raices)
if(NOT PART STREQUAL "raices")
  set(module raices_${PART})
endif()
set(work "${WORK}/${PART}")
file(REMOVE_RECURSE "${work}")

file(READ "${SOURCE}/README.md" readme)
file(READ "${CONSUMER}/${PART}/${program}.cpp" text)
string(FIND "${readme}" "\n${text}```\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "README.md does not show tests/consumer/${PART}/${program}.cpp as it is")
endif()

# CMake package.
run(${CMAKE_COMMAND} -S "${CONSUMER}/${PART}" -B "${work}/cmake-build"
  -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX}
  "-DCMAKE_CXX_FLAGS=${CXXFLAGS}")
run(${CMAKE_COMMAND} --build "${work}/cmake-build")
run("${work}/cmake-build/${program}")
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "${program} printed '${out}'")
endif()

# pkg-config. The step library is one library and nothing else.
set(ENV{PKG_CONFIG_PATH} "${prefix}/lib/pkgconfig")
if(PART STREQUAL "raices")
  run(pkg-config --libs raices)
  string(STRIP "${out}" libs)
  if(NOT libs MATCHES "^-L[^ ]+ -lraices$")
    message(FATAL_ERROR "pkg-config --libs raices gives '${libs}'")
  endif()
endif()
run(pkg-config --cflags --libs ${module})
string(STRIP "${out}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
run("${CXX}" -std=c++17 -Wall -Wextra -Wpedantic -Werror ${cxxflags}
  "${CONSUMER}/${PART}/${program}.cpp" ${flags} -o "${work}/${program}-pc")
run("${work}/${program}-pc")
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "pkg-config ${program} printed '${out}'")
endif()
