# Checks that a shared library exports exactly the names its export list gives.
# Linux: the dynamic symbols that nm lists against the "global:" part of the
# linker version script.
#   cmake -DLIBRARY=<lib.so> -DMAP=<exports.map> -DNM=<nm> -P CheckExports.cmake
# Windows: the export table that objdump -p prints against the EXPORTS of the
# module-definition file.
#   cmake -DLIBRARY=<Vexoglyph.DLL> -DDEF=<vexoglyph.def> -DOBJDUMP=<objdump> -P CheckExports.cmake
include(${CMAKE_CURRENT_LIST_DIR}/ScriptSupport.cmake)
if(DEFINED DEF)
  vx_require_arguments(CheckExports LIBRARY DEF OBJDUMP)
else()
  vx_require_arguments(CheckExports LIBRARY MAP NM)
endif()

if(DEFINED DEF)
  # The names the definition file exports: the first word of each line
  # after EXPORTS ("_Form1 = Form1 DATA" exports _Form1).
  file(STRINGS "${DEF}" lines)
  set(wanted "")
  set(in_exports FALSE)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ";.*" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "")
      continue()
    elseif(line MATCHES "^EXPORTS")
      set(in_exports TRUE)
    elseif(in_exports AND line MATCHES "^([^ \t=]+)")
      list(APPEND wanted "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set(source "${DEF}")
else()
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
  set(source "${MAP}")
endif()
list(SORT wanted)
list(REMOVE_DUPLICATES wanted)

set(defined "")
if(DEFINED DEF)
  vx_tool_output(CheckExports table "${LIBRARY}" "${OBJDUMP}" -p)
  # The name table follows "[Ordinal/Name Pointer] Table", one "[ n] name" a line.
  if(NOT table MATCHES "\\[Ordinal/Name Pointer\\] Table\n(.*)")
    message(FATAL_ERROR "CheckExports: ${LIBRARY} has no export name table")
  endif()
  string(REGEX MATCHALL "[^\n]*\n" lines "${CMAKE_MATCH_1}")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*\\[ *[0-9]+\\] ([^ \t\n]+)")
      list(APPEND defined "${CMAKE_MATCH_1}")
    else()
      break()
    endif()
  endforeach()
else()
  vx_tool_output(CheckExports table "${LIBRARY}" "${NM}" -D --defined-only)
  # Lines read "<address> <type> <name>[@version]".
  string(REGEX MATCHALL "[^\n]+" lines "${table}")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[0-9a-fA-F]* *[A-Za-z] +([^ @]+)")
      list(APPEND defined "${CMAKE_MATCH_1}")
    endif()
  endforeach()
endif()
list(SORT defined)
list(REMOVE_DUPLICATES defined)

set(missing ${wanted})
list(REMOVE_ITEM missing ${defined})
set(extra ${defined})
list(REMOVE_ITEM extra ${wanted})
if(missing OR extra)
  message(FATAL_ERROR "CheckExports: ${LIBRARY} does not match ${source}\n"
                      "  missing: ${missing}\n  not in the list: ${extra}")
endif()
list(LENGTH wanted n)
message(STATUS "CheckExports: exactly the ${n} names of ${source} are exported")
