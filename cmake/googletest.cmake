# GTest::gtest_main: Debian's prebuilt library is for libstdc++; the libc++ build compiles its sources.
if(NOT RECORDS_LIBCXX)
  find_package(GTest REQUIRED)
  return()
endif()
set(RECORDS_GOOGLETEST_SOURCE_DIR /usr/src/googletest
    CACHE PATH "GoogleTest's sources, built for the libc++ build")
if(NOT EXISTS ${RECORDS_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${RECORDS_GOOGLETEST_SOURCE_DIR} (Debian: googletest); "
                      "set RECORDS_GOOGLETEST_SOURCE_DIR to where they are")
endif()
set(BUILD_GMOCK OFF)
set(INSTALL_GTEST OFF)
add_subdirectory(${RECORDS_GOOGLETEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest
                 EXCLUDE_FROM_ALL SYSTEM)
target_link_libraries(gtest PRIVATE records_stdlib)
target_link_libraries(gtest_main PRIVATE records_stdlib)
