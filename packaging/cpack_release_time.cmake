# Read by cpack as it makes the package (CPACK_PROJECT_CONFIG_FILE). Every
# date in the package is SOURCE_DATE_EPOCH, which cpack honours; unless the
# caller set it, it is the time of the last commit
# (scripts/release_time.sh), so that two builds of one commit give the same
# package.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(
    COMMAND bash -c ". \"$0/scripts/release_time.sh\" && printf %s \"$SOURCE_DATE_EPOCH\"" "${CPACK_QUILLOMAR_SOURCE_DIR}"
    OUTPUT_VARIABLE quillomar_release_time
    RESULT_VARIABLE quillomar_release_time_result)
  if(quillomar_release_time_result EQUAL 0 AND quillomar_release_time MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} "${quillomar_release_time}")
  endif()
endif()
