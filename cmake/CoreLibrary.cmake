# Core libraries hold the instrument logic and may use the standard library and QtCore only.
# They are registered here so the build can refuse a core library that pulls in a GUI module.
set_property(GLOBAL PROPERTY VRX_CORE_LIBRARIES "")

function(vrx_core_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY VRX_CORE_LIBRARIES ${name})
endfunction()

function(vrx_check_core_libraries)
  get_property(cores GLOBAL PROPERTY VRX_CORE_LIBRARIES)
  foreach(core IN LISTS cores)
    get_target_property(libs ${core} LINK_LIBRARIES)
    if(libs)
      foreach(lib IN LISTS libs)
        if(lib MATCHES "Qt6?::(Widgets|Gui)")
          message(FATAL_ERROR "core library ${core} must not link ${lib}")
        endif()
        if(TARGET ${lib})
          get_target_property(view ${lib} VRX_VIEW_LIBRARY)
          if(view)
            message(FATAL_ERROR "core library ${core} must not link the view library ${lib}")
          endif()
        endif()
      endforeach()
    endif()
  endforeach()
endfunction()

# View libraries hold the widgets of a subsystem; they may use everything the core may, plus
# QtGui and QtWidgets.
function(vrx_view_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC Qt6::Widgets)
  set_target_properties(${name} PROPERTIES VRX_VIEW_LIBRARY TRUE)
endfunction()
