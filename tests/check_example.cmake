# Rebuilds an example image from its source and checks that it is the image
# in the repository, then lists it and checks the listing against the one
# in the repository.
#   cmake -DMKIMAGE=... -DDETOKEN=... -DSOURCE=... -DIMAGE=... -DLISTING=... -DDIALECT_OPTION=... -DWORK=... -P check_example.cmake
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${MKIMAGE}" ${DIALECT_OPTION} "${SOURCE}" "${WORK}/built.mzt" RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "mkimage failed on ${SOURCE}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/built.mzt" "${IMAGE}" RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${IMAGE} is not what ${SOURCE} builds")
endif()
execute_process(COMMAND "${DETOKEN}" ${DIALECT_OPTION} -o "${WORK}/listing.txt" "${IMAGE}"
                RESULT_VARIABLE listed ERROR_VARIABLE errors)
if(NOT listed EQUAL 0 OR NOT errors STREQUAL "")
  message(FATAL_ERROR "detoken failed on ${IMAGE}: ${errors}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/listing.txt" "${LISTING}" RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "the listing of ${IMAGE} differs from ${LISTING}")
endif()
