# records_release(NAME FAMILY DEV [STDLIB options...]): the release's link and hardening, none in the
# developer build (DEV); docs/release.md. NAME's properties for the link test: RECORDS_CLAIMS,
# RECORDS_PACKAGER (the packager's flags decided), RECORDS_LINK, RECORDS_WITHOUT (witnessed facts;
# per FACT: NAME-without-FACT, whose RECORDS_WITH is N, and NAME-with-FACT-1..N). Rows: step | cache
# variable less its prefix | facts ("-": none) | words | packager's flags deciding it | compile | link
# options. Kept if it works: the first `kind`, each `link`, each `harden` or `optimise` whose first
# fact is new.
include(${CMAKE_CURRENT_LIST_DIR}/toolchain.cmake)
set(records_probes ${PROJECT_BINARY_DIR}/CMakeFiles/records-probes)

set(records_rows_elf
  "kind|STATIC_PIE|static-pie|static-pie|no-pie -fno-PIE -fno-pie|-fPIE|-static-pie"
  "kind|STATIC|static|static, not position independent|||-static"
  "kind|STATIC_RUNTIME|dynamic|with a static C++ runtime over the shared C library|||-static-libstdc++ -static-libgcc"
  "kind|DEFAULT|dynamic|as the toolchain does by default|||"
  "link|PACKED_RELOCS|relr|packed relative relocations|||-Wl,-z,pack-relative-relocs"
  "link|FULL_RELRO|relro bind-now|full RELRO|||-Wl,-z,relro,-z,now"
  "link|GC_SECTIONS|-|unused sections dropped|||-Wl,--gc-sections"
  "harden|STACK_PROTECTOR|stack-protector|stack protector (strong)|-fstack-protector -fno-stack-protector|-fstack-protector-strong|"
  "harden|STACK_CLASH|stack-clash|stack clash protection|stack-clash-protection|-fstack-clash-protection|"
  "harden|CF_PROTECTION|control-flow|control-flow protection (-fcf-protection)|-fcf-protection -mbranch-protection|-fcf-protection|"
  "harden|BRANCH_PROTECTION|control-flow|control-flow protection (-mbranch-protection)|-fcf-protection -mbranch-protection|-mbranch-protection=standard|"
  "optimise|FORTIFY_3|fortify fortify-3|_FORTIFY_SOURCE=3|_FORTIFY_SOURCE|-D_FORTIFY_SOURCE=3|"
  "optimise|FORTIFY_2|fortify|_FORTIFY_SOURCE=2|_FORTIFY_SOURCE|-D_FORTIFY_SOURCE=2|")
set(records_rows_mingw
  "kind|STATIC|no-runtime-dll|static, no MinGW runtime DLL|||-static"
  "kind|STATIC_RUNTIME|-|with a static C++ runtime (a MinGW runtime DLL may remain)|||-static-libstdc++ -static-libgcc"
  "kind|DEFAULT|-|as the toolchain does by default|||"
  "link|ASLR|aslr|ASLR|||-Wl,--dynamicbase"
  "link|HIGH_ENTROPY_VA|high-entropy-va|64-bit ASLR|||-Wl,--high-entropy-va"
  "link|DEP|dep|DEP|||-Wl,--nxcompat"
  "link|NO_TIMESTAMP|-|no link time written|||-Wl,--no-insert-timestamp"
  "link|GC_SECTIONS|-|unused sections dropped|||-Wl,--gc-sections")

# Builds SOURCE as TYPE into FILE, logged. built: with no warning. ran: built, and where the target's
# programs run, an EXECUTABLE printed "1" and exited 0; said: what it did instead.
function(records_build type file source)
  cmake_parse_arguments(PARSE_ARGV 3 build "" "" "COMPILE;LINK")
  set(CMAKE_TRY_COMPILE_TARGET_TYPE ${type})
  set(CMAKE_TRY_COMPILE_CONFIGURATION ${CMAKE_BUILD_TYPE})
  try_compile(built ${records_probes} ${source} NO_CACHE COMPILE_DEFINITIONS ${build_COMPILE}
              LINK_OPTIONS ${build_LINK} OUTPUT_VARIABLE output COPY_FILE ${file})
  string(REPLACE "${PROJECT_BINARY_DIR}" "<build>" output "${output}")
  string(REPLACE "${PROJECT_SOURCE_DIR}" "<source>" output "${output}")
  if(output MATCHES "(^|\n|: )[Ww]arning: ")
    set(built FALSE)
  endif()
  file(APPEND ${records_probes}.log "${file}: built ${built}\n${output}\n")
  set(built ${built} PARENT_SCOPE)
  set(ran ${built} PARENT_SCOPE)
  records_can_run(can_run)
  if(built AND can_run AND type STREQUAL "EXECUTABLE")
    execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${file} RESULT_VARIABLE status
                    OUTPUT_VARIABLE printed ERROR_VARIABLE said)
    string(STRIP "${printed}" printed)
    if(NOT status EQUAL 0 OR NOT printed STREQUAL "1")
      string(STRIP "status ${status}: ${printed}\n${said}" said)
      set(said "${said}" PARENT_SCOPE)
      set(ran FALSE PARENT_SCOPE)
    endif()
  endif()
