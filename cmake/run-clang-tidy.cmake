# Runs clang-tidy and passes on all it says but its count of the diagnostics it
# found and set aside in headers that are not ours ("N warnings generated.", or
# "N warnings and M errors generated."): on a clean run that count is all it
# would print, and it reads like a failure. A finding is shown all the same.
#   cmake -P run-clang-tidy.cmake -- CLANG_TIDY ARGUMENTS...

set(command "")
set(past_separator FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(past_separator)
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "--")
    set(past_separator TRUE)
  endif()
endforeach()

# Findings go to standard output, passed straight through; the counts go to
# standard error, among anything else that is worth seeing.
execute_process(COMMAND ${command} RESULT_VARIABLE status ERROR_VARIABLE errors)
# Each count is taken with the line break before it, so counts on adjacent lines
# all go in one pass.
string(REGEX REPLACE "\n[0-9]+ (warnings?|errors?)( and [0-9]+ errors?)? generated\\." "" errors "\n${errors}")
string(STRIP "${errors}" errors)
if(NOT errors STREQUAL "")
  message("${errors}")
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "clang-tidy: ${status}")
endif()
