# records_changelog(FILE VERSION DATE EPOCH): the version ("1.0.0"), date ("2026-12-08") and
# seconds since 1970 of FILE's top entry. Plain CMake: it runs before project().
function(records_changelog file version_var date_var epoch_var)
  file(STRINGS ${file} lines)
  list(GET lines 0 top)
  if(NOT top MATCHES "^[a-z0-9.+-]+ \\(([0-9][0-9A-Za-z.+~-]*)\\) ")
    message(FATAL_ERROR "${file}: the first line does not read 'name (version) ...': ${top}")
  endif()
  set(${version_var} ${CMAKE_MATCH_1} PARENT_SCOPE)

  list(FILTER lines INCLUDE REGEX "^ -- ")
  list(POP_FRONT lines trailer)
  set(date "([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9])")
  set(time "([0-9][0-9]):([0-9][0-9]):([0-9][0-9]) ([+-])([0-9][0-9][0-9][0-9])")
  if(NOT trailer MATCHES ">  [A-Z][a-z][a-z], ${date} ${time}$")
    message(FATAL_ERROR "${file}: the top entry has no trailer "
                        "' -- Name <address>  Day, DD Mon YYYY HH:MM:SS +ZZZZ'")
  endif()
  string(REGEX REPLACE ".*, ${date} ${time}$" "\\1;\\2;\\3;\\4;\\5;\\6;\\7;\\8" fields "${trailer}")
  list(POP_FRONT fields day month year hour minute second sign zone)
  # Counted from March: a leap day falls at the end of its year.
  set(months Mar Apr May Jun Jul Aug Sep Oct Nov Dec Jan Feb)
  list(FIND months ${month} m)
  if(m EQUAL -1)
    message(FATAL_ERROR "${file}: the top entry's trailer names no month: ${trailer}")
  endif()

  # Days from 0000-03-01 (day 1; 1970-01-01 is day 719469), then the time less the zone's (math()
  # reads 08 as eight).
  math(EXPR y "${year} - ${m} / 10")
  math(EXPR epoch "(${y} * 365 + ${y} / 4 - ${y} / 100 + ${y} / 400 + (153 * ${m} + 2) / 5
                    + ${day} - 719469) * 86400 + ${hour} * 3600 + ${minute} * 60 + ${second}
                   - ${sign}(${zone} / 100 * 3600 + ${zone} % 100 * 60)")
  set(numbers 03 04 05 06 07 08 09 10 11 12 01 02)
  list(GET numbers ${m} month)
  string(REGEX REPLACE "^([0-9])$" "0\\1" day ${day})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  set(${date_var} ${year}-${month}-${day} PARENT_SCOPE)
  set(${epoch_var} ${epoch} PARENT_SCOPE)
endfunction()
