# What the toolchain builds for, as it says (never what this machine is); how its programs run.

macro(records_gnu_like var)
  set(${var} FALSE)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU"
     OR (CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND CMAKE_CXX_COMPILER_FRONTEND_VARIANT STREQUAL "GNU"))
    set(${var} TRUE)
  endif()
endmacro()

# FAMILY: elf (g++ or clang++ for Linux), mingw (MinGW-w64 g++), or empty (CMake's defaults). TARGET:
# the compiler's own, less the vendor (compilers differ there); or empty.
function(records_toolchain family_var target_var)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpmachine OUTPUT_VARIABLE target
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    set(target "")
  endif()
  string(REGEX REPLACE "^([^-]+)-(pc|unknown)-" "\\1-" target "${target}")
  set(${target_var} "${target}" PARENT_SCOPE)
  records_gnu_like(gnu_like)
  set(${family_var} "" PARENT_SCOPE)
  if(gnu_like AND CMAKE_EXECUTABLE_FORMAT STREQUAL "ELF" AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(${family_var} elf PARENT_SCOPE)
  elseif(MINGW AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set(${family_var} mingw PARENT_SCOPE)
  endif()
endfunction()

macro(records_can_run var)
  set(${var} TRUE)
  if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(${var} FALSE)
  endif()
endmacro()

# Where COMPILER finds the target's C library (/usr/TRIPLE), and qemu its loader; or empty.
function(records_target_root compiler var)
  execute_process(COMMAND ${compiler} -print-file-name=libc.so.6 OUTPUT_VARIABLE libc
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  set(root "")
  if(IS_ABSOLUTE "${libc}")
    get_filename_component(root "${libc}/../.." ABSOLUTE)
  endif()
  set(${var} "${root}" PARENT_SCOPE)
endfunction()

# The NAME=VALUE items the target's programs need here, set for configure's probes too. Wine's files
# stay in the build tree (its menu builder would write desktop entries in the home); no Wine reports.
function(records_run_environment binary_dir var)
  set(${var} "" PARENT_SCOPE)
  if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows" OR NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  set(runtime ${binary_dir}/wine-runtime)
  file(MAKE_DIRECTORY ${runtime})
  file(CHMOD ${runtime} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  set(environment WINEPREFIX=${binary_dir}/wine-prefix WINEDEBUG=-all XDG_RUNTIME_DIR=${runtime}
                  WINEDLLOVERRIDES=winemenubuilder.exe=d)
  foreach(setting IN LISTS environment)
    string(REGEX MATCH "^([^=]+)=(.*)$" setting "${setting}")
    set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
  endforeach()
  set(${var} "${environment}" PARENT_SCOPE)
endfunction()
