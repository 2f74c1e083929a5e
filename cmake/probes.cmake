# Probes of what the toolchain can build, made so that they neither crash nor
# flatter it:
#   records_probe(VAR SOURCE)
# VAR is true when SOURCE compiles with CMAKE_REQUIRED_FLAGS and links with
# CMAKE_REQUIRED_LINK_OPTIONS without a single warning, and, where programs of
# the target can be run here, natively or through CMAKE_CROSSCOMPILING_EMULATOR,
# when it also runs. A warning fails the probe because a linker that ignores an
# option ("-z pack-relative-relocs ignored") still links. Cross-compiling with
# no emulator, nothing is run: CMake 3.25 crashes on a probe it cannot run, and
# later versions stop configure. records_probes_run says which case this is.
# An answer given with -DVAR=... stands.

include(CheckCXXSourceCompiles)
include(CheckCXXSourceRuns)

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(records_probes_run FALSE)
else()
  set(records_probes_run TRUE)
endif()

macro(records_probe var source)
  check_cxx_source_compiles("${source}" ${var}_LINKS FAIL_REGEX "[Ww]arning")
  if(NOT ${var}_LINKS)
    set(${var} FALSE)
  elseif(records_probes_run)
    check_cxx_source_runs("${source}" ${var})
  elseif(NOT DEFINED ${var})
    set(${var} TRUE)
  endif()
endmacro()
