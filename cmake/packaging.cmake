# records_package(PROGRAM RELEASE FAMILY TARGET VERSION DATE EPOCH): what installs, and the package:
# for elf, a .deb as Debian ships a program; for mingw, a zip of one folder; else the program alone.
include(GNUInstallDirs)

function(records_package program release family target version date epoch)
  set(packaging ${PROJECT_SOURCE_DIR}/packaging)
  set(built ${PROJECT_BINARY_DIR})
  set(CPACK_PACKAGE_CONTACT "The records-demo developers <maintainers@records-demo.example>")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prints one sample each of four everyday records")
  # Also the manual page's description.
  set(CPACK_PACKAGE_DESCRIPTION "\
records-demo models four everyday records (a point in the plane, a person,
a dog and a book) as C++ classes, builds one sample of each from fixed data
and prints their details on six lines, with Polish labels written without
diacritics. It takes no input and always prints the same lines.")
  set(CPACK_STRIP_FILES ON)
  set(CPACK_RECORDS_CHANGELOG_EPOCH ${epoch})
  set(CPACK_PROJECT_CONFIG_FILE ${packaging}/cpack.cmake)
  set(CPACK_PRE_BUILD_SCRIPTS ${packaging}/cpack.cmake)

  if(family STREQUAL "mingw")
    # The program beside its README and LICENSE, in CRLF as Windows' editors expect.
    install(TARGETS ${program} RUNTIME DESTINATION .)
    configure_file(${PROJECT_SOURCE_DIR}/README.md README.txt @ONLY NEWLINE_STYLE CRLF)
    configure_file(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
    install(FILES ${built}/README.txt ${built}/LICENSE.txt DESTINATION .)
    string(REGEX MATCH "^[^-]+" processor "${target}")
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME records-demo-${version}-windows-${processor})
    set(CPACK_POST_BUILD_SCRIPTS ${packaging}/cpack.cmake)
    include(CPack)
    return()
  endif()
  install(TARGETS ${program})
  if(NOT family STREQUAL "elf")
    return()
  endif()
  if(CMAKE_OBJCOPY) # the compilers' notes in .comment are not the program
    install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:${program}>\"
      COMMAND_ERROR_IS_FATAL ANY)")
  endif()
  configure_file(${packaging}/records-demo.1.in records-demo.1 @ONLY)
  foreach(source ${built}/records-demo.1 ${packaging}/changelog ${PROJECT_SOURCE_DIR}/README.md)
    cmake_path(GET source FILENAME file)
    execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${built}/${file}.gz COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  # Debian's machine-readable copyright, of LICENSE's holder and terms.
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
  if(NOT license MATCHES "Copyright \\(c\\) ([^\n]+)\n\n(.+[^\n])\n*$")
    message(FATAL_ERROR "records-demo: LICENSE has no line 'Copyright (c) HOLDER' before its terms")
  endif()
  set(holder ${CMAKE_MATCH_1})
  string(REPLACE "\n\n" "\n.\n" terms "${CMAKE_MATCH_2}")
  string(REPLACE "\n" "\n " terms " ${terms}")
  configure_file(${packaging}/copyright.in copyright @ONLY)
  # A static program's overrides are cut where it is dynamic.
  get_target_property(link ${release} RECORDS_LINK)
  file(READ ${packaging}/lintian-overrides overrides)
  if(link STREQUAL "dynamic")
    string(REGEX REPLACE "# Where the program is static.*" "" overrides "${overrides}")
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  endif()
  file(WRITE ${built}/lintian-overrides "${overrides}")
  # The changelog is one already.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md ${packaging}/lintian-overrides)
  install(FILES ${built}/records-demo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${built}/copyright ${built}/changelog.gz ${built}/README.md.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES ${built}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
          RENAME records-demo)
  execute_process(COMMAND dpkg-architecture -t ${target} -qDEB_HOST_ARCH RESULT_VARIABLE status
                  OUTPUT_VARIABLE architecture OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_VARIABLE why ERROR_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    string(STRIP "(${status}) ${why}" why) # its status alone where it could not run
    message(STATUS "records-demo: no .deb is made: dpkg-architecture cannot name ${target}'s "
                   "architecture ${why}")
    return()
  endif()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${architecture})
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  include(CPack)
endfunction()
