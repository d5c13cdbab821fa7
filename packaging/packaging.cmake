# Installing the programs named in DETOKEN_PROGRAMS with their manual pages
# and the project's texts.
#
# Linux (and any other POSIX system) gets the usual tree:
#   bin/NAME, share/man/man1/NAME.1.gz,
#   share/doc/detoken/{README.md,LICENSE,changelog.gz}
# CHANGELOG is written in Debian's changelog format.
# Windows gets one flat folder for a zip: NAME.exe, and texts with CR LF line
# ends that Notepad shows as they are: README.txt, LICENSE.txt, CHANGELOG.txt
# and each manual page rendered as NAME-manual.txt.

# Manual pages carry the version in their footer.
set(pages "")
foreach(program IN LISTS DETOKEN_PROGRAMS)
  configure_file(doc/${program}.1.in doc/${program}.1 @ONLY)
  list(APPEND pages ${PROJECT_BINARY_DIR}/doc/${program}.1)
endforeach()

if(NOT WIN32)
  include(GNUInstallDirs)
  install(TARGETS ${DETOKEN_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  # Manual pages and the change log are compressed as Debian does: gzip -9,
  # without the name and time stamp that would make each build differ.
  find_program(GZIP_PROGRAM gzip REQUIRED)
  set(changelog ${PROJECT_BINARY_DIR}/doc/changelog)
  configure_file(CHANGELOG ${changelog} COPYONLY)
  foreach(file IN LISTS pages ITEMS ${changelog})
    add_custom_command(OUTPUT ${file}.gz
      COMMAND ${GZIP_PROGRAM} -9nkf ${file}
      DEPENDS ${file} VERBATIM)
  endforeach()
  list(TRANSFORM pages APPEND .gz)
  add_custom_target(compressed_docs ALL DEPENDS ${pages} ${changelog}.gz)
  install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES README.md LICENSE ${changelog}.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
else()
  install(TARGETS ${DETOKEN_PROGRAMS} RUNTIME DESTINATION .)

  # groff renders the manual pages; without it the zip has none, and the
  # package check says so.
  find_program(GROFF_PROGRAM groff)
  if(NOT GROFF_PROGRAM)
    message(WARNING "groff not found: the manual pages are left out of the installation")
  endif()
  set(windows_texts "")
  macro(add_windows_text input name)
    set(output ${PROJECT_BINARY_DIR}/windows-texts/${name})
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} ${ARGN}
        -P ${PROJECT_SOURCE_DIR}/packaging/windows_text.cmake
      DEPENDS ${input} ${PROJECT_SOURCE_DIR}/packaging/windows_text.cmake VERBATIM)
    list(APPEND windows_texts ${output})
  endmacro()
  add_windows_text(${PROJECT_SOURCE_DIR}/README.md README.txt)
  add_windows_text(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt)
  add_windows_text(${PROJECT_SOURCE_DIR}/CHANGELOG CHANGELOG.txt)
  if(GROFF_PROGRAM)
    foreach(page IN LISTS pages)
      cmake_path(GET page STEM program)
      add_windows_text(${page} ${program}-manual.txt -DGROFF=${GROFF_PROGRAM})
    endforeach()
  endif()
  add_custom_target(windows_texts ALL DEPENDS ${windows_texts})
  install(FILES ${windows_texts} DESTINATION .)
endif()
