# Installing the programs named in DETOKEN_PROGRAMS with their manual pages
# and the project's texts, and packaging that installation with CPack.
#
# Linux (and any other POSIX system) gets the usual tree:
#   bin/NAME, share/man/man1/NAME.1.gz,
#   share/doc/detoken/{README.md,LICENSE,changelog.gz,copyright}
# which CPack makes into a Debian package and a tar.gz, with the page of the
# web preset beside them as a zip (web_zip.cmake). The package is
# Debian-native, so CHANGELOG is written in Debian's changelog format and
# copyright in its machine-readable format.
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
  install(FILES README.md LICENSE ${changelog}.gz packaging/copyright
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
    RENAME detoken)
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

set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_VENDOR "DETOKEN developers")
set(CPACK_PACKAGE_CONTACT "DETOKEN developers <detoken@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_GENERATOR DEB TGZ)
  string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" CPACK_SYSTEM_NAME)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  # What the programs link against decides the dependencies: none for a
  # static build.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
detoken turns a BASIC program saved from a Sharp MZ-700 as an MZT tape image
into a plain-text listing, for people who keep old tapes and want to read,
diff and archive the programs on them; retoken turns such a listing back
into a tape image, so that programs can be edited and put back on tape. They
know the machine's two BASICs, S-BASIC and HuBASIC.

The listing is Shift_JIS text: keywords spelled out, numeric constants in
decimal or in the form the program stored, and the machine's characters as
Shift_JIS.]])
  # The page, built by the web preset, is zipped beside the packages.
  set(CPACK_DETOKEN_WEB_PAGE ${PROJECT_SOURCE_DIR}/build/web/index.html)
  set(CPACK_DETOKEN_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
  set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/web_zip.cmake)
endif()
include(CPack)
