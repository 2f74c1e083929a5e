# Quality gates of the developer build. Each is a target,
#   cmake --build --preset dev --target NAME
# and a CTest test (gate.NAME), so that the test run fails when one does:
#   format-check  clang-format would change nothing (its twin format-fix reformats)
#   tidy          clang-tidy finds nothing
#   cppcheck      cppcheck finds nothing
# New C++ files are added to the lists below by hand.

find_program(CLANG_FORMAT clang-format REQUIRED)
find_program(CLANG_TIDY clang-tidy REQUIRED)
find_program(CPPCHECK cppcheck REQUIRED)

set(program_sources src/main.cpp src/records.hpp)
set(test_sources tests/records_test.cpp tests/fail_alloc.cpp)
set(formatted ${program_sources} ${test_sources} bench/stream_floor.cpp bench/system_floor.c)

add_custom_target(format-check
  COMMAND ${CLANG_FORMAT} --dry-run -Werror ${formatted}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)
add_custom_target(format-fix
  COMMAND ${CLANG_FORMAT} -i ${formatted}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)

# The header is checked through the sources that include it.
add_custom_target(tidy
  COMMAND ${CMAKE_COMMAND} -P ${CMAKE_CURRENT_LIST_DIR}/run-clang-tidy.cmake --
          ${CLANG_TIDY} -p ${PROJECT_BINARY_DIR} --quiet --warnings-as-errors=* src/main.cpp ${test_sources}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)

add_custom_target(cppcheck
  COMMAND ${CPPCHECK} --enable=warning,style,performance,portability --std=c++17 --language=c++
          --error-exitcode=1 --quiet ${program_sources}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)

foreach(gate IN ITEMS format-check tidy cppcheck)
  add_test(NAME gate.${gate} COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR} --target ${gate})
endforeach()
