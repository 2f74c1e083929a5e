# How the release build links. A run is almost all process start-up, so it links
# everything statically: no dynamic loader, no shared C++ runtime to load and
# relocate. It is a static position-independent executable (static-pie): loaded
# at a random address like any hardened Debian program, and its unwinder finds
# the exception tables through the program headers, where a plain static
# executable registers them as it starts (libgcc 13 and later walk every entry
# of them then, over four times the cost of the rest of the run). Packed
# relative relocations (DT_RELR) keep the self-relocation a static-pie does as
# it starts short; full RELRO makes the relocated data read-only; dropping
# unused sections keeps the image, and so the memory a run touches, small. Each
# choice is probed by linking and running a program that uses the same runtime;
# where one fails it falls back (static, then a static C++ runtime, then the
# toolchain's default), and configure says which link it chose.
#
#   records_link_for_startup(TARGET)   compiles and links TARGET that way
#
# The developer build keeps the toolchain's defaults: sanitizer runtimes cannot
# be linked statically.

function(records_link_for_startup target)
  target_compile_options(${target} PRIVATE ${records_startup_compile_options})
  target_link_options(${target} PRIVATE ${records_startup_link_options})
endfunction()

set(records_startup_compile_options "")
set(records_startup_link_options "")
if(RECORDS_DEV)
  return()
endif()

include(CheckCXXSourceRuns)
set(probe "#include <iostream>\nint main() { std::cout << 1 << std::endl; }")
set(stdlib "")
if(RECORDS_LIBCXX)
  set(stdlib -stdlib=libc++)
endif()

# Whether the probe, compiled with the options chosen so far, links with the
# link options chosen so far and these, and runs.
macro(records_try_link var)
  string(JOIN " " CMAKE_REQUIRED_FLAGS ${stdlib} ${records_startup_compile_options})
  set(CMAKE_REQUIRED_LINK_OPTIONS ${records_startup_link_options} ${ARGN})
  check_cxx_source_runs("${probe}" ${var})
endmacro()

set(records_startup_compile_options -fPIE)
records_try_link(RECORDS_LINK_STATIC_PIE -static-pie)
if(RECORDS_LINK_STATIC_PIE)
  set(records_startup_link_options -static-pie)
  set(link "static-pie")
else()
  set(records_startup_compile_options "")
  records_try_link(RECORDS_LINK_STATIC -static)
  if(RECORDS_LINK_STATIC)
    set(records_startup_link_options -static)
    set(link "static, not position independent (no static-pie here; slower start-up)")
  else()
    records_try_link(RECORDS_LINK_STATIC_RUNTIME -static-libstdc++ -static-libgcc)
    if(RECORDS_LINK_STATIC_RUNTIME)
      set(records_startup_link_options -static-libstdc++ -static-libgcc)
      set(link "with a static C++ runtime and the shared C library (no static C library here; slower start-up)")
    else()
      set(link "as the toolchain does by default (no static C++ runtime here; much slower start-up)")
    endif()
  endif()
endif()

# Each of these is kept where it links and runs.
macro(records_link_if_it_works var description)
  records_try_link(${var} ${ARGN})
  if(${var})
    list(APPEND records_startup_link_options ${ARGN})
    string(APPEND link ", ${description}")
  endif()
endmacro()
records_link_if_it_works(RECORDS_LINK_PACKED_RELOCS "packed relative relocations" -Wl,-z,pack-relative-relocs)
records_link_if_it_works(RECORDS_LINK_FULL_RELRO "full RELRO" -Wl,-z,relro,-z,now)
records_link_if_it_works(RECORDS_LINK_GC_SECTIONS "unused sections dropped" -Wl,--gc-sections)
unset(CMAKE_REQUIRED_LINK_OPTIONS)
unset(CMAKE_REQUIRED_FLAGS)

message(STATUS "records-demo: the release links ${link}")
