# Writes the service worker into the built site: the release's fingerprint
# (a hash of every file's name and contents) names its cache, and every
# file of the site is listed for it to keep, with its SHA-256, which the
# worker checks it against: "./=HASH ./archivo=HASH ...", the page's own
# address ("./", index.html) first, separated by spaces (no file of the
# site has a space or "=" in its name). Run after the rest of the site is
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
file(SHA256 "${SITIO}/index.html" suma)
set(lista "./=${suma}")
foreach(archivo IN LISTS archivos)
  file(SHA256 "${SITIO}/${archivo}" suma)
  string(APPEND contenido "${archivo} ${suma}\n")
  string(APPEND lista " ./${archivo}=${suma}")
endforeach()
string(SHA256 huella "${contenido}")
string(SUBSTRING "${huella}" 0 16 HUELLA)
set(ARCHIVOS "${lista}")
configure_file("${PLANTILLA}" "${SITIO}/${trabajador}" @ONLY)
