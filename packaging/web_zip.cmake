# Run by CPack after the Linux packages (CPACK_POST_BUILD_SCRIPTS): puts the
# page that the web preset built (build/web/index.html) beside them as
# detoken-VERSION-web.zip, a folder detoken-VERSION-web holding the page and
# the license. Where the page has not been built (cmake --workflow --preset
# web), the zip is left out, saying so.

# Once, after the last of the packages.
if(NOT CPACK_GENERATOR STREQUAL "TGZ")
  return()
endif()
if(NOT EXISTS "${CPACK_DETOKEN_WEB_PAGE}")
  message(STATUS "CPack: - no web zip: ${CPACK_DETOKEN_WEB_PAGE} is not built (cmake --workflow --preset web)")
  return()
endif()
set(packages ${CPACK_PACKAGE_DIRECTORY})
set(name detoken-${CPACK_PACKAGE_VERSION}-web)
set(stage ${CPACK_TOPLEVEL_DIRECTORY}/web)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage}/${name})
file(COPY_FILE ${CPACK_DETOKEN_WEB_PAGE} ${stage}/${name}/index.html)
file(COPY_FILE ${CPACK_DETOKEN_LICENSE} ${stage}/${name}/LICENSE.txt)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${packages}/${name}.zip --format=zip ${name}
  WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "CPack: - package: ${packages}/${name}.zip generated.")
