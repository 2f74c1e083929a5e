# Sets CMAKE_CROSSCOMPILING_EMULATOR to what scripts/emulator finds for TARGET
# (arm64 or windows), followed by ARGS, unless it was given (an empty value
# means none: the build is then configured and built, and not run). Without an
# emulator, configure still completes: its probes then link and do not run.
#   records_use_emulator(TARGET [ARGS...])

function(records_use_emulator target)
  if(DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  # With none here, configure says so once, as it disables the checks.
  execute_process(COMMAND bash ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../../scripts/emulator ${target}
                  OUTPUT_VARIABLE emulator OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE status)
  if(status EQUAL 0)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${emulator} ${ARGN} CACHE STRING "Runs the target's programs here")
  endif()
endfunction()
