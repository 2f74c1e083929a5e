# The version and the release date are written once, in the changelog's top
# entry, as Debian keeps them:
#   records_changelog(FILE VERSION DATE EPOCH)
# sets VERSION ("1.0.0"), DATE (the entry's calendar date, "2026-12-08") and
# EPOCH (its moment in seconds since 1970, UTC). Plain CMake, so that it runs
# before project() and on any system; editing the file configures again.

function(records_changelog file version_var date_var epoch_var)
  file(STRINGS ${file} lines)
  list(GET lines 0 top)
  if(NOT top MATCHES "^[a-z0-9.+-]+ \\(([0-9][0-9A-Za-z.+~-]*)\\) ")
    message(FATAL_ERROR "${file}: the first line does not read 'name (version) ...': ${top}")
  endif()
  set(version ${CMAKE_MATCH_1})

  # The entry ends with " -- Name <address>  Tue, 08 Dec 2026 00:00:00 +0000".
  list(FILTER lines INCLUDE REGEX "^ -- ")
  list(POP_FRONT lines trailer)
  set(date "([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9])")
  set(time "([0-9][0-9]):([0-9][0-9]):([0-9][0-9]) ([+-])([0-9][0-9])([0-9][0-9])")
  if(NOT trailer MATCHES ">  [A-Z][a-z][a-z], ${date} ${time}$")
    message(FATAL_ERROR "${file}: the top entry has no trailer ' -- Name <address>  Day, DD Mon YYYY HH:MM:SS +ZZZZ'")
  endif()
  # Every field is taken before the next regular expression overwrites them;
  # then leading zeros are dropped, as math() would read 08 as octal.
  set(fields day month year hour minute second sign zone_hours zone_minutes)
  set(i 0)
  foreach(field IN LISTS fields)
    math(EXPR i "${i} + 1")
    set(${field} "${CMAKE_MATCH_${i}}")
  endforeach()
  foreach(field IN LISTS fields)
    string(REGEX REPLACE "^0+([0-9])" "\\1" ${field} "${${field}}")
  endforeach()
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(FIND months ${month} month)
  if(month EQUAL -1)
    message(FATAL_ERROR "${file}: the top entry's trailer names no month: ${trailer}")
  endif()
  math(EXPR month "${month} + 1")

  # Days since 1970-01-01 of a Gregorian date, the year counted from March so
  # that a leap day falls at its end.
  math(EXPR y "${year} - (14 - ${month}) / 12")
  math(EXPR m "(${month} + 9) % 12")
  math(EXPR era "${y} / 400")
  math(EXPR yoe "${y} - ${era} * 400")
  math(EXPR doy "(153 * ${m} + 2) / 5 + ${day} - 1")
  math(EXPR days "${era} * 146097 + ${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy} - 719468")
  # The time is local to the zone given: UTC is that time less the zone's offset.
  math(EXPR offset "(${sign}1) * (${zone_hours} * 3600 + ${zone_minutes} * 60)")
  math(EXPR epoch "${days} * 86400 + ${hour} * 3600 + ${minute} * 60 + ${second} - ${offset}")

  string(REGEX REPLACE "^([0-9])$" "0\\1" mm "${month}")
  string(REGEX REPLACE "^([0-9])$" "0\\1" dd "${day}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  set(${version_var} ${version} PARENT_SCOPE)
  set(${date_var} ${year}-${mm}-${dd} PARENT_SCOPE)
  set(${epoch_var} ${epoch} PARENT_SCOPE)
endfunction()
