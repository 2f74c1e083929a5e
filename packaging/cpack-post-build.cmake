# Run by cpack once it has made a zip: a zip records its dates in the local
# time zone and its members in the order the folder listed them, so the same
# files would give another zip in another time zone or on another machine.
# strip-nondeterminism, Debian's tool for this, sorts the members and dates
# them all SOURCE_DATE_EPOCH (packaging/cpack-project-config.cmake sets it).
find_program(STRIP_NONDETERMINISM strip-nondeterminism)
if(NOT STRIP_NONDETERMINISM)
  message(FATAL_ERROR "strip-nondeterminism is not installed (Debian: strip-nondeterminism): "
                      "the zip would not be the same from one machine or time zone to the next")
endif()
# packaging/cpack-project-config.cmake sets it from git or the changelog; left
# empty there (a changelog date configure could not read) it is unset here.
if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is '$ENV{SOURCE_DATE_EPOCH}', not a time in seconds since 1970: "
                      "the zip's members cannot be dated")
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND ${STRIP_NONDETERMINISM} --type zip --timestamp $ENV{SOURCE_DATE_EPOCH} ${package}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
