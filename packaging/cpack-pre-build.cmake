# Run by cpack once the files are staged, before it packs them: the folders it
# made itself follow the umask, so a umask of 077 gave 0700 folders in the
# package. Every folder becomes 0755, as Debian's packages have them.
file(GLOB_RECURSE folders LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(folder IN LISTS folders)
  if(IS_DIRECTORY "${folder}")
    file(CHMOD "${folder}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                       WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
