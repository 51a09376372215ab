# The folders of src/ are layers: a file may include headers of its own folder and of the
# folders below it in the layer list, never of a folder above it, and a core file (outside a
# views/ folder, and outside the programs' folders app and cli) never includes widgets. The two
# programs' folders share only what lies below them: neither includes the other. The
# configure step checks the tree; the test suite runs this file as a script again, on src/ and
# on a planted upward include that it must refuse:
#   cmake -DVRX_SOURCE_DIR=DIR "-DVRX_SOURCE_LAYERS=a;b;c" -P cmake/IncludeLayers.cmake

function(vrx_check_include_layers source_dir layers)
  file(GLOB_RECURSE files RELATIVE ${source_dir} ${source_dir}/*.h ${source_dir}/*.cpp)
  set(errors "")
  foreach(file IN LISTS files)
    string(REGEX MATCH "^[^/]+" folder "${file}")
    list(FIND layers "${folder}" own)
    if(own EQUAL -1)
      list(APPEND errors "${file}: the folder ${folder} is not in the layer list")
      continue()
    endif()
    string(FIND "${file}" "/views/" in_views)
    file(STRINGS ${source_dir}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
      string(REGEX MATCH "^[^/]+" header_folder "${header}")
      list(FIND layers "${header_folder}" layer)
      # Headers outside src/ (the emulator's sim/) are not layers of it.
      if(layer EQUAL -1)
        continue()
      endif()
      if(layer GREATER own)
        list(APPEND errors "${file} includes ${header}: ${header_folder} is above ${folder}")
      elseif(folder MATCHES "^(app|cli)$" AND header_folder MATCHES "^(app|cli)$"
             AND NOT header_folder STREQUAL folder)
        list(APPEND errors "${file} includes ${header}: the programs app and cli share nothing")
      elseif(in_views EQUAL -1 AND NOT folder MATCHES "^(app|cli)$" AND header MATCHES "/views/")
        list(APPEND errors "${file} includes ${header}: the core of ${folder} includes widgets")
      endif()
    endforeach()
  endforeach()
  if(errors)
    list(JOIN errors "\n  " text)
    message(FATAL_ERROR "Includes against the layers of ${source_dir}:\n  ${text}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
  vrx_check_include_layers("${VRX_SOURCE_DIR}" "${VRX_SOURCE_LAYERS}")
endif()
