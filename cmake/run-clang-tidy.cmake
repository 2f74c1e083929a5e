# Runs clang-tidy, passing on all it says but its count of what it set aside in headers not ours
# ("N warnings generated."), which is all a clean run prints, and reads like a failure.
#   cmake -P run-clang-tidy.cmake -- CLANG_TIDY ARGUMENTS...
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE 4 ${last})
  list(APPEND command "${CMAKE_ARGV${i}}")
endforeach()
execute_process(COMMAND ${command} RESULT_VARIABLE status ERROR_VARIABLE errors)
# Each count goes with the line break before it, so adjacent ones all go.
string(REGEX REPLACE "\n[0-9]+ (warnings?|errors?)( and [0-9]+ errors?)? generated\\." ""
       errors "\n${errors}")
string(STRIP "${errors}" errors)
if(NOT errors STREQUAL "")
  message("${errors}")
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "clang-tidy: ${status}")
endif()
