# Copies one of the page's own scripts without its comment lines (a line
# that holds nothing but a // comment), which no browser needs: the site is
# served smaller, and the sources keep them. No string or template of the
# page's scripts has a line that starts with //.
#
#   cmake -DENTRADA=web/foco.mjs -DSALIDA=build-web/web/foco.mjs -P web/sin_comentarios.cmake

foreach(variable ENTRADA SALIDA)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "sin_comentarios: ${variable} is not given")
  endif()
endforeach()
file(READ "${ENTRADA}" texto)
string(REGEX REPLACE "^[ \t]*//[^\n]*\n" "" texto "${texto}")
string(REGEX REPLACE "\n[ \t]*//[^\n]*" "" texto "${texto}")
file(WRITE "${SALIDA}" "${texto}")
