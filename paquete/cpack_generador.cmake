# Read by cpack for each generator: the Windows installer gets a name of its
# own, beside the .zip's.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-instalador")
endif()
