# Run by cpack once the files are staged, before it packs them: with
# SOURCE_DATE_EPOCH set, every staged file and folder takes that date, so
# that the packages of one commit are the same bit for bit whenever they are
# built.
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND IS_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}")
  file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
  execute_process(
    COMMAND touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" "${CPACK_TEMPORARY_DIRECTORY}" ${staged}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "fechas: touch could not date the staged files")
  endif()
endif()
