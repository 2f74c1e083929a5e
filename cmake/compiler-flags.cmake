# Compiler settings, carried by interface targets that each target links, so
# that nothing is set globally:
#   records_stdlib  the standard library to build against; GoogleTest gets it too
#   records_flags   warnings, always on; the developer build makes them errors
#                   and adds AddressSanitizer and UndefinedBehaviorSanitizer.
# Warnings become errors only in the developer build, so that a newer compiler
# never breaks a user's build. The flags are those of GCC and Clang with their
# usual command line (records_gnu_like); another compiler gets CMake's defaults.

set(records_gnu_like FALSE)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU"
   OR (CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND CMAKE_CXX_COMPILER_FRONTEND_VARIANT STREQUAL "GNU"))
  set(records_gnu_like TRUE)
endif()

add_library(records_stdlib INTERFACE)
if(RECORDS_LIBCXX)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "RECORDS_LIBCXX needs clang++ (set CMAKE_CXX_COMPILER); ${CMAKE_CXX_COMPILER_ID} cannot use libc++")
  endif()
  target_compile_options(records_stdlib INTERFACE -stdlib=libc++)
  target_link_options(records_stdlib INTERFACE -stdlib=libc++)
endif()

add_library(records_flags INTERFACE)
target_link_libraries(records_flags INTERFACE records_stdlib)
if(NOT records_gnu_like)
  if(RECORDS_DEV)
    message(FATAL_ERROR "The developer build needs g++ or clang++; ${CMAKE_CXX_COMPILER_ID} has not been tried")
  endif()
  return()
endif()
target_compile_options(records_flags INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast)
# The same sources build the same binary from any folder, debug information
# included: the folders' paths are written relative to the source tree and to
# the build tree (the later map wins where both match).
target_compile_options(records_flags INTERFACE
  -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
if(RECORDS_DEV)
  target_compile_options(records_flags INTERFACE
    -Werror -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(records_flags INTERFACE -fsanitize=address,undefined)
endif()
