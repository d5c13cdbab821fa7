# Makes the one file of the page: index.html with its style, its script
# (page_tools.js, page.js, page_recordings.js and page_actions.js) and
# the worker's script (the converter, then worker.js) put in place of the
# markers. Run by the build: cmake -DSOURCE_DIR=web -DCONVERTER=converter.js
# -DVERSION=x.y.z -DOUTPUT=index.html -P assemble_page.cmake

cmake_minimum_required(VERSION 3.25)

file(READ ${SOURCE_DIR}/index.html page)
file(READ ${SOURCE_DIR}/page.css style)
# The script's parts share one function, so that nothing of them is global.
set(script "'use strict';\n(() => {\n")
foreach(part IN ITEMS page_tools.js page.js page_recordings.js page_actions.js)
  file(READ ${SOURCE_DIR}/${part} text)
  string(APPEND script "${text}\n")
endforeach()
string(APPEND script "})();\n")
file(READ ${CONVERTER} converter)
file(READ ${SOURCE_DIR}/worker.js worker)

# Inlined text must not end its script or style element early, nor open an
# HTML comment in it.
foreach(part IN ITEMS style script converter worker)
  string(TOLOWER "${${part}}" lower)
  foreach(marker IN ITEMS "</script" "</style" "<!--")
    string(FIND "${lower}" "${marker}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "${part} holds ${marker}, which cannot be inlined in the page")
    endif()
  endforeach()
endforeach()

string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
string(REPLACE "/*@STYLE@*/" "${style}" page "${page}")
string(REPLACE "/*@SCRIPT@*/" "${script}" page "${page}")
string(REPLACE "/*@WORKER@*/" "${converter}\n${worker}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
