# How the release is hardened as it compiles: as Debian's dpkg-buildflags
# hardens every package, so the program stands beside the ones Debian ships.
#   stack protector (strong)   a canary checked on return from any function
#                              with an array or an address-taken local
#   _FORTIFY_SOURCE            the C library's checked string and memory calls;
#                              level 3 where the compiler and C library have it,
#                              2 otherwise; only where the build optimises
#   stack clash protection     a large stack allocation touches each page
#   control-flow protection    CET (IBT and shadow stack) on x86-64, branch
#                              protection (BTI and PAC) on arm64
# Each is probed, compiled and linked the way the release links, and kept where
# it works without a warning. A packager's own flags (CXXFLAGS, or
# CMAKE_CXX_FLAGS) that set one of these, on or off, are left to decide it.
# The options join the release's compile options, so the benchmark's floors are
# built the same way; the facts that can be read off an object file are
# claimed for the link test. Only the ELF targets are hardened this way: the
# Windows build keeps the ASLR and DEP it links with.

if(NOT records_target_family STREQUAL "elf")
  return()
endif()

string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
set(packager_flags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}")
set(hardened "")
set(packagers "")

# Applies OPTIONS where they build and run the probe cleanly: NAME is how
# configure describes them, PACKAGER what in the packager's flags means that
# they are decided there, CLAIM the fact the link test reads ("-" for none).
# (records_try_source, records_try_link and records_claim are the link's:
# release-linking.cmake.)
macro(records_harden var name packager claim)
  if(packager_flags MATCHES "${packager}")
    list(APPEND packagers "${name}")
  else()
    set(saved_compile_options ${records_release_compile_options})
    list(APPEND records_release_compile_options ${ARGN})
    records_try_link(${var})
    if(${var})
      list(APPEND hardened "${name}")
      records_claim(${claim})
    else()
      set(records_release_compile_options ${saved_compile_options})
    endif()
  endif()
endmacro()

records_harden(RECORDS_HARDEN_STACK_PROTECTOR "stack protector (strong)" "-f(no-)?stack-protector" stack-protector
  -fstack-protector-strong)
records_harden(RECORDS_HARDEN_STACK_CLASH "stack clash protection" "-f(no-)?stack-clash-protection" -
  -fstack-clash-protection)
records_harden(RECORDS_HARDEN_CET "control-flow protection (CET)" "-fcf-protection|-mbranch-protection" control-flow
  -fcf-protection)
if(NOT RECORDS_HARDEN_CET)
  records_harden(RECORDS_HARDEN_BRANCH_PROTECTION "control-flow protection (BTI and PAC)"
    "-fcf-protection|-mbranch-protection" control-flow -mbranch-protection=standard)
endif()

# _FORTIFY_SOURCE is a request that the C library may meet at a lower level, or
# not at all: the probe asks glibc which level it took, with optimisation on,
# since it fortifies nothing without.
set(probe_for_fortify "#include <cstdio>\n#if !defined(__USE_FORTIFY_LEVEL) || __USE_FORTIFY_LEVEL < @level@\n#error\n#endif\nint main() { std::puts(\"1\"); }")
if(packager_flags MATCHES "_FORTIFY_SOURCE")
  list(APPEND packagers "_FORTIFY_SOURCE")
else()
  set(saved_compile_options ${records_release_compile_options})
  foreach(level IN ITEMS 3 2)
    string(REPLACE @level@ ${level} source "${probe_for_fortify}")
    set(records_release_compile_options ${saved_compile_options} -O2 -D_FORTIFY_SOURCE=${level})
    records_try_source(RECORDS_HARDEN_FORTIFY_${level} "${source}")
    set(records_release_compile_options ${saved_compile_options})
    if(RECORDS_HARDEN_FORTIFY_${level})
      list(APPEND records_release_compile_options $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=${level}>)
      list(APPEND hardened "_FORTIFY_SOURCE=${level}")
      break()
    endif()
  endforeach()
endif()

string(JOIN ", " hardened ${hardened})
if(hardened STREQUAL "")
  set(hardened "nothing")
endif()
if(packagers)
  string(JOIN ", " packagers ${packagers})
  string(APPEND hardened "; as the packager's flags set them: ${packagers}")
endif()
message(STATUS "records-demo: the release compiles with ${hardened}")
