# How the release build links. A run is almost all process start-up, so it links
# everything statically: no dynamic loader, no shared C++ runtime to load and
# relocate, and, on Windows, no MinGW runtime DLL that a machine may lack.
#
# ELF targets (Linux; g++ or clang++): a static position-independent executable
# (static-pie), loaded at a random address like any hardened Debian program,
# whose unwinder finds the exception tables through the program headers, where a
# plain static executable registers them as it starts (libgcc 13 and later walk
# every entry of them then, over four times the cost of the rest of the run).
# Packed relative relocations (DT_RELR) keep the self-relocation a static-pie
# does as it starts short; full RELRO makes the relocated data read-only;
# dropping unused sections keeps the image, and so the memory a run touches,
# small. Where one choice fails it falls back (static, then a static C++
# runtime, then the toolchain's default).
#
# Windows (MinGW-w64 g++): static, with ASLR (a relocatable image, 64-bit
# addresses) and DEP asked of the linker, not left to its defaults.
#
# Each choice is probed (probes.cmake) with a program that uses the same
# runtime. Configure says which link it chose, and how it knows; the facts it
# claims go to the link test (records_release_claims), which reads them off the
# binary. Another toolchain, or another kind of executable, gets CMake's
# defaults and a line saying so. The developer build keeps the toolchain's
# defaults: sanitizer runtimes cannot be linked statically.
#
#   records_build_like_release(TARGET)   compiles and links TARGET that way

function(records_build_like_release target)
  target_compile_options(${target} PRIVATE ${records_release_compile_options})
  target_link_options(${target} PRIVATE ${records_release_link_options})
endfunction()

set(records_release_compile_options "")
set(records_release_link_options "")
set(records_release_claims "")
if(RECORDS_DEV)
  return()
endif()

if(records_gnu_like AND CMAKE_EXECUTABLE_FORMAT STREQUAL "ELF" AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(records_target_family elf)
elseif(MINGW AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(records_target_family mingw)
else()
  message(STATUS "records-demo: ${CMAKE_CXX_COMPILER_ID} building for ${CMAKE_SYSTEM_NAME} has not been tried: "
                 "the release builds and links with CMake's defaults")
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/probes.cmake)
set(probe "#include <iostream>\nint main() { std::cout << 1 << std::endl; }")
set(stdlib "")
if(RECORDS_LIBCXX)
  set(stdlib -stdlib=libc++)
endif()

# Whether SOURCE, compiled with the options chosen so far, builds with the link
# options chosen so far and these (and runs, where it can be run).
macro(records_try_source var source)
  string(JOIN " " flags ${stdlib} ${records_release_compile_options})
  records_probe(${var} "${source}" FLAGS "${flags}" LINK_OPTIONS ${records_release_link_options} ${ARGN})
endmacro()
macro(records_try_link var)
  records_try_source(${var} "${probe}" ${ARGN})
endmacro()

# The facts claimed for the link test; "-" claims none.
macro(records_claim)
  list(APPEND records_release_claims ${ARGN})
  list(REMOVE_ITEM records_release_claims -)
endmacro()

# The link chosen: its kind, which it claims, its description, then its link
# options.
macro(records_choose_link kind description)
  set(link_kind ${kind})
  set(records_release_link_options ${ARGN})
  set(records_release_claims "")
  records_claim(${kind})
  set(link "${description}")
endmacro()
set(link "as the toolchain does by default (nothing static here; much slower start-up)")
set(link_kind "")

# Each of these is kept where it works: VAR, its description, the facts it
# claims, then its link options.
macro(records_link_if_it_works var description claims)
  records_try_link(${var} ${ARGN})
  if(${var})
    list(APPEND records_release_link_options ${ARGN})
    records_claim(${claims})
    string(APPEND link ", ${description}")
  endif()
endmacro()

if(records_target_family STREQUAL "elf")
  set(records_release_compile_options -fPIE)
  records_try_link(RECORDS_LINK_STATIC_PIE -static-pie)
  if(RECORDS_LINK_STATIC_PIE)
    records_choose_link(static-pie "static-pie" -static-pie)
  else()
    set(records_release_compile_options "")
    records_try_link(RECORDS_LINK_STATIC -static)
    if(RECORDS_LINK_STATIC)
      records_choose_link(static "static, not position independent (no static-pie here; slower start-up)" -static)
    else()
      records_try_link(RECORDS_LINK_STATIC_RUNTIME -static-libstdc++ -static-libgcc)
      if(RECORDS_LINK_STATIC_RUNTIME)
        records_choose_link(dynamic
          "with a static C++ runtime and the shared C library (no static C library here; slower start-up)"
          -static-libstdc++ -static-libgcc)
      endif()
    endif()
  endif()
  # A plain static executable has no dynamic section: no relocations to pack,
  # no binding to make immediate. The linker takes these options there all the
  # same, and they do nothing.
  if(NOT link_kind STREQUAL "static")
    records_link_if_it_works(RECORDS_LINK_PACKED_RELOCS "packed relative relocations" relr -Wl,-z,pack-relative-relocs)
    records_link_if_it_works(RECORDS_LINK_FULL_RELRO "full RELRO" "relro;bind-now" -Wl,-z,relro,-z,now)
  endif()
else()
  records_try_link(RECORDS_LINK_STATIC -static)
  if(RECORDS_LINK_STATIC)
    records_choose_link(no-runtime-dll "static, no MinGW runtime DLL" -static)
  else()
    records_try_link(RECORDS_LINK_STATIC_RUNTIME -static-libstdc++ -static-libgcc)
    if(RECORDS_LINK_STATIC_RUNTIME)
      records_choose_link(- "with a static C++ runtime (a MinGW runtime DLL may remain; no static C runtime here)"
        -static-libstdc++ -static-libgcc)
    endif()
  endif()
  records_link_if_it_works(RECORDS_LINK_ASLR "ASLR" aslr -Wl,--dynamicbase)
  records_link_if_it_works(RECORDS_LINK_HIGH_ENTROPY_VA "64-bit ASLR" high-entropy-va -Wl,--high-entropy-va)
  records_link_if_it_works(RECORDS_LINK_DEP "DEP" dep -Wl,--nxcompat)
endif()
records_link_if_it_works(RECORDS_LINK_GC_SECTIONS "unused sections dropped" - -Wl,--gc-sections)

if(records_probes_run)
  set(how "probes linked and ran")
else()
  set(how "probes linked but not run: cross-compiling with no emulator")
endif()
message(STATUS "records-demo: the release links ${link} (${how})")
