# Leaves every release artifact of the commit checked out in FUENTES in
# BINARIOS/dist: the source archive, the .debs (amd64, and static ones for
# arm64 and armhf), the static Linux executables' .tar.gz (x86_64, aarch64,
# armv7), the Windows .zip and installer, the web site's .zip, and
# SHA256SUMS. Run by the dist target of a build configured
# with TRES_EN_RAYAS_PUBLICAR (the publicar workflow), after its tests.
#
# Every artifact repeats bit for bit: the time in all of them is
# SOURCE_DATE_EPOCH, the last commit's date unless it is already set.
# A tool that is missing stops it, named, before any artifact is made (the
# build and its tests have run by then).

cmake_minimum_required(VERSION 3.25)

foreach(variable FUENTES BINARIOS VERSION)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "publicar: ${variable} is not given")
  endif()
endforeach()

get_filename_component(herramientas "${CMAKE_COMMAND}" DIRECTORY)
find_program(CPACK cpack HINTS "${herramientas}" NO_DEFAULT_PATH)
find_program(CPACK cpack)
set(faltan "")
foreach(herramienta git gzip tar touch dpkg-shlibdeps makensis x86_64-w64-mingw32-g++-posix
                    x86_64-w64-mingw32-windres aarch64-linux-gnu-g++ arm-linux-gnueabihf-g++
                    clang++ wasm-ld wasm-opt npm zip)
  string(MAKE_C_IDENTIFIER "${herramienta}" nombre)
  find_program(HERRAMIENTA_${nombre} ${herramienta})
  if(NOT HERRAMIENTA_${nombre})
    list(APPEND faltan ${herramienta})
  endif()
endforeach()
if(NOT CPACK)
  list(APPEND faltan cpack)
endif()
if(faltan)
  list(JOIN faltan ", " faltan)
  message(FATAL_ERROR "publicar: missing tools: ${faltan}. Nothing was published.")
endif()

# Runs a command and stops everything when it fails.
function(ejecutar)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE resultado)
  if(NOT resultado EQUAL 0)
    list(JOIN ARGN " " orden)
    message(FATAL_ERROR "publicar: failed (${resultado}): ${orden}")
  endif()
endfunction()

execute_process(COMMAND git -C "${FUENTES}" rev-parse --is-inside-work-tree
                RESULT_VARIABLE sinGit OUTPUT_QUIET ERROR_QUIET)
if(NOT sinGit EQUAL 0)
  message(FATAL_ERROR "publicar: ${FUENTES} is not a git checkout, and the source archive "
                      "holds the tracked files of a commit")
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(fecha "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git -C "${FUENTES}" log -1 --format=%ct
                  OUTPUT_VARIABLE fecha OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE sinFecha)
  if(NOT sinFecha EQUAL 0 OR fecha STREQUAL "")
    set(fecha 1767225600) # 2026-01-01, for a checkout without history
  endif()
endif()
set(ENV{SOURCE_DATE_EPOCH} "${fecha}")
message(STATUS "publicar: SOURCE_DATE_EPOCH=${fecha}")

set(dist "${BINARIOS}/dist")
file(REMOVE_RECURSE "${dist}")
file(MAKE_DIRECTORY "${dist}")

# The source archive: the tracked files of the commit, as git stores them,
# with the commit's date; gzip without name or time.
set(fuente "tres-en-rayas-${VERSION}")
ejecutar(git -C "${FUENTES}" -c tar.umask=0022 archive --format=tar --prefix=${fuente}/ HEAD
         COMMAND gzip -9n OUTPUT_FILE "${dist}/${fuente}.tar.gz")

# The .deb, from this build.
set(paquetes "${BINARIOS}/paquetes")
file(REMOVE_RECURSE "${paquetes}")
ejecutar("${CPACK}" --config "${BINARIOS}/CPackConfig.cmake" -G DEB -B "${paquetes}")

# The Windows .exe, cross-compiled in a build of its own, and its .zip and
# installer.
set(windows "${BINARIOS}/windows")
ejecutar("${CMAKE_COMMAND}" -S "${FUENTES}" -B "${windows}"
         --toolchain "${FUENTES}/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release
         -DTRES_EN_RAYAS_PRUEBAS=OFF -DTRES_EN_RAYAS_PUBLICAR=ON)
ejecutar("${CMAKE_COMMAND}" --build "${windows}" -j2)
foreach(generador ZIP NSIS)
  ejecutar("${CPACK}" --config "${windows}/CPackConfig.cmake" -G ${generador} -B "${paquetes}")
