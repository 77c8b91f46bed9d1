# vx_platform_sources(<out-var> <file>...): the sources of a subsystem for the
# platform being built. A unit X.cpp (or folder/X.cpp) whose Windows twin
# win32/X.cpp (folder/win32/X.cpp) exists is replaced by the twin in a Windows
# build; both implement the one header X.h.
function(vx_platform_sources out)
  set(sources "")
  foreach(file IN LISTS ARGN)
    cmake_path(GET file PARENT_PATH folder)
    cmake_path(GET file FILENAME name)
    if(folder)
      set(twin ${folder}/win32/${name})
    else()
      set(twin win32/${name})
    endif()
    if(WIN32 AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${twin})
      list(APPEND sources ${twin})
    else()
      list(APPEND sources ${file})
    endif()
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()
