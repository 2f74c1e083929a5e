# How the release is hardened as it compiles: much as Debian's dpkg-buildflags
# hardens packages with hardening=+all, so the program stands beside the ones
# Debian ships (format-string checks aside: the program has no format strings).
#   stack protector (strong)   a canary checked on return from any function
#                              with an array or an address-taken local
#   _FORTIFY_SOURCE            the C library's checked string and memory calls;
#                              level 3 where the compiler and C library have it,
#                              2 otherwise; only in configurations that optimise
#   stack clash protection     a large stack allocation touches each page
#   control-flow protection    CET (IBT and shadow stack) on x86, branch
#                              protection (BTI and PAC) on arm64
# Each is probed, compiled and linked the way the release links, and kept where
# it works without a warning. A packager's own flags (CXXFLAGS, or
# CMAKE_CXX_FLAGS) that set one of these, on or off, are left to decide it.
# Only the ELF targets are hardened this way: the Windows build keeps the ASLR
# and DEP it links with.
#
# A probe can say "no" for a reason of its own (a new compiler's warning), and
# an answer given with -DVAR=OFF stands. So that hardening is never lost
# quietly, where the toolchain is one the project supports, Debian's g++ for
# x86-64 or arm64, every feature that no packager's flag decided is required:
# the link test fails on a release that lacks one, however it came to.
#   records_release_hardening(TARGET PACKAGER_FLAGS COMPILE CLAIMS REQUIRED
#                             [COMPILE_OPTIONS options...] [LINK_OPTIONS options...])
# TARGET is records_toolchain's; COMPILE_OPTIONS and LINK_OPTIONS those the
# release compiles and links with so far; PACKAGER_FLAGS the compile flags given
# from outside. It
# sets COMPILE to the options it adds, CLAIMS to the facts the link test reads
# off the program and the hardening witness, and REQUIRED to the facts it must
# read there whatever configure chose.

include(${CMAKE_CURRENT_LIST_DIR}/probes.cmake)

# A step of the table in records_release_hardening: applies OPTIONS where they
# build and run the probe cleanly; NAME is how configure describes them,
# PACKAGER what in the packager's flags means that they are decided there, FACT
# the fact the link test reads. It reads and extends that function's own
# compile, claims, required, hardened and packagers.
macro(records_harden var fact name packager)
  if(packager_flags MATCHES "${packager}")
    list(APPEND packagers "${name}")
  else()
    if(known)
      list(APPEND required ${fact})
    endif()
    records_probe(${var} "${probe}" COMPILE_OPTIONS ${arg_COMPILE_OPTIONS} ${compile} ${ARGN}
                  LINK_OPTIONS ${arg_LINK_OPTIONS})
    if(${var})
      list(APPEND compile ${ARGN})
      list(APPEND claims ${fact})
      list(APPEND hardened "${name}")
    endif()
  endif()
endmacro()

# The configurations whose flags optimise (an -O other than -O0 last): only
# there does _FORTIFY_SOURCE do anything.
function(records_optimising_configs var)
  get_property(multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
  if(multi_config)
    set(configs ${CMAKE_CONFIGURATION_TYPES})
  else()
    set(configs ${CMAKE_BUILD_TYPE})
  endif()
  set(optimising "")
  foreach(config IN LISTS configs)
    string(TOUPPER "${config}" upper)
    string(REGEX MATCHALL "(^| )-O[^ ]*" levels "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${upper}}")
    set(last "")
    if(levels)
      list(POP_BACK levels last)
    endif()
    if(last MATCHES "-O" AND NOT last MATCHES "-O0$")
      list(APPEND optimising ${config})
    endif()
  endforeach()
  set(${var} ${optimising} PARENT_SCOPE)
endfunction()

function(records_release_hardening target packager_flags compile_var claims_var required_var)
  cmake_parse_arguments(PARSE_ARGV 5 arg "" "" "COMPILE_OPTIONS;LINK_OPTIONS")
  set(compile "")
  set(claims "")
  set(required "")
  set(hardened "")
  set(packagers "")
  set(known FALSE)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND target MATCHES "^(x86_64|aarch64)-linux-gnu$")
    set(known TRUE)
  endif()
  set(probe "#include <iostream>\nint main() { std::cout << 1 << std::endl; }")

  records_harden(RECORDS_HARDEN_STACK_PROTECTOR stack-protector "stack protector (strong)" "-f(no-)?stack-protector"
    -fstack-protector-strong)
  records_harden(RECORDS_HARDEN_STACK_CLASH stack-clash "stack clash protection" "-f(no-)?stack-clash-protection"
    -fstack-clash-protection)
  set(control_flow "-fcf-protection|-mbranch-protection")
  if(target MATCHES "^(x86_64|i[3-6]86)-")
    records_harden(RECORDS_HARDEN_CET control-flow "control-flow protection (CET)" "${control_flow}"
      -fcf-protection)
  elseif(target MATCHES "^aarch64-")
    records_harden(RECORDS_HARDEN_BRANCH_PROTECTION control-flow "control-flow protection (BTI and PAC)"
      "${control_flow}" -mbranch-protection=standard)
  endif()

  # _FORTIFY_SOURCE is a request that the C library may meet at a lower level,
  # or not at all: the probe asks glibc which level it took, with optimisation
  # on, since it fortifies nothing without.
  records_optimising_configs(optimising)
  string(JOIN "," optimising ${optimising})
  if(packager_flags MATCHES "_FORTIFY_SOURCE")
    list(APPEND packagers "_FORTIFY_SOURCE")
  elseif(optimising)
    if(known)
      list(APPEND required "$<$<CONFIG:${optimising}>:fortify>")
    endif()
    set(fortify "#include <cstdio>\n#if !defined(__USE_FORTIFY_LEVEL) || __USE_FORTIFY_LEVEL < @level@\n#error\n#endif\nint main() { std::puts(\"1\"); }")
    foreach(level IN ITEMS 3 2)
      string(REPLACE @level@ ${level} source "${fortify}")
      records_probe(RECORDS_HARDEN_FORTIFY_${level} "${source}"
        COMPILE_OPTIONS ${arg_COMPILE_OPTIONS} ${compile} -O2 -D_FORTIFY_SOURCE=${level} LINK_OPTIONS ${arg_LINK_OPTIONS})
      if(RECORDS_HARDEN_FORTIFY_${level})
        list(APPEND compile $<$<CONFIG:${optimising}>:-D_FORTIFY_SOURCE=${level}>)
        list(APPEND claims "$<$<CONFIG:${optimising}>:fortify>")
        list(APPEND hardened "_FORTIFY_SOURCE=${level}")
        break()
      endif()
    endforeach()
  endif()

  string(JOIN ", " said ${hardened})
  if(said STREQUAL "")
    set(said "nothing")
  endif()
  if(packagers)
    string(JOIN ", " packagers ${packagers})
    string(APPEND said "; as the packager's flags set them: ${packagers}")
  endif()
  message(STATUS "records-demo: the release compiles with ${said}")
  set(${compile_var} ${compile} PARENT_SCOPE)
  set(${claims_var} ${claims} PARENT_SCOPE)
  set(${required_var} ${required} PARENT_SCOPE)
endfunction()
