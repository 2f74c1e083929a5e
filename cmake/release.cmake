# The release build: how it links (release-link.cmake), then how it is
# hardened (release-hardening.cmake), each choice probed, all carried by one
# interface target that the program and the benchmark's floors link:
#   records_release(NAME CLAIMS REQUIRED FAMILY TARGET DEV [STDLIB options...])
# FAMILY and TARGET are records_toolchain's, DEV whether this is the developer
# build, STDLIB the standard library's options. It makes the interface target
# NAME, and sets CLAIMS and REQUIRED to the facts the link test reads off the
# program: those configure claims, and those it must find whatever configure
# chose. The developer build keeps the toolchain's defaults, since sanitizer
# runtimes cannot be linked statically: its NAME adds nothing, and it claims
# nothing.

include(${CMAKE_CURRENT_LIST_DIR}/release-link.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/release-hardening.cmake)

function(records_release name claims_var required_var family target dev)
  cmake_parse_arguments(PARSE_ARGV 6 arg "" "" "STDLIB")
  add_library(${name} INTERFACE)
  set(${claims_var} "" PARENT_SCOPE)
  set(${required_var} "" PARENT_SCOPE)
  if(dev)
    return()
  endif()

  # Flags given from outside (CXXFLAGS and LDFLAGS, or their CMake variables)
  # decide what they set.
  string(TOUPPER "${CMAKE_BUILD_TYPE}" type)
  set(packager "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${type}} ${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${type}}")
  records_release_link("${family}" "${packager}" compile link claims BASE ${arg_STDLIB})
  set(required "")
  if(family STREQUAL "elf")
    records_release_hardening("${target}" "${packager}" hardening hardening_claims required
      COMPILE_OPTIONS ${arg_STDLIB} ${compile} LINK_OPTIONS ${arg_STDLIB} ${link})
    list(APPEND compile ${hardening})
    list(APPEND claims ${hardening_claims})
  endif()
  target_compile_options(${name} INTERFACE ${compile})
  target_link_options(${name} INTERFACE ${link})
  set(${claims_var} ${claims} PARENT_SCOPE)
  set(${required_var} ${required} PARENT_SCOPE)
endfunction()
