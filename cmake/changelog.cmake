# The version and the release date are written once, in the changelog's top
# entry, as Debian keeps them; everything else (the project's version, the
# package's, the manual page's date and the date of every file in a package
# built without git) is read from there:
#   records_changelog(FILE VERSION DATE EPOCH)
# sets VERSION ("1.0.0"), DATE (the entry's own calendar date, "2026-12-08") and
# EPOCH (its moment in seconds since 1970, UTC). Editing the file configures
# again. It needs nothing but CMake, so it can run before project().

function(records_changelog file version_var date_var epoch_var)
  file(STRINGS ${file} lines)
  list(GET lines 0 top)
  if(NOT top MATCHES "^[a-z0-9.+-]+ \\(([0-9][0-9A-Za-z.+~-]*)\\) ")
    message(FATAL_ERROR "${file}: the first line does not read 'name (version) ...': ${top}")
  endif()
  set(version ${CMAKE_MATCH_1})

  # The entry ends with its trailer: " -- Name <address>  Tue, 08 Dec 2026 00:00:00 +0000".
  set(trailer "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^ -- ")
      set(trailer "${line}")
      break()
    endif()
  endforeach()
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  if(NOT trailer MATCHES ">  [A-Z][a-z][a-z], ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ([0-9][0-9]):([0-9][0-9]):([0-9][0-9]) ([+-])([0-9][0-9])([0-9][0-9])$")
    message(FATAL_ERROR "${file}: the top entry has no trailer ' -- Name <address>  Day, DD Mon YYYY HH:MM:SS +ZZZZ'")
  endif()
  # The fields are taken before any other regular expression overwrites them;
  # leading zeros are dropped, as math() would read 08 as octal.
  set(i 0)
  foreach(field IN ITEMS day month_name year hour minute second sign zone_hours zone_minutes)
    math(EXPR i "${i} + 1")
    set(${field} "${CMAKE_MATCH_${i}}")
  endforeach()
  foreach(field IN ITEMS day year hour minute second zone_hours zone_minutes)
    string(REGEX REPLACE "^0+([0-9])" "\\1" ${field} "${${field}}")
  endforeach()
  list(FIND months ${month_name} month)
  if(month EQUAL -1)
    message(FATAL_ERROR "${file}: '${month_name}' is not a month")
  endif()
  math(EXPR month "${month} + 1")

  # Days since 1970-01-01 of a proleptic Gregorian date, counted from March so
  # that the leap day falls at the end of a year.
  if(month LESS_EQUAL 2)
    math(EXPR y "${year} - 1")
    math(EXPR m "${month} + 9")
  else()
    set(y ${year})
    math(EXPR m "${month} - 3")
  endif()
  math(EXPR era "${y} / 400")
  math(EXPR yoe "${y} - ${era} * 400")
  math(EXPR doy "(153 * ${m} + 2) / 5 + ${day} - 1")
  math(EXPR days "${era} * 146097 + ${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy} - 719468")
  # The time is local to the zone given; UTC is that time less the zone's offset.
  math(EXPR offset "${zone_hours} * 3600 + ${zone_minutes} * 60")
  if(sign STREQUAL "-")
    math(EXPR offset "0 - ${offset}")
  endif()
  math(EXPR epoch "${days} * 86400 + ${hour} * 3600 + ${minute} * 60 + ${second} - ${offset}")

  string(REGEX REPLACE "^([0-9])$" "0\\1" mm "${month}")
  string(REGEX REPLACE "^([0-9])$" "0\\1" dd "${day}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  set(${version_var} ${version} PARENT_SCOPE)
  set(${date_var} ${year}-${mm}-${dd} PARENT_SCOPE)
  set(${epoch_var} ${epoch} PARENT_SCOPE)
endfunction()
