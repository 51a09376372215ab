# Compiles VRX_L.chm with chmcmd in a staging folder: the files of the project's [FILES] section
# come from the help sources, those under images/ from the generated scheme pictures, and the
# pages of the contents and the index are written from toc.hhc and index.hhk. A missing file, or
# a link to a page that is not there, fails the build.
#   cmake -DCHMCMD=... -DSOURCE_DIR=... -DSTAGE_DIR=... -DIMAGES_DIR=... -DOUTPUT=... -P CompileHelp.cmake

cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR}/images)
file(COPY ${SOURCE_DIR}/VRX_L.hhp DESTINATION ${STAGE_DIR})

include(${SOURCE_DIR}/HelpProject.cmake)
set(generated "")
set(pages ${VRX_HELP_SITEMAP_PAGES})
while(pages)
  list(POP_FRONT pages page sitemap title)
  vrx_help_sitemap_page(${SOURCE_DIR}/${sitemap} "${title}" ${STAGE_DIR}/${page})
  list(APPEND generated ${page})
endwhile()

vrx_help_project_files(${SOURCE_DIR}/VRX_L.hhp project_files)
foreach(line IN LISTS project_files)
  if(line IN_LIST generated)
    continue()
  elseif(line MATCHES "^images/(.*)$")
    set(from ${IMAGES_DIR}/${CMAKE_MATCH_1})
  else()
    set(from ${SOURCE_DIR}/${line})
  endif()
  if(NOT EXISTS ${from})
    message(FATAL_ERROR "help file ${line} is missing: ${from}")
  endif()
  get_filename_component(folder ${STAGE_DIR}/${line} DIRECTORY)
  file(COPY ${from} DESTINATION ${folder})
endforeach()

execute_process(COMMAND ${CHMCMD} --verbosity 1 VRX_L.hhp
  WORKING_DIRECTORY ${STAGE_DIR}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR output MATCHES "Warning")
  message(FATAL_ERROR "chmcmd failed (${result}):\n${output}")
endif()
file(COPY_FILE ${STAGE_DIR}/VRX_L.chm ${OUTPUT})
