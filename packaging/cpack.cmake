# Read by cpack at its start, after staging, and after making a zip.
if(NOT DEFINED CPACK_TEMPORARY_DIRECTORY)
  # Dated SOURCE_DATE_EPOCH, else by the last commit of the sources' own checkout, else by the
  # changelog (a tarball, even inside another repository).
  if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} ${CPACK_RECORDS_CHANGELOG_EPOCH})
    if(EXISTS "${CMAKE_CURRENT_LIST_DIR}/../.git")
      execute_process(COMMAND git -C "${CMAKE_CURRENT_LIST_DIR}/.." log -1 --format=%ct
                      OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      if(commit MATCHES "^[0-9]+$") # none without git, or before the first commit
        set(ENV{SOURCE_DATE_EPOCH} ${commit})
      endif()
    endif()
  endif()
elseif(NOT DEFINED CPACK_PACKAGE_FILES)
  # Folders follow the umask (0700 under 077): 0755, as Debian's.
  file(CHMOD_RECURSE "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY_PERMISSIONS
       OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
else()
  # A zip holds local times in its folder's order: strip-nondeterminism sorts and dates it.
  find_program(STRIP_NONDETERMINISM strip-nondeterminism)
  if(NOT STRIP_NONDETERMINISM)
    message(FATAL_ERROR "strip-nondeterminism is not installed (Debian: strip-nondeterminism): "
                        "the zip would differ by machine and time zone")
  endif()
  execute_process(COMMAND ${STRIP_NONDETERMINISM} --type zip --timestamp "$ENV{SOURCE_DATE_EPOCH}"
                          ${CPACK_PACKAGE_FILES} COMMAND_ERROR_IS_FATAL ANY)
endif()
