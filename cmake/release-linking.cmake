# How the release build links. A run is almost all process start-up, most of
# it spent loading the shared C++ runtime: linking everything statically removes
# that, and dropping unused sections keeps the image, and so the memory a run
# touches, small. Each choice is probed, and configure says when it falls back.
#
#   records_link_for_startup(TARGET)   links TARGET that way
#
# The developer build keeps the toolchain's defaults: sanitizer runtimes cannot
# be linked statically.

function(records_link_for_startup target)
  target_link_options(${target} PRIVATE ${records_startup_link_options})
endfunction()

set(records_startup_link_options "")
if(RECORDS_DEV)
  return()
endif()

include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)

# Each way of linking is tried on a program that uses the same runtime.
set(probe "#include <iostream>\nint main() { std::cout << 1 << std::endl; }")
if(RECORDS_LIBCXX)
  set(CMAKE_REQUIRED_FLAGS -stdlib=libc++)
endif()
set(CMAKE_REQUIRED_LINK_OPTIONS -static)
check_cxx_source_compiles("${probe}" RECORDS_LINK_STATIC)
if(RECORDS_LINK_STATIC)
  list(APPEND records_startup_link_options -static)
else()
  set(CMAKE_REQUIRED_LINK_OPTIONS -static-libstdc++ -static-libgcc)
  check_cxx_source_compiles("${probe}" RECORDS_LINK_STATIC_RUNTIME)
  if(RECORDS_LINK_STATIC_RUNTIME)
    message(STATUS "records-demo: no static C library; linking only the C++ runtime statically (slower start-up)")
    list(APPEND records_startup_link_options -static-libstdc++ -static-libgcc)
  else()
    message(STATUS "records-demo: no static C++ runtime; linking it shared (much slower start-up)")
  endif()
endif()
unset(CMAKE_REQUIRED_LINK_OPTIONS)
unset(CMAKE_REQUIRED_FLAGS)

check_linker_flag(CXX -Wl,--gc-sections RECORDS_LINK_GC_SECTIONS)
if(RECORDS_LINK_GC_SECTIONS)
  list(APPEND records_startup_link_options -Wl,--gc-sections)
else()
  message(STATUS "records-demo: linker cannot drop unused sections; the image stays larger")
endif()
