# The version stands in CMakeLists.txt's project() and nowhere else to be
# chosen: every other place that names it must name the same. Run by CTest
# with FUENTES (the sources) and VERSION (the project's).
set(fallos "")
function(exigir archivo patron que)
  file(READ "${FUENTES}/${archivo}" texto)
  string(REGEX MATCH "${patron}" hallado "${texto}")
  if(NOT hallado)
    set(fallos "${fallos}\n  ${archivo}: ${que} is not ${VERSION}" PARENT_SCOPE)
  endif()
endfunction()

string(REPLACE "." "[.]" version "${VERSION}")
exigir(man/tres-en-rayas.6 "\n[.]TH [^\n]*\"tres-en-rayas ${version}\"" "the manual page's .TH")
exigir(paquete/debian/changelog "^tres-en-rayas [(]${version}[)]" "the changelog's newest entry")
exigir(paquete/io.github.tresenrayas.TresEnRayas.metainfo.xml
       "<releases>[ \n]*<release version=\"${version}\"" "the metainfo's newest release")

# The release's file names in the documents: tres-en-rayas-X.Y.Z-... and
# tres-en-rayas_X.Y.Z_....
file(GLOB documentos RELATIVE "${FUENTES}" "${FUENTES}/*.md" "${FUENTES}/docs/*.md")
foreach(documento IN LISTS documentos)
  file(READ "${FUENTES}/${documento}" texto)
  string(REGEX MATCHALL "tres-en-rayas[-_][0-9]+[.][0-9]+[.][0-9]+" nombres "${texto}")
  foreach(nombre IN LISTS nombres)
    if(NOT nombre MATCHES "${version}$")
      set(fallos "${fallos}\n  ${documento}: ${nombre} is not version ${VERSION}")
    endif()
  endforeach()
endforeach()

if(fallos)
  message(FATAL_ERROR "The version differs from CMakeLists.txt's ${VERSION}:${fallos}")
endif()
