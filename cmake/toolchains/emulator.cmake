# records_use_emulator(TARGET [ARGS...]): CMAKE_CROSSCOMPILING_EMULATOR, unless given (empty: none),
# is what scripts/emulator finds for TARGET, then ARGS; with none found configure stops, so a preset
# never passes without its checks. RECORDS_WITHOUT_WINE gives none.
function(records_use_emulator target)
  # A probe's own project is run through its caller's emulator.
  get_property(in_try_compile GLOBAL PROPERTY IN_TRY_COMPILE)
  if(in_try_compile OR DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  elseif(target STREQUAL "windows" AND NOT "$ENV{RECORDS_WITHOUT_WINE}" STREQUAL "")
    message(STATUS "records-demo: no Wine: $ENV{RECORDS_WITHOUT_WINE} (RECORDS_WITHOUT_WINE)")
  else()
    execute_process(COMMAND bash ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../../scripts/emulator ${target}
                    OUTPUT_VARIABLE emulator OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_VARIABLE why
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      string(REGEX REPLACE "^emulator: |\n$" "" why "${why}")
      message(FATAL_ERROR "records-demo: ${why}. Install it (bash scripts/prerequisites ${target}), "
                          "or configure without running the target's programs: -DCMAKE_CROSSCOMPILING_EMULATOR=")
    endif()
    set(emulator ${emulator} ${ARGN})
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR "${emulator}" CACHE STRING "Runs the target's programs here")
endfunction()
