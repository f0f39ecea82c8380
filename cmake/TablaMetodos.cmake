# raices_lee_tabla(METODOS_H CLAVES NOMBRES): the keys and the names (with
# their C escapes) of the methods of the table, in its order, read from the
# table (the tuple Metodos of METODOS_H) and from each method's header that
# it includes (the descriptor of its adapter). The manual pages, the README
# and the package's description are checked or written from these.
function(raices_lee_tabla metodos_h claves_var nombres_var)
  get_filename_component(carpeta ${metodos_h} DIRECTORY)
  file(READ ${metodos_h} tabla)
  if(NOT tabla MATCHES "using Metodos =[ \n]*std::tuple<([^>]*)>")
    message(FATAL_ERROR "no tuple Metodos in ${metodos_h}")
  endif()
  string(REGEX REPLACE "[ \n]" "" filas "${CMAKE_MATCH_1}")
  string(REPLACE "," ";" filas "${filas}")
  string(REGEX MATCHALL "#include \"[a-z_]+\\.h\"" cabeceras "${tabla}")
  set(depende ${metodos_h})
  foreach(cabecera IN LISTS cabeceras)
    string(REGEX REPLACE "#include \"([a-z_]+\\.h)\"" "\\1" cabecera "${cabecera}")
    list(APPEND depende ${carpeta}/${cabecera})
    file(READ ${carpeta}/${cabecera} texto)
    string(REGEX MATCHALL "\nstruct [A-Za-z]+[^{;]*{[^}]*descriptor{[ \n]*\"[a-z_]+\",[ \n]*\"[^\"]*\""
      adaptadores "${texto}")
    foreach(adaptador IN LISTS adaptadores)
      string(REGEX REPLACE
        "\nstruct ([A-Za-z]+)[^{;]*{[^}]*descriptor{[ \n]*\"([a-z_]+)\",[ \n]*\"([^\"]*)\"" "\\1"
        fila "${adaptador}")
      string(REGEX REPLACE
        "\nstruct ([A-Za-z]+)[^{;]*{[^}]*descriptor{[ \n]*\"([a-z_]+)\",[ \n]*\"([^\"]*)\"" "\\2"
        clave_${fila} "${adaptador}")
      string(REGEX REPLACE
        "\nstruct ([A-Za-z]+)[^{;]*{[^}]*descriptor{[ \n]*\"([a-z_]+)\",[ \n]*\"([^\"]*)\"" "\\3"
        nombre_${fila} "${adaptador}")
    endforeach()
  endforeach()
  set(claves)
  set(nombres)
  foreach(fila IN LISTS filas)
    if(NOT DEFINED clave_${fila})
      message(FATAL_ERROR "no descriptor of ${fila} in the headers ${metodos_h} includes")
    endif()
    list(APPEND claves ${clave_${fila}})
    list(APPEND nombres "${nombre_${fila}}")
  endforeach()
  set(${claves_var} ${claves} PARENT_SCOPE)
  set(${nombres_var} ${nombres} PARENT_SCOPE)
  set(RAICES_TABLA_ARCHIVOS ${depende} PARENT_SCOPE)
endfunction()
