# Read by cpack as it packages. The package's dates come from SOURCE_DATE_EPOCH,
# so that the same sources give the same .deb: when it is not set, the date of
# the last commit, or, in a tree without git, the date of the changelog's entry.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C "${CPACK_RECORDS_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
    set(epoch 1796688000) # Tue, 08 Dec 2026 00:00:00 +0000
  endif()
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
