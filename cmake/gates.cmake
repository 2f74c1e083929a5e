# Quality gates of the developer build: each a target (cmake --build --preset dev
# --target NAME) and a test (gate.NAME), so that the test run fails with it:
# format-check (its twin format-fix reformats), tidy, cppcheck.

if(NOT TARGET records_test)
  message(FATAL_ERROR "The quality gates check the unit tests too: they need the developer build (RECORDS_DEV) with BUILD_TESTING on")
endif()
find_program(CLANG_FORMAT clang-format REQUIRED)
find_program(CLANG_TIDY clang-tidy REQUIRED)
find_program(CPPCHECK cppcheck REQUIRED)

set(program_sources src/main.cpp src/records.hpp)
set(test_sources tests/records_test.cpp tests/fail_alloc.cpp cmake/hardening-witness.cpp)
set(formatted ${program_sources} ${test_sources} bench/stream_floor.cpp bench/system_floor.c)

add_custom_target(format-check
  COMMAND ${CLANG_FORMAT} --dry-run -Werror ${formatted}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)
add_custom_target(format-fix
  COMMAND ${CLANG_FORMAT} -i ${formatted}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)

# clang-tidy judges the code as C++17 with flags of its own: a build's compile
# commands may carry a g++ flag clang does not know, failing the gate on clean
# code. The header is checked through the sources that include it. GoogleTest's
# include directories go after the system ones (-idirafter), so they cannot hide
# a standard header and their own headers are not judged.
set(tidy_wrapper ${CMAKE_COMMAND} -P ${CMAKE_CURRENT_LIST_DIR}/run-clang-tidy.cmake --)
add_custom_target(tidy
  COMMAND ${tidy_wrapper} ${CLANG_TIDY} --quiet --warnings-as-errors=* src/main.cpp ${test_sources}
          -- -std=c++17 -I${PROJECT_SOURCE_DIR}/src
          "-idirafter$<JOIN:$<TARGET_PROPERTY:records_test,INCLUDE_DIRECTORIES>,;-idirafter>"
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM COMMAND_EXPAND_LISTS)

add_custom_target(cppcheck
  COMMAND ${CPPCHECK} --enable=warning,style,performance,portability --std=c++17 --language=c++
          --error-exitcode=1 --quiet ${program_sources}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)

foreach(gate IN ITEMS format-check tidy cppcheck)
  add_test(NAME gate.${gate} COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR} --target ${gate})
endforeach()

# The tidy wrapper on a stand-in for clang-tidy: quiet on every form of the
# count line, yet it shows a finding and fails on it.
set(counts "printf '2 warnings generated.\\n13692 warnings and 1 error generated.\\n1 error generated.\\n' >&2")
add_test(NAME gate.tidy-wrapper-quiet COMMAND ${tidy_wrapper} sh -c "${counts}")
set_tests_properties(gate.tidy-wrapper-quiet PROPERTIES FAIL_REGULAR_EXPRESSION ".")
add_test(NAME gate.tidy-wrapper-fails COMMAND ${tidy_wrapper}
         sh -c "echo 'main.cpp:1:1: error: a finding [some-check]'\n${counts}\nexit 1")
set_tests_properties(gate.tidy-wrapper-fails PROPERTIES
  PASS_REGULAR_EXPRESSION "a finding \\[some-check\\].*clang-tidy: 1" FAIL_REGULAR_EXPRESSION "generated")
