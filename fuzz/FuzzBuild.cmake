# The fuzz build: only the core libraries the decoders live in, instrumented for libFuzzer with
# AddressSanitizer and UBSan, and one fuzz target per decoder of outside data (fuzz/). Included
# by the top-level list instead of the rest of the build when VRX_FUZZ is on.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "VRX_FUZZ needs clang (libFuzzer): -DCMAKE_CXX_COMPILER=clang++")
endif()

add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
  -fno-sanitize-recover=all)
add_link_options(-fsanitize=address,undefined)

include(cmake/CoreLibrary.cmake)
# Excluded from the default target: only the libraries the fuzz targets link are built.
foreach(dir src/model src/link src/image src/stamp src/session src/init src/current src/iface src/rq7
    src/service sim)
  add_subdirectory(${dir} EXCLUDE_FROM_ALL)
endforeach()
add_subdirectory(fuzz)
