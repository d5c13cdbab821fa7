# Writes a text for the Windows zip with CR LF line ends: INPUT as it is or,
# with GROFF given, the manual page INPUT rendered as plain UTF-8 text.
#   cmake -DINPUT=FILE -DOUTPUT=FILE [-DGROFF=groff] -P windows_text.cmake
if(GROFF)
  # -k: the page is UTF-8; -P-cbou: no bold, underline or overstriking.
  execute_process(COMMAND ${GROFF} -k -Kutf8 -man -Tutf8 -P-cbou ${INPUT}
    OUTPUT_VARIABLE text ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "groff could not render ${INPUT} (${status}):\n${errors}")
  endif()
else()
  file(READ ${INPUT} text)
endif()
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
