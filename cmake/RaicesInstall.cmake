# Install rules: the three static libraries with their headers, a CMake
# package (raices::raices, raices::bolas, raices::expresion), a pkg-config
# file for each library, the programs and their manual pages.
include(CMakePackageConfigHelpers)

# One export set per library, so that the package loads a part only when
# what it is built on is found (cmake/raicesConfig.cmake.in).
install(TARGETS raices EXPORT raicesTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS raices_bolas EXPORT raicesBolasTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS raices_expresion EXPORT raicesExpresionTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

# Headers: include/raices.h, the specified interface, and under
# include/raices/ the library's folders of P3/ and Util/, each header where
# its folder is (P3/bolas/bola.h is <raices/bolas/bola.h>), so that the
# relative includes between them hold in both trees. Only include/ goes on
# a user's include path: nothing of ours there has a generic name.
set(RAICES_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/raices)
file(GLOB RAICES_CABECERAS_METODOS RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
  P3/metodos/*.h P3/busqueda/*.h)
file(GLOB RAICES_CABECERAS_BOLAS RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS P3/bolas/*.h)
set(RAICES_PUBLIC_HEADERS
  P3/raices.h
  ${RAICES_CABECERAS_METODOS}
  P3/todas/celdas.h
  P3/todas/jueces.h
  P3/todas/respuesta.h
  P3/todas/todas_las_raices.h
  Util/error.h
  Util/matutil.h
  Util/specfunc.h
  # raices_bolas
  ${RAICES_CABECERAS_BOLAS}
  P3/todas/demuestra_raices.h
  P3/todas/jueces_de_bolas.h
  # raices_expresion
  P3/expresion/expresion.h
  P3/polinomio/polinomio.h
  P3/polinomio/comprueba_polinomio.h
  P3/polinomio/raices_exactas.h)
foreach(header IN LISTS RAICES_PUBLIC_HEADERS)
  get_filename_component(folder ${header} DIRECTORY)
  string(REGEX REPLACE "^P3/?" "" folder "${folder}")
  install(FILES ${header} DESTINATION ${RAICES_INSTALL_INCLUDEDIR}/${folder})
endforeach()
install(FILES cmake/raices_instalado.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} RENAME raices.h)

# Programs: one more name here installs one more program.
install(TARGETS ${RAICES_PROGRAMS}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(RAICES_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/raices)
foreach(export IN ITEMS raicesTargets raicesBolasTargets raicesExpresionTargets)
  install(EXPORT ${export} NAMESPACE raices:: DESTINATION ${RAICES_CMAKE_DIR})
endforeach()
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
if(IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(RAICES_PC_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}")
else()
  set(RAICES_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
endif()
# The package's description names the methods by their keys, read from the
# method table itself, so that no second list of them is kept here.
include(TablaMetodos)
raices_lee_tabla(${PROJECT_SOURCE_DIR}/P3/metodos/metodos.h RAICES_PC_METODOS RAICES_PC_NOMBRES)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${RAICES_TABLA_ARCHIVOS})
list(JOIN RAICES_PC_METODOS ", " RAICES_PC_METODOS)
# Arb and what it is built on, for the static libraices_bolas: -l for each library,
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
foreach(pc IN ITEMS raices raices_bolas raices_expresion)
  configure_file(cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()

file(GLOB RAICES_MAN1 CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/*.1)
file(GLOB RAICES_MAN3 CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/*.3)
install(FILES ${RAICES_MAN1} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${RAICES_MAN3} DESTINATION ${CMAKE_INSTALL_MANDIR}/man3)