endforeach()

# Static Linux executables, one per CPU, each from a build of its own:
# a .tar.gz of the executable (stripped), the players' guide, the manual
# page and the licence; for ARM also the .deb of its Debian architecture.
foreach(cpu x86_64 aarch64 armv7)
  set(construccion "${BINARIOS}/linux-${cpu}")
  set(cadena "")
  if(cpu STREQUAL "aarch64")
    set(cadena --toolchain "${FUENTES}/cmake/aarch64-linux-gnu.cmake")
  elseif(cpu STREQUAL "armv7")
    set(cadena --toolchain "${FUENTES}/cmake/arm-linux-gnueabihf.cmake")
  endif()
  ejecutar("${CMAKE_COMMAND}" -S "${FUENTES}" -B "${construccion}" ${cadena}
           -DCMAKE_BUILD_TYPE=Release -DTRES_EN_RAYAS_PRUEBAS=OFF -DTRES_EN_RAYAS_PUBLICAR=ON
           -DTRES_EN_RAYAS_ESTATICO=ON)
  ejecutar("${CMAKE_COMMAND}" --build "${construccion}" -j2)
  if(cadena)
    ejecutar("${CPACK}" --config "${construccion}/CPackConfig.cmake" -G DEB -B "${paquetes}")
  endif()
  set(nombre "tres-en-rayas-${VERSION}-linux-${cpu}")
  file(REMOVE_RECURSE "${construccion}/instalado" "${construccion}/tar")
  ejecutar("${CMAKE_COMMAND}" --install "${construccion}" --prefix "${construccion}/instalado" --strip)
  file(COPY "${construccion}/instalado/games/tres-en-rayas" "${FUENTES}/LEEME.md"
            "${FUENTES}/man/tres-en-rayas.6" "${FUENTES}/LICENSE"
       DESTINATION "${construccion}/tar/${nombre}")
  ejecutar(tar -C "${construccion}/tar" --sort=name --format=gnu --owner=0 --group=0
           --numeric-owner "--mtime=@${fecha}" --mode=a+rX,u+w,go-w -cf - "${nombre}"
           COMMAND gzip -9n OUTPUT_FILE "${dist}/${nombre}.tar.gz")
endforeach()

file(GLOB artefactos "${paquetes}/*.deb" "${paquetes}/*.zip" "${paquetes}/*-instalador.exe")
list(LENGTH artefactos cuantos)
if(NOT cuantos EQUAL 5)
  message(FATAL_ERROR "publicar: expected three .debs, a .zip and an installer, found: ${artefactos}")
endif()
file(COPY ${artefactos} DESTINATION "${dist}")

# The static site for the browser, built in a folder of its own, in a .zip
# whose files are in a fixed order and all dated SOURCE_DATE_EPOCH.
set(web "${BINARIOS}/web")
ejecutar("${CMAKE_COMMAND}" -S "${FUENTES}" -B "${web}"
         --toolchain "${FUENTES}/cmake/wasm32-wasi.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel
         -DTRES_EN_RAYAS_PUBLICAR=ON)
ejecutar("${CMAKE_COMMAND}" --build "${web}" -j2)
set(sitio "tres-en-rayas-${VERSION}-web")
file(REMOVE_RECURSE "${web}/zip")
file(COPY "${web}/web/" DESTINATION "${web}/zip/${sitio}")
# Files only, named in a fixed order, and no folder entries. The .zip's DOS
# times are local times, so they are taken in UTC.
file(GLOB_RECURSE archivosSitio RELATIVE "${web}/zip" "${web}/zip/*")
list(SORT archivosSitio)
ejecutar("${CMAKE_COMMAND}" -E chdir "${web}/zip" touch -h -d "@${fecha}" ${archivosSitio})
set(ENV{TZ} UTC)
# -X: no extra fields, whose access and change times would differ.
ejecutar("${CMAKE_COMMAND}" -E chdir "${web}/zip" zip -q -X -D -9 "${dist}/${sitio}.zip"
         ${archivosSitio})

# The checksums, in the format sha256sum -c reads.
file(GLOB publicados RELATIVE "${dist}" "${dist}/*")
list(SORT publicados)
set(sumas "")
foreach(archivo IN LISTS publicados)
  file(SHA256 "${dist}/${archivo}" suma)
  string(APPEND sumas "${suma}  ${archivo}\n")
endforeach()
file(WRITE "${dist}/SHA256SUMS" "${sumas}")
message(STATUS "publicar: ${dist}\n${sumas}")
