# Read by cpack as it packages. The package's dates come from SOURCE_DATE_EPOCH,
# so that the same sources give the same package. When it is not set: the date
# of the last commit where the sources are the project's own git checkout (the
# top folder of the repository is the source folder), else the date of the
# changelog's top entry (read by configure): sources unpacked from a tarball
# take the changelog's date even inside another project's repository.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch ${CPACK_RECORDS_CHANGELOG_EPOCH})
  execute_process(COMMAND git -C "${CPACK_RECORDS_SOURCE_DIR}" rev-parse --show-toplevel
                  OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE status)
  if(status EQUAL 0)
    file(REAL_PATH "${top}" top)
    file(REAL_PATH "${CPACK_RECORDS_SOURCE_DIR}" source)
    if(top STREQUAL source)
      execute_process(COMMAND git -C "${CPACK_RECORDS_SOURCE_DIR}" log -1 --format=%ct
                      OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      if(commit MATCHES "^[0-9]+$") # a repository with no commit yet has none
        set(epoch ${commit})
      endif()
    endif()
  endif()
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
