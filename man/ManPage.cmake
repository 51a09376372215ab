# Writes a manual page from a written template: the line @HELP@ becomes the program's own
# --help text and the line @COMMANDS@ one subsection per command of the program's "commands:"
# list with that command's --help, so the reference part of the page follows the program.
#   cmake -DPROGRAM=path -DTEMPLATE=page.1.in -DVERSION=1.3 -DOUTPUT=page.1 -P ManPage.cmake

cmake_minimum_required(VERSION 3.25)

# Program text goes into the page as it prints, in no-fill mode: backslashes, leading dots and
# quotes are escaped, and dashes and quotes stay the ASCII characters a user can copy.
function(vrx_troff_verbatim text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REPLACE "'" "\\(aq" text "${text}")
  string(REPLACE "`" "\\(ga" text "${text}")
  string(REGEX REPLACE "(^|\n)\\." "\\1\\\\&." text "${text}")
  string(REGEX REPLACE "\n+$" "" text "${text}")
  set(${out} ".nf\n${text}\n.fi" PARENT_SCOPE)
endfunction()

function(vrx_program_help out)
  execute_process(COMMAND ${PROGRAM} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE status
    ENCODING UTF-8)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGN} --help exited with ${status}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

vrx_program_help(help)
file(READ ${TEMPLATE} page)
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
vrx_troff_verbatim("${help}" help_block)
string(REPLACE "@HELP@" "${help_block}" page "${page}")

if(page MATCHES "@COMMANDS@")
  # The command names are the first words of the indented lines under "commands:".
  string(REGEX MATCH "\ncommands:\n(  [^\n]*\n)+" listing "\n${help}")
  string(REGEX MATCHALL "\n  [^ \n]+" names "${listing}")
  if(NOT names)
    message(FATAL_ERROR "${PROGRAM} --help lists no commands")
  endif()
  list(TRANSFORM names REPLACE "^\n  " "")
  list(REMOVE_DUPLICATES names)
  set(commands "")
  foreach(name IN LISTS names)
    vrx_program_help(command_help ${name})
    vrx_troff_verbatim("${command_help}" command_block)
    string(REPLACE "-" "\\-" title "${name}")
    string(APPEND commands ".SS ${title}\n${command_block}\n")
  endforeach()
  string(REGEX REPLACE "\n$" "" commands "${commands}")
  string(REPLACE "@COMMANDS@" "${commands}" page "${page}")
endif()

file(WRITE ${OUTPUT} "${page}")
