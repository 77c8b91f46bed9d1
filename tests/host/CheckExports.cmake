# Checks that a shared library defines exactly the dynamic symbols named in the
# "global:" part of its linker version script.
# Usage: cmake -DLIBRARY=<lib.so> -DMAP=<exports.map> -DNM=<nm> -P CheckExports.cmake
foreach(var LIBRARY MAP NM)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckExports: ${var} not given")
  endif()
endforeach()

# The names the map lets out: the entries between "global:" and "local:".
file(READ "${MAP}" map)
string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" "" map "${map}")  # /* comments */
string(REGEX REPLACE "#[^\n]*" "" map "${map}")                      # # comments
if(NOT map MATCHES "global:(.*)local:")
  message(FATAL_ERROR "CheckExports: no global: ... local: in ${MAP}")
endif()
string(REGEX MATCHALL "[^ \t\r\n;]+" wanted "${CMAKE_MATCH_1}")
foreach(name IN LISTS wanted)
  if(name MATCHES "[*?\\[\"]")
    message(FATAL_ERROR "CheckExports: pattern '${name}' in ${MAP}; list plain names only")
  endif()
endforeach()
list(SORT wanted)
list(REMOVE_DUPLICATES wanted)

execute_process(COMMAND "${NM}" -D --defined-only "${LIBRARY}"
  OUTPUT_VARIABLE table RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "CheckExports: ${NM} failed on ${LIBRARY}: ${errors}")
endif()
# Lines read "<address> <type> <name>[@version]".
string(REGEX MATCHALL "[^\n]+" lines "${table}")
set(defined "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-fA-F]* *[A-Za-z] +([^ @]+)")
    list(APPEND defined "${CMAKE_MATCH_1}")
  endif()
endforeach()
list(SORT defined)
list(REMOVE_DUPLICATES defined)

set(missing ${wanted})
list(REMOVE_ITEM missing ${defined})
set(extra ${defined})
list(REMOVE_ITEM extra ${wanted})
if(missing OR extra)
  message(FATAL_ERROR "CheckExports: ${LIBRARY} does not match ${MAP}\n"
                      "  missing: ${missing}\n  not in the map: ${extra}")
endif()
list(LENGTH wanted n)
message(STATUS "CheckExports: exactly the ${n} names of the map are defined")
