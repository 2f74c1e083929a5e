# `cmake -S . -B build` builds what users run, not CMake's unoptimised default; a type given stands.
get_property(records_multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
if(NOT records_multi_config AND CMAKE_BUILD_TYPE STREQUAL "")
  set(CMAKE_BUILD_TYPE Release CACHE STRING "Build type (Release when none is given)" FORCE)
  message(STATUS "records-demo: no build type given: building Release")
endif()
