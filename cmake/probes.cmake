# Probes of what the toolchain can build, made so that they neither crash nor
# flatter it:
#   records_probe(VAR SOURCE [FLAGS string] [LINK_OPTIONS options...])
# VAR is true when SOURCE compiles with FLAGS and links with LINK_OPTIONS
# without a single warning, and, where programs of the target can be run here,
# natively or through CMAKE_CROSSCOMPILING_EMULATOR, when it also runs: one
# build, then one run. A warning fails the probe because a linker that ignores
# an option ("-z pack-relative-relocs ignored") still links. Cross-compiling
# with no emulator, nothing is run: CMake 3.25 crashes on a probe it cannot
# run, and later versions stop configure. records_probes_run says which case
# this is. The answer is cached, and one given with -DVAR=... stands; what each
# build said is kept in CMakeFiles/records-probes.log.

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(records_probes_run FALSE)
else()
  set(records_probes_run TRUE)
endif()

function(records_probe var source)
  if(DEFINED ${var})
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 2 probe "" "FLAGS" "LINK_OPTIONS")
  message(CHECK_START "Probing ${var}")
  set(folder ${PROJECT_BINARY_DIR}/CMakeFiles/records-probes)
  file(WRITE ${folder}/probe.cxx "${source}\n")
  set(build CMAKE_FLAGS "-DCOMPILE_DEFINITIONS:STRING=${probe_FLAGS}" LINK_OPTIONS ${probe_LINK_OPTIONS})
  if(records_probes_run)
    try_run(ran built ${folder} ${folder}/probe.cxx ${build} COMPILE_OUTPUT_VARIABLE output)
  else()
    try_compile(built ${folder} ${folder}/probe.cxx ${build} OUTPUT_VARIABLE output)
    set(ran 0)
  endif()
  if(built AND ran EQUAL 0 AND NOT output MATCHES "[Ww]arning")
    set(result TRUE)
    message(CHECK_PASS "yes")
  else()
    set(result FALSE)
    message(CHECK_FAIL "no")
  endif()
  file(APPEND ${PROJECT_BINARY_DIR}/CMakeFiles/records-probes.log
       "${var}: ${result} (built: ${built}, ran: ${ran})\n${source}\n${output}\n\n")
  set(${var} ${result} CACHE INTERNAL "records-demo probe: ${source}")
endfunction()
