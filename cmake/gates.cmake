# The developer build's quality gates: each a target, and a test gate.NAME.
if(NOT TARGET records_test)
  message(FATAL_ERROR "The gates judge the unit tests too: they need RECORDS_DEV and BUILD_TESTING")
endif()
find_program(CLANG_FORMAT clang-format REQUIRED)
find_program(CLANG_TIDY clang-tidy REQUIRED)
find_program(CPPCHECK cppcheck REQUIRED)

set(program_sources src/main.cpp src/records.hpp)
set(test_sources tests/records_test.cpp tests/fail_alloc.cpp cmake/hardening-witness.cpp)
set(formatted ${program_sources} ${test_sources} bench/stream_floor.cpp bench/system_floor.c)
set(at_source WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)
add_custom_target(format-check COMMAND ${CLANG_FORMAT} --dry-run -Werror ${formatted} ${at_source})
add_custom_target(format-fix COMMAND ${CLANG_FORMAT} -i ${formatted} ${at_source})

# Flags of its own (a build's may hold one clang lacks); the header judged via the sources;
# GoogleTest's headers after the system ones (-idirafter): they hide none and go unjudged.
set(tidy_wrapper ${CMAKE_COMMAND} -P ${CMAKE_CURRENT_LIST_DIR}/run-clang-tidy.cmake --)
add_custom_target(tidy
  COMMAND ${tidy_wrapper} ${CLANG_TIDY} --quiet src/main.cpp ${test_sources}
          -- -std=c++17 -I${PROJECT_SOURCE_DIR}/src
          "-idirafter$<JOIN:$<TARGET_PROPERTY:records_test,INCLUDE_DIRECTORIES>,;-idirafter>"
  ${at_source} COMMAND_EXPAND_LISTS)
add_custom_target(cppcheck
  COMMAND ${CPPCHECK} --enable=warning,style,performance,portability --std=c++17 --language=c++
          --error-exitcode=1 --quiet ${program_sources}
  ${at_source})
foreach(gate IN ITEMS format-check tidy cppcheck)
  add_test(NAME gate.${gate} COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR} --target ${gate})
endforeach()

# The wrapper on a stand-in: quiet on every form of the count; a finding shows and fails.
set(counts "echo '2 warnings generated.\n13692 warnings and 1 error generated.\n1 error generated.' >&2")
add_test(NAME gate.tidy-wrapper-quiet COMMAND ${tidy_wrapper} sh -c "${counts}")
add_test(NAME gate.tidy-wrapper-fails COMMAND ${tidy_wrapper}
         sh -c "echo 'main.cpp:1:1: error: a finding [some-check]'\n${counts}\nexit 1")
set_tests_properties(gate.tidy-wrapper-quiet PROPERTIES FAIL_REGULAR_EXPRESSION ".")
set_tests_properties(gate.tidy-wrapper-fails PROPERTIES FAIL_REGULAR_EXPRESSION "generated"
  PASS_REGULAR_EXPRESSION "a finding \\[some-check\\].*clang-tidy: 1")
