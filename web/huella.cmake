# Writes the service worker into the built site: the release's fingerprint
# (a hash of every file's name and contents: a line "NAME SHA-256" each, in
# order) names its cache, and the worker works it out again from the files
# it fetches before it keeps them; and every file of the site is listed for
# it to keep, the page's own address ("./") first, separated by spaces (no
# file of the site has one in its name). Run after the rest of the site is
# in place.
#
#   cmake -DSITIO=build-web/web -DPLANTILLA=web/servicio.js -P web/huella.cmake

foreach(variable SITIO PLANTILLA)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "huella: ${variable} is not given")
  endif()
endforeach()

get_filename_component(trabajador "${PLANTILLA}" NAME)
file(GLOB_RECURSE archivos RELATIVE "${SITIO}" "${SITIO}/*")
list(REMOVE_ITEM archivos "${trabajador}")
list(SORT archivos)
set(contenido "")
set(lista "./")
foreach(archivo IN LISTS archivos)
  file(SHA256 "${SITIO}/${archivo}" suma)
  string(APPEND contenido "${archivo} ${suma}\n")
  string(APPEND lista " ./${archivo}")
endforeach()
string(SHA256 huella "${contenido}")
string(SUBSTRING "${huella}" 0 16 HUELLA)
set(ARCHIVOS "${lista}")
configure_file("${PLANTILLA}" "${SITIO}/${trabajador}" @ONLY)
# Served without its comment lines, as the page's other scripts are.
execute_process(COMMAND ${CMAKE_COMMAND} -DENTRADA=${SITIO}/${trabajador} -DSALIDA=${SITIO}/${trabajador}
                        -P ${CMAKE_CURRENT_LIST_DIR}/sin_comentarios.cmake COMMAND_ERROR_IS_FATAL ANY)
