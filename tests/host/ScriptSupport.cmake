# Helpers of the checking scripts that run as `cmake -P`: arguments they need, and a tool's output.

# vx_require_arguments(<script> <var>...): stops, naming the first variable not given with -D.
function(vx_require_arguments script)
  foreach(var IN LISTS ARGN)
    if(NOT DEFINED ${var})
      message(FATAL_ERROR "${script}: ${var} not given")
    endif()
  endforeach()
endfunction()

# vx_tool_output(<script> <out-var> <file> <tool> <arg>...): what `<tool> <arg>... <file>`
# prints; stops with the tool's errors when it fails.
function(vx_tool_output script out file tool)
  execute_process(COMMAND "${tool}" ${ARGN} "${file}"
    OUTPUT_VARIABLE output RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${script}: ${tool} failed on ${file}: ${errors}")
  endif()
  set(${out} "${output}" PARENT_SCOPE)
endfunction()
