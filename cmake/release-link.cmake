# How the release links. A run is almost all process start-up, so it links
# everything statically: no dynamic loader, no shared C++ runtime to load and
# relocate, and, on Windows, no MinGW runtime DLL that a machine may lack.
#
# ELF targets (Linux; g++ or clang++): a static position-independent executable
# (static-pie), loaded at a random address like any hardened Debian program,
# whose unwinder finds the exception tables through the program headers, where a
# plain static executable registers them as it starts (libgcc 13 and later walk
# every entry of them then: a run costs about four times as much;
# docs/startup.md has the figures).
# Packed relative relocations (DT_RELR) keep the self-relocation a static-pie
# does as it starts short; full RELRO makes the relocated data read-only;
# dropping unused sections keeps the image, and so the memory a run touches,
# small. Where one choice fails it falls back (static, then a static C++
# runtime, then the toolchain's default). A packager's flags that ask for no
# PIE (dpkg's no-pie specs, -no-pie, -fno-PIE) are honoured: the link is then a
# plain static one.
#
# Windows (MinGW-w64 g++): static, with ASLR (a relocatable image, 64-bit
# addresses) and DEP asked of the linker, not left to its defaults, and no link
# time in the image, so that the same sources give the same program.
#
# Another toolchain, or another kind of executable, gets CMake's defaults and a
# line saying so. Configure says which link it chose, and how it knows.
#   records_release_link(FAMILY PACKAGER_FLAGS COMPILE LINK CLAIMS [BASE options...])
# FAMILY is records_toolchain's; BASE the options every program of the build
# compiles and links with (the standard library's); PACKAGER_FLAGS the flags
# given from outside (CXXFLAGS, LDFLAGS). It sets COMPILE and LINK to the
# options the release adds, and CLAIMS to the facts the link test reads off the
# program ("static-pie", "relr", ...).

include(${CMAKE_CURRENT_LIST_DIR}/probes.cmake)

# The steps of the table in records_release_link, each one line of it; they
# read and extend that function's own compile, link, claims and said.
#   records_choose(VAR KIND DESCRIPTION [COMPILE options...] LINK options...)
# the kind of link, where it works and none was chosen before it; KIND is the
# fact it claims ("-" for none).
#   records_keep(VAR CLAIMS DESCRIPTION options...)
# a link option, kept where it works; CLAIMS the facts it claims ("-" for none).
macro(records_choose var kind description)
  cmake_parse_arguments(choice "" "" "COMPILE;LINK" ${ARGN})
  if(chosen STREQUAL "")
    records_probe(${var} "${probe}" COMPILE_OPTIONS ${arg_BASE} ${choice_COMPILE} LINK_OPTIONS ${arg_BASE} ${choice_LINK})
    if(${var})
      set(chosen ${kind})
      set(compile ${choice_COMPILE})
      set(link ${choice_LINK})
      set(said "${description}")
      list(APPEND claims ${kind})
    endif()
  endif()
endmacro()
macro(records_keep var facts description)
  records_probe(${var} "${probe}" COMPILE_OPTIONS ${arg_BASE} ${compile} LINK_OPTIONS ${arg_BASE} ${link} ${ARGN})
  if(${var})
    list(APPEND link ${ARGN})
    list(APPEND claims ${facts})
    string(APPEND said ", ${description}")
  endif()
endmacro()

function(records_release_link family packager_flags compile_var link_var claims_var)
  cmake_parse_arguments(PARSE_ARGV 5 arg "" "" "BASE")
  set(compile "")
  set(link "")
  set(claims "")
  set(chosen "")
  set(said "as the toolchain does by default (nothing static here; much slower start-up)")
  set(probe "#include <iostream>\nint main() { std::cout << 1 << std::endl; }")
  if(NOT family)
    message(STATUS "records-demo: ${CMAKE_CXX_COMPILER_ID} building for ${CMAKE_SYSTEM_NAME} has not been tried: "
                   "the release builds and links with CMake's defaults")
    return()
  endif()
  records_check_run(COMPILE_OPTIONS ${arg_BASE} LINK_OPTIONS ${arg_BASE})

  if(family STREQUAL "elf")
    set(static "static, not position independent (no static-pie here; slower start-up)")
    if(packager_flags MATCHES "no-pie|-fno-(PIE|pie)( |$)")
      set(static "static, not position independent (the packager's flags ask for no PIE)")
    else()
      records_choose(RECORDS_LINK_STATIC_PIE static-pie "static-pie" COMPILE -fPIE LINK -static-pie)
    endif()
    records_choose(RECORDS_LINK_STATIC static "${static}" LINK -static)
    records_choose(RECORDS_LINK_STATIC_RUNTIME dynamic
      "with a static C++ runtime and the shared C library (no static C library here; slower start-up)"
      LINK -static-libstdc++ -static-libgcc)
    # A plain static executable has no dynamic section: no relocations to pack,
    # no binding to make immediate. The linker takes these options there all
    # the same, and they do nothing.
    if(NOT chosen STREQUAL "static")
      records_keep(RECORDS_LINK_PACKED_RELOCS relr "packed relative relocations" -Wl,-z,pack-relative-relocs)
      records_keep(RECORDS_LINK_FULL_RELRO "relro;bind-now" "full RELRO" -Wl,-z,relro,-z,now)
    endif()
  else()
    records_choose(RECORDS_LINK_STATIC no-runtime-dll "static, no MinGW runtime DLL" LINK -static)
    records_choose(RECORDS_LINK_STATIC_RUNTIME -
      "with a static C++ runtime (a MinGW runtime DLL may remain; no static C runtime here)"
      LINK -static-libstdc++ -static-libgcc)
    records_keep(RECORDS_LINK_ASLR aslr "ASLR" -Wl,--dynamicbase)
    records_keep(RECORDS_LINK_HIGH_ENTROPY_VA high-entropy-va "64-bit ASLR" -Wl,--high-entropy-va)
    records_keep(RECORDS_LINK_DEP dep "DEP" -Wl,--nxcompat)
    # The linker writes the time of the link into the image unless told not
    # to, and the same sources would give a different program each time.
    records_keep(RECORDS_LINK_NO_TIMESTAMP - "no link time written" -Wl,--no-insert-timestamp)
  endif()
  records_keep(RECORDS_LINK_GC_SECTIONS - "unused sections dropped" -Wl,--gc-sections)

  records_can_run(can_run)
  if(can_run)
    set(how "probes linked and ran")
  else()
    set(how "probes linked but not run: cross-compiling with no emulator")
  endif()
  message(STATUS "records-demo: the release links ${said} (${how})")
  list(REMOVE_ITEM claims -)
  set(${compile_var} ${compile} PARENT_SCOPE)
  set(${link_var} ${link} PARENT_SCOPE)
  set(${claims_var} ${claims} PARENT_SCOPE)
endfunction()
