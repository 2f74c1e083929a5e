# What is installed, and the .deb made of it.
#   bin/                          the program
#   share/man/man1/               its manual page, records-demo(1)
#   share/doc/records-demo/       its copyright (Debian's machine-readable
#                                 format), changelog and README
#   share/lintian/overrides/      the lintian tag that misreads a static-pie
# The manual page, changelog and README are compressed as Debian ships them
# (gzip -9n: no name, no date). The .deb is made by CPack (cpack --preset release, or the
# release workflow) in the build folder. It depends on nothing, since the
# program is static; its architecture is dpkg's. Built from the same sources
# it is the same to the bit: its dates come from SOURCE_DATE_EPOCH
# (packaging/cpack-project-config.cmake), its folders are 0755 whatever the
# umask (packaging/cpack-pre-build.cmake), and the program is stripped of its
# symbols and of the compilers' .comment notes. The modes of the .deb's own
# members still follow the umask, which CMake cannot set: packages compare
# equal when built under the same umask.

include(GNUInstallDirs)
install(TARGETS records-demo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(NOT records_target_family STREQUAL "elf")
  return()
endif()

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(doc ${CMAKE_INSTALL_DATADIR}/doc/records-demo)

if(CMAKE_OBJCOPY)
  install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:records-demo>\"
                  COMMAND_ERROR_IS_FATAL ANY)")
endif()

foreach(source IN ITEMS ${packaging}/records-demo.1 ${packaging}/changelog ${PROJECT_SOURCE_DIR}/README.md)
  cmake_path(GET source FILENAME file)
  add_custom_command(OUTPUT ${file}.gz
    COMMAND sh -c "gzip -9n <\"$1\" >\"$2\"" sh ${source} ${file}.gz
    DEPENDS ${source} VERBATIM)
endforeach()
add_custom_target(records-demo-docs ALL DEPENDS records-demo.1.gz changelog.gz README.md.gz)
install(FILES ${PROJECT_BINARY_DIR}/records-demo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/copyright ${PROJECT_BINARY_DIR}/changelog.gz ${PROJECT_BINARY_DIR}/README.md.gz
        DESTINATION ${doc})
install(FILES ${packaging}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME records-demo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME records-demo)
set(CPACK_PACKAGE_VENDOR "The records-demo developers")
set(CPACK_PACKAGE_CONTACT "The records-demo developers <maintainers@records-demo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prints one sample each of four everyday records")
set(CPACK_PACKAGE_DESCRIPTION "\
records-demo models four everyday records (a point in the plane, a person,
a dog and a book) as C++ classes, builds one sample of each from fixed data
and prints their details on six lines, with Polish labels written without
diacritics. It takes no input and always prints the same lines.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_RECORDS_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${packaging}/cpack-project-config.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${packaging}/cpack-pre-build.cmake)
include(CPack)
