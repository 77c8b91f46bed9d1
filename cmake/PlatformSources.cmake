# vx_platform_sources(<out-var> <file>...): the sources of a subsystem for the
# platform being built. A unit X.cpp whose Windows twin win32/X.cpp exists is
# replaced by the twin in a Windows build; both implement the one header X.h.
function(vx_platform_sources out)
  set(sources "")
  foreach(file IN LISTS ARGN)
    if(WIN32 AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/win32/${file})
      list(APPEND sources win32/${file})
    else()
      list(APPEND sources ${file})
    endif()
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()