endfunction()

# Stops configure, saying what to do, where a plain C program cannot run here (a C++ runtime may be
# a DLL that Wine is not told of).
function(records_check_run stdlib)
  set(program ${records_probes}/plain)
  file(WRITE ${program}.cpp "#include <cstdio>\nint main() { std::puts(\"1\"); }\n")
  records_build(EXECUTABLE ${program} ${program}.cpp COMPILE ${stdlib} LINK ${stdlib})
  if(ran)
    return()
  elseif(NOT built OR NOT CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "records-demo: ${CMAKE_CXX_COMPILER} cannot build a plain program cleanly and "
                        "run it here (see CMakeFiles/records-probes.log): ${said}")
  endif()
  set(emulator "${CMAKE_CROSSCOMPILING_EMULATOR}")
  list(GET emulator 0 command)
  if(command MATCHES " " AND NOT EXISTS "${command}")
    string(REPLACE " " ";" words "${command}")
    set(hint " It is one word with spaces: give its command and arguments as a list, \"${words}\".")
  elseif(said MATCHES "Could not open '/lib")
    records_target_root(${CMAKE_CXX_COMPILER} root)
    string(CONCAT hint " qemu finds the target's loader with -L, \"${emulator};-L;${root}\", "
           "or QEMU_LD_PREFIX=${root}.")
  endif()
  message(FATAL_ERROR "records-demo: the emulator \"${emulator}\" cannot run a plain "
    "${CMAKE_SYSTEM_NAME} ${CMAKE_SYSTEM_PROCESSOR} program here: ${said}.${hint} To build without "
    "running the target's programs (and their end-to-end checks), give none: "
    "-DCMAKE_CROSSCOMPILING_EMULATOR=")
endfunction()

