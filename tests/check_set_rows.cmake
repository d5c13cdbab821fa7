# The character tables the build compiles (charsets/set_rows.h) are what
# charsets/make_tables.py makes of the descriptions in data/charsets.
execute_process(COMMAND ${PYTHON} ${SOURCE_DIR}/charsets/make_tables.py ${SOURCE_DIR}/data/charsets
  OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "make_tables.py failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${SOURCE_DIR}/charsets/set_rows.h
  RESULT_VARIABLE different)
if(NOT different EQUAL 0)
  message(FATAL_ERROR "charsets/set_rows.h is not what make_tables.py makes of data/charsets")
endif()
