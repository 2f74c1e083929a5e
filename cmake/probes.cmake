# Probes of what the toolchain can build, made so that they neither crash nor
# flatter it:
#   records_can_run(VAR)        whether the target's programs can be run here,
#                               natively or through CMAKE_CROSSCOMPILING_EMULATOR
#   records_check_run(OPTIONS)  stops configure, saying why, when a plain program
#                               built with these compile and link options cannot
#                               be run here although an emulator is named
#   records_probe(VAR SOURCE [COMPILE_OPTIONS options...] [LINK_OPTIONS options...])
# VAR is true when SOURCE compiles and links with those options without a
# single warning and, where programs of the target can be run here, when it
# also runs: one build, then one run. A warning fails the probe because a linker
# that ignores an option ("-z pack-relative-relocs ignored") still links.
# Cross-compiling with no emulator, nothing is run: CMake 3.25 crashes on a
# probe it cannot run, and later versions stop configure. An emulator that
# cannot run a plain program stops configure before any probe, so that no probe
# counts its failure as a "no". The answer is cached, and one given with
# -DVAR=... stands; what each build said is kept in CMakeFiles/records-probes.log.

function(records_can_run var)
  if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(${var} FALSE PARENT_SCOPE)
  else()
    set(${var} TRUE PARENT_SCOPE)
  endif()
endfunction()

# Builds SOURCE and, where it can, runs it: sets built, ran (its exit status,
# or 0 when nothing was run), output (the build's), and printed and said (what
# the run wrote on standard output and on standard error).
function(records_build_and_run name source)
  cmake_parse_arguments(PARSE_ARGV 2 probe "" "" "COMPILE_OPTIONS;LINK_OPTIONS")
  set(folder ${PROJECT_BINARY_DIR}/CMakeFiles/records-probes)
  file(WRITE ${folder}/${name}.cxx "${source}\n")
  set(build COMPILE_DEFINITIONS ${probe_COMPILE_OPTIONS} LINK_OPTIONS ${probe_LINK_OPTIONS})
  records_can_run(can_run)
  set(printed "")
  set(said "")
  if(can_run)
    try_run(ran built ${folder} ${folder}/${name}.cxx ${build} COMPILE_OUTPUT_VARIABLE output
            RUN_OUTPUT_STDOUT_VARIABLE printed RUN_OUTPUT_STDERR_VARIABLE said)
  else()
    try_compile(built ${folder} ${folder}/${name}.cxx ${build} OUTPUT_VARIABLE output)
    set(ran 0)
  endif()
  foreach(result IN ITEMS built ran output printed said)
    set(${result} "${${result}}" PARENT_SCOPE)
  endforeach()
endfunction()

function(records_check_run)
  cmake_parse_arguments(PARSE_ARGV 0 probe "" "" "COMPILE_OPTIONS;LINK_OPTIONS")
  records_can_run(can_run)
  if(NOT can_run)
    return()
  endif()
  # The C library alone, which every target's programs find: with the
  # toolchain's default link a C++ runtime may be a shared library that the
  # emulator is not told where to find (MinGW's DLLs under Wine).
  records_build_and_run(plain "#include <cstdio>\nint main() { std::puts(\"1\"); }"
                        COMPILE_OPTIONS ${probe_COMPILE_OPTIONS} LINK_OPTIONS ${probe_LINK_OPTIONS})
  if(NOT built)
    message(FATAL_ERROR "records-demo: ${CMAKE_CXX_COMPILER} cannot build a plain program "
                        "with ${probe_COMPILE_OPTIONS} ${probe_LINK_OPTIONS}:\n${output}")
  endif()
  # An emulator may say something as it sets itself up (Wine, making its
  # prefix); what the program printed is what counts.
  string(STRIP "${printed}" printed)
  if(ran EQUAL 0 AND printed STREQUAL "1")
    return()
  endif()
  string(STRIP "${printed}\n${said}" said)
  if(said STREQUAL "")
    set(said "nothing")
  endif()
  if(NOT CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "records-demo: a plain program built here does not run here (status ${ran}); it said: ${said}")
  endif()
  list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 command)
  set(hint "")
  if(command MATCHES " " AND NOT EXISTS "${command}")
    string(REPLACE " " ";" words "${command}")
    set(hint " It is one word with spaces: give the command and its arguments as a list (\"${words}\").")
  endif()
  message(FATAL_ERROR
    "records-demo: the emulator \"${CMAKE_CROSSCOMPILING_EMULATOR}\" cannot run a plain ${CMAKE_SYSTEM_NAME} "
    "${CMAKE_SYSTEM_PROCESSOR} program here (status ${ran}); it said: ${said}.${hint} "
    "To configure and build without running the target's programs (their end-to-end checks are then disabled), "
    "give none: -DCMAKE_CROSSCOMPILING_EMULATOR=")
endfunction()

function(records_probe var source)
  if(DEFINED ${var})
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 2 probe "" "" "COMPILE_OPTIONS;LINK_OPTIONS")
  message(CHECK_START "Probing ${var}")
  records_build_and_run(probe "${source}" COMPILE_OPTIONS ${probe_COMPILE_OPTIONS} LINK_OPTIONS ${probe_LINK_OPTIONS})
  if(built AND ran EQUAL 0 AND NOT output MATCHES "[Ww]arning")
    set(result TRUE)
    message(CHECK_PASS "yes")
  else()
    set(result FALSE)
    message(CHECK_FAIL "no")
  endif()
  file(APPEND ${PROJECT_BINARY_DIR}/CMakeFiles/records-probes.log
       "${var}: ${result} (built: ${built}, ran: ${ran})\n${source}\n${output}\n${printed}${said}\n\n")
  set(${var} ${result} CACHE INTERNAL "records-demo probe: ${source}")
endfunction()
