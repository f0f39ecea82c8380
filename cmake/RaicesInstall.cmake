# Install rules: the static library with its headers, a CMake package
# (raices::raices), a pkg-config file, the programs and their manual pages.
include(CMakePackageConfigHelpers)

install(TARGETS raices
  EXPORT raicesTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

# Headers go to include/raices/, the folder that the raices::raices target and
# raices.pc put on the include path: <raices.h> is found there, and our Util/
# cannot collide with another package's. A header from P3/ lands in that
# folder, one from Util/ in its Util/ subfolder; a new public header is one
# more line in this list.
set(RAICES_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/raices)
set(RAICES_PUBLIC_HEADERS
  P3/raices.h
  P3/metodos/estados.h
  P3/busqueda/prueba.h
  P3/bolas/bola.h
  P3/bolas/chorro.h
  P3/bolas/taylor.h
  P3/bolas/comprueba_raiz.h
  P3/metodos/raices_pasos.h
  P3/metodos/metodos.h
  P3/busqueda/paradas.h
  P3/busqueda/resuelve.h
  P3/busqueda/cierre.h
  P3/busqueda/cuenta.h
  P3/todas/todas_las_raices.h
  P3/busqueda/dobles.h
  P3/todas/demuestra_raices.h
  P3/busqueda/minimo.h
  P3/metodos/biseccion.h
  P3/metodos/regula_falsi.h
  P3/metodos/newton.h
  P3/metodos/secante.h
  P3/metodos/illinois.h
  P3/metodos/brent.h
  P3/metodos/chandrupatla.h
  P3/metodos/steffensen.h
  Util/error.h
  Util/funcion.h
  Util/matutil.h
  Util/specfunc.h)
foreach(header IN LISTS RAICES_PUBLIC_HEADERS)
  get_filename_component(folder ${header} DIRECTORY)
  string(REGEX REPLACE "^P3/?" "" folder "${folder}")
  install(FILES ${header} DESTINATION ${RAICES_INSTALL_INCLUDEDIR}/${folder})
endforeach()

# Programs: one more name here installs one more program.
install(TARGETS ${RAICES_PROGRAMS}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(RAICES_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/raices)
install(EXPORT raicesTargets NAMESPACE raices:: DESTINATION ${RAICES_CMAKE_DIR})
configure_package_config_file(cmake/raicesConfig.cmake.in
  ${PROJECT_BINARY_DIR}/raicesConfig.cmake
  INSTALL_DESTINATION ${RAICES_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/raicesConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/raicesConfig.cmake
  ${PROJECT_BINARY_DIR}/raicesConfigVersion.cmake ${PROJECT_SOURCE_DIR}/cmake/FindArb.cmake
  DESTINATION ${RAICES_CMAKE_DIR})

# pkg-config: the prefix is found from the .pc file's own place, so the tree
# can be installed with --prefix anywhere; absolute install dirs are kept as given.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  set(RAICES_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
  set(RAICES_PC_LIBDIR "${CMAKE_INSTALL_LIBDIR}")
else()
  file(RELATIVE_PATH RAICES_PC_UP "/p/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/p")
  set(RAICES_PC_PREFIX "\${pcfiledir}/${RAICES_PC_UP}")
  set(RAICES_PC_LIBDIR "\${exec_prefix}/${CMAKE_INSTALL_LIBDIR}")
endif()
if(IS_ABSOLUTE "${RAICES_INSTALL_INCLUDEDIR}")
  set(RAICES_PC_INCLUDEDIR "${RAICES_INSTALL_INCLUDEDIR}")
else()
  set(RAICES_PC_INCLUDEDIR "\${prefix}/${RAICES_INSTALL_INCLUDEDIR}")
endif()
# The package's description names the methods by their keys, read from the
# method table itself, so that no second list of them is kept here.
file(READ ${PROJECT_SOURCE_DIR}/P3/metodos/metodos.h RAICES_TABLA)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/P3/metodos/metodos.h)
string(REGEX MATCHALL "descriptor{[ \n]*\"[a-z_]+\"" RAICES_PC_METODOS "${RAICES_TABLA}")
list(TRANSFORM RAICES_PC_METODOS REPLACE "descriptor{[ \n]*\"([a-z_]+)\"" "\\1")
list(JOIN RAICES_PC_METODOS ", " RAICES_PC_METODOS)
if(RAICES_PC_METODOS STREQUAL "")
  message(FATAL_ERROR "no method descriptors found in P3/metodos/metodos.h")
endif()
# Arb and what it is built on, for a static libraices: -l for each library,
# with its folder when the compiler does not search it anyway.
set(RAICES_PC_ARB_LIBS "")
foreach(library IN ITEMS ${Arb_LIBRARY} ${Arb_FLINT_LIBRARY} ${Arb_MPFR_LIBRARY} ${Arb_GMP_LIBRARY})
  get_filename_component(folder ${library} DIRECTORY)
  get_filename_component(name ${library} NAME_WE)
  string(REGEX REPLACE "^lib" "" name "${name}")
  if(NOT folder IN_LIST CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES)
    string(APPEND RAICES_PC_ARB_LIBS " -L${folder}")
  endif()
  string(APPEND RAICES_PC_ARB_LIBS " -l${name}")
endforeach()
set(RAICES_PC_ARB_CFLAGS "")
if(NOT Arb_INCLUDE_DIR IN_LIST CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES)
  set(RAICES_PC_ARB_CFLAGS " -I${Arb_INCLUDE_DIR}")
endif()
configure_file(cmake/raices.pc.in ${PROJECT_BINARY_DIR}/raices.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/raices.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

file(GLOB RAICES_MAN1 CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/*.1)
file(GLOB RAICES_MAN3 CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/*.3)
install(FILES ${RAICES_MAN1} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${RAICES_MAN3} DESTINATION ${CMAKE_INSTALL_MANDIR}/man3)