function(records_release name family dev)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "" "STDLIB")
  add_library(${name} INTERFACE)
  if(NOT family)
    message(STATUS "records-demo: ${CMAKE_CXX_COMPILER_ID} building for ${CMAKE_SYSTEM_NAME} has not been "
                   "tried: the release builds and links with CMake's defaults")
  endif()
  if(dev OR NOT family)
    return()
  endif()
  records_check_run("${arg_STDLIB}")
  # Each list starts empty, whatever the caller or the cache holds under its name.
  foreach(list IN ITEMS optimising compile link claims packager witnessed linked hardened made left_linked
                        left_hardened)
    set(${list} "")
  endforeach()
  # _FORTIFY_SOURCE works only where the flags optimise (their last -O is not -O0).
  foreach(config IN LISTS CMAKE_CONFIGURATION_TYPES CMAKE_BUILD_TYPE)
    string(TOUPPER "CMAKE_CXX_FLAGS_${config}" flags)
    if(" ${CMAKE_CXX_FLAGS} ${${flags}}" MATCHES ".* -O([^ ]*)" AND NOT CMAKE_MATCH_1 STREQUAL "0")
      list(APPEND optimising ${config})
    endif()
  endforeach()
  string(JOIN "," optimising ${optimising})
  # Flags given from outside (CXXFLAGS, LDFLAGS) decide what they set.
  string(TOUPPER "${CMAKE_BUILD_TYPE}" type)
  string(CONCAT packager_flags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${type}} "
         "${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${type}}")
  set(here ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  foreach(row IN LISTS records_rows_${family})
    string(REPLACE "|" ";" row "${row}")
    list(POP_FRONT row step var facts words decides options row_link)
    separate_arguments(facts)
    separate_arguments(options)
    separate_arguments(row_link)
    list(GET facts 0 first)
    string(REPLACE " " "|" decides "${decides}")
    set(group hardened)
    set(prefix RECORDS_HARDEN_)
    set(in_effect "\\0")
    if(step MATCHES "kind|link")
      set(group linked)
      set(prefix RECORDS_LINK_)
    elseif(step STREQUAL "optimise" AND optimising STREQUAL "")
      continue()
    elseif(step STREQUAL "optimise")
      set(in_effect "$<$<CONFIG:${optimising}>:\\0>")
    endif()
    list(TRANSFORM options REPLACE ".+" "${in_effect}" OUTPUT_VARIABLE row_options)
    set(var ${prefix}${var})
    if(decides AND packager_flags MATCHES "${decides}")
      if(NOT first IN_LIST packager)
        list(APPEND packager ${facts})
        string(APPEND left_${group} ", ${CMAKE_MATCH_0}")
      endif()
      continue()
    elseif(step STREQUAL "kind" AND made)
      continue()
    endif()

    # Probed once (-DVAR=OFF stands); built without options bound to configurations or kept
    # for its first fact (the link test checks the release lacks nothing an accepted option gives).
    set(base ${compile})
    list(REMOVE_ITEM base ${option_${first}} "")
    list(FILTER base EXCLUDE REGEX "^[$]<")
    set(base ${arg_STDLIB} ${base})
    set(probe ${records_probes}/${var})
    if(NOT DEFINED ${var}_SEEN)
      message(CHECK_START "Probing ${var}")
      records_build(EXECUTABLE ${probe}/program ${here}/probe.cpp
                    COMPILE ${base} ${options} LINK ${arg_STDLIB} ${link} ${row_link})
      set(read --seen ${CMAKE_READELF} ${CMAKE_OBJDUMP} ${probe}/program)
      set(accepted ${ran})
      if(built AND group STREQUAL "hardened")
        set(witness ${here}/hardening-witness.cpp COMPILE ${base})
        records_build(STATIC_LIBRARY ${probe}/without.a ${witness} -ffunction-sections)
        if(NOT built)
          message(FATAL_ERROR "records-demo: the hardening witness does not build: see "
                              "CMakeFiles/records-probes.log")
        endif()
        records_build(STATIC_LIBRARY ${probe}/with.a ${witness} ${options} -ffunction-sections)
        list(APPEND read --witness ${probe}/with.a)
        foreach(fact IN LISTS facts)
          list(APPEND read --without ${fact} ${probe}/without.a)
        endforeach()
      endif()
      set(seen "")
      if(built)
        execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/tests/link-facts ${read} OUTPUT_VARIABLE seen
                        RESULT_VARIABLE status OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT status EQUAL 0)
          message(FATAL_ERROR "records-demo: tests/link-facts cannot read the probe ${probe}/program")
        endif()
        separate_arguments(seen)
      else()
        set(accepted FALSE)
      endif()
      set(missing ${facts})
      list(REMOVE_ITEM missing - ${seen})
      set(works FALSE)
      if(accepted AND NOT missing)
        set(works TRUE)
        message(CHECK_PASS "yes")
      else()
        message(CHECK_FAIL "no (built cleanly: ${built}, ran: ${accepted}, seen: ${seen})")
      endif()
      set(${var}_SEEN "${seen}" CACHE INTERNAL "records-demo probe: the facts seen")
      set(${var}_ACCEPTED ${accepted} CACHE INTERNAL "records-demo probe: built cleanly and ran")
      set(${var} ${works} CACHE BOOL "records-demo probe: ${words}")
    endif()

    if(group STREQUAL "hardened")
      list(APPEND witnessed ${facts})
      foreach(fact IN LISTS facts)
        if(${var}_ACCEPTED)
          list(APPEND accepted_${fact} ${row_options})
        endif()
      endforeach()
    endif()
    if(NOT ${var} OR DEFINED option_${first})
      continue()
    elseif(group STREQUAL "hardened")
      foreach(fact IN LISTS facts)
        set(option_${fact} ${row_options})
      endforeach()
    elseif(step STREQUAL "kind")
      # The kind of link claimed is the one seen, dynamic where none is.
      set(facts ${${var}_SEEN})
      list(FILTER facts INCLUDE REGEX "^(dynamic|static-pie|static|no-runtime-dll)$")
      set(made dynamic ${facts})
      list(GET made -1 made)
    endif()
    list(APPEND compile ${row_options})
    list(APPEND link ${row_link})
    list(REMOVE_ITEM facts -)
    list(TRANSFORM facts REPLACE ".+" "${in_effect}")
    list(APPEND claims ${facts})
    list(APPEND ${group} "${words}")
  endforeach()
  target_compile_options(${name} INTERFACE ${compile})
  target_link_options(${name} INTERFACE ${link})

  string(REPLACE "no-runtime-dll" "static" made "${made}")
  list(REMOVE_DUPLICATES witnessed)
  list(REMOVE_ITEM witnessed ${packager} "")
  set_target_properties(${name} PROPERTIES RECORDS_CLAIMS "${claims}" RECORDS_PACKAGER "${packager}"
                                           RECORDS_LINK "${made}" RECORDS_WITHOUT "${witnessed}")
  foreach(fact IN LISTS witnessed)
    set(less ${compile})
    list(REMOVE_ITEM less ${option_${fact}} "")
    add_library(${name}-without-${fact} INTERFACE)
    target_compile_options(${name}-without-${fact} INTERFACE ${less})
    set(n 0)
    foreach(option IN LISTS accepted_${fact})
      math(EXPR n "${n} + 1")
      add_library(${name}-with-${fact}-${n} INTERFACE)
      target_compile_options(${name}-with-${fact}-${n} INTERFACE ${less} ${option})
    endforeach()
    set_property(TARGET ${name}-without-${fact} PROPERTY RECORDS_WITH ${n})
  endforeach()

  records_can_run(can_run)
  set(how "built, read and run")
  if(NOT can_run)
    set(how "built and read, not run: cross-compiling with no emulator")
  endif()
  if(NOT hardened)
    set(hardened nothing)
  endif()
  foreach(what IN ITEMS linked hardened)
    list(JOIN ${what} ", " ${what})
    string(REGEX REPLACE "^, " "; left to the packager's flags: " left "${left_${what}}")
    string(APPEND ${what} "${left}")
  endforeach()
  message(STATUS "records-demo: the release links ${linked} (probes ${how})")
  if(family STREQUAL "elf")
    message(STATUS "records-demo: the release compiles with ${hardened}")
  endif()
endfunction()
