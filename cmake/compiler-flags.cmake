# records_compiler_flags(STDLIB_VAR DEV LIBCXX): records_stdlib, the standard library (its options
# also in STDLIB_VAR for the probes); records_flags, warnings, made errors (with sanitizers) only in
# the developer build (DEV) so that a newer compiler never breaks a user's build.
include(${CMAKE_CURRENT_LIST_DIR}/toolchain.cmake)

function(records_compiler_flags stdlib_var dev libcxx)
  set(stdlib "")
  if(libcxx AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "RECORDS_LIBCXX needs clang++ (set CMAKE_CXX_COMPILER); "
                        "${CMAKE_CXX_COMPILER_ID} cannot use libc++")
  elseif(libcxx)
    set(stdlib -stdlib=libc++)
  endif()
  add_library(records_stdlib INTERFACE)
  target_compile_options(records_stdlib INTERFACE ${stdlib})
  target_link_options(records_stdlib INTERFACE ${stdlib})
  set(${stdlib_var} ${stdlib} PARENT_SCOPE)

  add_library(records_flags INTERFACE)
  target_link_libraries(records_flags INTERFACE records_stdlib)
  records_gnu_like(gnu_like)
  if(NOT gnu_like AND dev)
    message(FATAL_ERROR "The developer build needs g++ or clang++; ${CMAKE_CXX_COMPILER_ID} has not been tried")
  elseif(NOT gnu_like)
    return()
  endif()
  # The same sources build the same binary from any folder (the later map wins where both match).
  target_compile_options(records_flags INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
  if(dev)
    target_compile_options(records_flags INTERFACE
      -Werror -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(records_flags INTERFACE -fsanitize=address,undefined)
  endif()
endfunction()
