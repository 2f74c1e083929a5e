# How the release links and is hardened: one table of choices, walked in order,
# each kept only where configure sees its effect on the target's own output.
#   records_release(NAME FAMILY DEV [STDLIB options...])
# makes the interface target NAME, which the program, the hardening witness and
# the benchmark's floors link, and sets on it what the link test needs:
#   RECORDS_CLAIMS    the facts tests/link-facts must read off the program
#   RECORDS_PACKAGER  the facts the packager's flags decided
#   RECORDS_LINK      the kind of link made: static-pie, static or dynamic
#   RECORDS_WITHOUT   facts read off the witness; for each FACT, the interface
#                     targets NAME-without-FACT (the release's options less
#                     the one that gives FACT) and NAME-with-FACT-N (that, plus
#                     the Nth option the toolchain accepts for FACT)
# FAMILY is records_toolchain's; DEV whether this is the developer build, which
# keeps the toolchain's defaults (sanitizer runtimes cannot be linked
# statically) and claims nothing; STDLIB the standard library's options.
#
# Why these choices. A run is almost all process start-up, so the program links
# everything statically: no dynamic loader, no shared C++ runtime to load and
# relocate, and on Windows no MinGW runtime DLL that a machine may lack. On
# Linux it is a static-pie: loaded at a random address like any hardened Debian
# program, and its unwinder finds the exception tables through the program
# headers, where a plain static program registers them as it starts (libgcc 13
# and later walk each of them then: a run costs about four times as much). Where
# a link cannot be made the next is tried: static, then a static C++ runtime
# over the shared C library, then the toolchain's default. Packed relative
# relocations keep a static-pie's self-relocation short; full RELRO makes the
# relocated data read-only; dropping unused sections keeps the image small. The
# compile is hardened much as Debian hardens its packages. On Windows, ASLR and
# DEP are asked of the linker rather than left to its defaults, and no link
# time is written, so that the same sources give the same program.
#
# How a choice is tried: a probe program is built with the choices kept so far
# and this one, without a single diagnostic; tests/link-facts reads its facts;
# where the target's programs run here (natively or through
# CMAKE_CROSSCOMPILING_EMULATOR), it must run and print what it should. A
# hardening option is also built into the witness, and its facts are those by
# which the witness's code differs from the witness without it: an option the
# compiler takes but that changes nothing is not kept. Answers are cached, and
# one given with -DVAR=OFF stands (the link test then fails where the
# toolchain gives what was turned off). Each probe's build and reading are
# kept in CMakeFiles/records-probes.log.
#
# The table. A row: step | cache variable | facts it must show | words for
# configure | words in the packager's flags that decide it | compile options |
# link options. Steps: `kind`, the kind of link, the first that works; `link`,
# a link option kept where it works; `harden` and, only where the build
# optimises, `optimise`: a compile option, kept where it works unless an
# earlier row gave its first fact. A fact "-" is none to show.
include(${CMAKE_CURRENT_LIST_DIR}/toolchain.cmake)

set(records_rows_elf
  "kind|RECORDS_LINK_STATIC_PIE|static-pie|static-pie|no-pie -fno-PIE -fno-pie|-fPIE|-static-pie"
  "kind|RECORDS_LINK_STATIC|static|static, not position independent|||-static"
  "kind|RECORDS_LINK_STATIC_RUNTIME|dynamic|with a static C++ runtime over the shared C library|||-static-libstdc++ -static-libgcc"
  "kind|RECORDS_LINK_DEFAULT|dynamic|as the toolchain does by default|||"
  "link|RECORDS_LINK_PACKED_RELOCS|relr|packed relative relocations|||-Wl,-z,pack-relative-relocs"
  "link|RECORDS_LINK_FULL_RELRO|relro bind-now|full RELRO|||-Wl,-z,relro,-z,now"
  "link|RECORDS_LINK_GC_SECTIONS|-|unused sections dropped|||-Wl,--gc-sections"
  "harden|RECORDS_HARDEN_STACK_PROTECTOR|stack-protector|stack protector (strong)|-fstack-protector -fno-stack-protector|-fstack-protector-strong|"
  "harden|RECORDS_HARDEN_STACK_CLASH|stack-clash|stack clash protection|stack-clash-protection|-fstack-clash-protection|"
  "harden|RECORDS_HARDEN_CF_PROTECTION|control-flow|control-flow protection (-fcf-protection)|-fcf-protection -mbranch-protection|-fcf-protection|"
  "harden|RECORDS_HARDEN_BRANCH_PROTECTION|control-flow|control-flow protection (-mbranch-protection)|-fcf-protection -mbranch-protection|-mbranch-protection=standard|"
  "optimise|RECORDS_HARDEN_FORTIFY_3|fortify fortify-3|_FORTIFY_SOURCE=3|_FORTIFY_SOURCE|-D_FORTIFY_SOURCE=3|"
  "optimise|RECORDS_HARDEN_FORTIFY_2|fortify|_FORTIFY_SOURCE=2|_FORTIFY_SOURCE|-D_FORTIFY_SOURCE=2|")
set(records_rows_mingw
  "kind|RECORDS_LINK_STATIC|no-runtime-dll|static, no MinGW runtime DLL|||-static"
  "kind|RECORDS_LINK_STATIC_RUNTIME|-|with a static C++ runtime (a MinGW runtime DLL may remain)|||-static-libstdc++ -static-libgcc"
  "kind|RECORDS_LINK_DEFAULT|-|as the toolchain does by default|||"
  "link|RECORDS_LINK_ASLR|aslr|ASLR|||-Wl,--dynamicbase"
  "link|RECORDS_LINK_HIGH_ENTROPY_VA|high-entropy-va|64-bit ASLR|||-Wl,--high-entropy-va"
  "link|RECORDS_LINK_DEP|dep|DEP|||-Wl,--nxcompat"
  "link|RECORDS_LINK_NO_TIMESTAMP|-|no link time written|||-Wl,--no-insert-timestamp"
  "link|RECORDS_LINK_GC_SECTIONS|-|unused sections dropped|||-Wl,--gc-sections")

# Builds SOURCE as TYPE (EXECUTABLE or STATIC_LIBRARY) into FILE, in the
# release's configuration so that its flags apply, and sets built to whether it
# built without a single diagnostic. A diagnostic is told apart from a path by
# its form ("file:line: warning: ..."), the project's folders taken out first:
# their names never count.
function(records_build type file source)
  cmake_parse_arguments(PARSE_ARGV 3 build "" "" "COMPILE;LINK")
  set(CMAKE_TRY_COMPILE_TARGET_TYPE ${type})
  set(CMAKE_TRY_COMPILE_CONFIGURATION ${CMAKE_BUILD_TYPE})
  try_compile(built ${PROJECT_BINARY_DIR}/CMakeFiles/records-probes ${source} COMPILE_DEFINITIONS ${build_COMPILE}
              LINK_OPTIONS ${build_LINK} OUTPUT_VARIABLE output COPY_FILE ${file} COPY_FILE_ERROR copy_error)
  string(REPLACE "${PROJECT_BINARY_DIR}" "<build>" output "${output}")
  string(REPLACE "${PROJECT_SOURCE_DIR}" "<source>" output "${output}")
  if(output MATCHES "(^|\n|: )[Ww]arning: ")
    set(built FALSE)
  endif()
  file(APPEND ${PROJECT_BINARY_DIR}/CMakeFiles/records-probes.log "${file}: built ${built}\n${output}\n")
  set(built ${built} PARENT_SCOPE)
endfunction()

# Runs PROGRAM, natively or through the emulator; sets ran to whether it
# printed "1" and exited 0, and said to what it printed otherwise.
# Cross-compiling with no emulator, nothing can be run: ran is then true.
function(records_run program)
  set(ran TRUE)
  set(said "")
  records_can_run(can_run)
  if(can_run)
    execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${program} RESULT_VARIABLE status
                    OUTPUT_VARIABLE printed ERROR_VARIABLE said)
    string(STRIP "${printed}" printed)
    if(NOT status EQUAL 0 OR NOT printed STREQUAL "1")
      set(ran FALSE)
      string(STRIP "status ${status}: ${printed}\n${said}" said)
    endif()
  endif()
  set(ran ${ran} PARENT_SCOPE)
  set(said "${said}" PARENT_SCOPE)
endfunction()

# Stops configure, saying why and what to do, where a plain program cannot be
# run here although it should be: natively, or through the emulator named.
function(records_check_run stdlib)
  # The C library alone, which every target's programs find: with the
  # toolchain's default link a C++ runtime may be a shared library that the
  # emulator is not told where to find (MinGW's DLLs under Wine).
  set(program ${PROJECT_BINARY_DIR}/CMakeFiles/records-probes/plain)
  file(WRITE ${program}.cpp "#include <cstdio>\nint main() { std::puts(\"1\"); }\n")
  records_build(EXECUTABLE ${program} ${program}.cpp COMPILE ${stdlib} LINK ${stdlib})
  if(NOT built)
    message(FATAL_ERROR "records-demo: ${CMAKE_CXX_COMPILER} cannot build a plain program cleanly: "
                        "see CMakeFiles/records-probes.log")
  endif()
  records_run(${program})
  if(ran)
    return()
  elseif(NOT CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "records-demo: a plain program built here does not run here: ${said}")
  endif()
  list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 command)
  set(hint "")
  if(command MATCHES " " AND NOT EXISTS "${command}")
    string(REPLACE " " ";" words "${command}")
    set(hint " It is one word with spaces: give the command and its arguments as a list (\"${words}\").")
  elseif(said MATCHES "Could not open '/lib")
    # qemu looks for the target's loader under / unless it is given a root.
    records_target_root(${CMAKE_CXX_COMPILER} root)
    string(CONCAT hint " qemu needs the target's root to find its loader: give it with -L "
           "(\"${CMAKE_CROSSCOMPILING_EMULATOR};-L;${root}\") or QEMU_LD_PREFIX=${root}.")
  endif()
  message(FATAL_ERROR
    "records-demo: the emulator \"${CMAKE_CROSSCOMPILING_EMULATOR}\" cannot run a plain ${CMAKE_SYSTEM_NAME} "
    "${CMAKE_SYSTEM_PROCESSOR} program here: ${said}.${hint} To configure and build without running the "
    "target's programs (their end-to-end checks are then disabled), give none: -DCMAKE_CROSSCOMPILING_EMULATOR=")
endfunction()

# Tries one row of the table: the probe program is built with COMPILE and LINK;
# with WITNESS, the witness too, and again with BASE alone. Sets SEEN to the
# facts tests/link-facts reads off them (a witness's: those by which its two
# builds differ); caches VAR_ACCEPTED, whether all built cleanly and ran, and
# VAR, whether they did and showed every one of FACTS (unless given: -DVAR).
function(records_try var seen_var facts)
  cmake_parse_arguments(PARSE_ARGV 3 try "WITNESS" "" "COMPILE;LINK;BASE")
  if(NOT DEFINED ${var}_SEEN)
    message(CHECK_START "Probing ${var}")
    set(folder ${PROJECT_BINARY_DIR}/CMakeFiles/records-probes/${var})
    set(read ${PROJECT_SOURCE_DIR}/tests/link-facts --seen ${CMAKE_READELF} ${CMAKE_OBJDUMP} ${folder}/program)
    set(witness ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/hardening-witness.cpp)
    records_build(EXECUTABLE ${folder}/program ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/probe.cpp
                  COMPILE ${try_COMPILE} LINK ${try_LINK})
    if(built AND try_WITNESS)
      records_build(STATIC_LIBRARY ${folder}/without.a ${witness} COMPILE ${try_BASE} -ffunction-sections)
      if(NOT built)
        message(FATAL_ERROR "records-demo: the hardening witness does not build: see CMakeFiles/records-probes.log")
      endif()
      records_build(STATIC_LIBRARY ${folder}/with.a ${witness} COMPILE ${try_COMPILE} -ffunction-sections)
      list(APPEND read --witness ${folder}/with.a)
      foreach(fact IN LISTS facts)
        list(APPEND read --without ${fact} ${folder}/without.a)
      endforeach()
    endif()
    set(seen "")
    set(ran FALSE)
    if(built)
      records_run(${folder}/program)
      execute_process(COMMAND bash ${read} OUTPUT_VARIABLE seen RESULT_VARIABLE status OUTPUT_STRIP_TRAILING_WHITESPACE)
      if(NOT status EQUAL 0)
        message(FATAL_ERROR "records-demo: tests/link-facts cannot read the probe ${folder}/program")
      endif()
      separate_arguments(seen)
    endif()
    set(works ${ran})
    foreach(fact IN LISTS facts)
      if(NOT fact STREQUAL "-" AND NOT fact IN_LIST seen)
        set(works FALSE)
      endif()
    endforeach()
    if(works)
      message(CHECK_PASS "yes")
    else()
      message(CHECK_FAIL "no (built cleanly: ${built}, ran: ${ran}, seen: ${seen})")
    endif()
    set(${var}_SEEN "${seen}" CACHE INTERNAL "records-demo probe: the facts seen")
    set(${var}_ACCEPTED ${ran} CACHE INTERNAL "records-demo probe: built cleanly and ran")
    if(NOT DEFINED ${var})
      set(${var} ${works} CACHE BOOL "records-demo probe: ${try_COMPILE} ${try_LINK}")
    endif()
  endif()
  set(${seen_var} "${${var}_SEEN}" PARENT_SCOPE)
endfunction()

# The configurations whose flags optimise (an -O other than -O0 last), joined
# by commas: only there does _FORTIFY_SOURCE do anything.
function(records_optimising_configs var)
  get_property(multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
  set(configs ${CMAKE_BUILD_TYPE})
  if(multi_config)
    set(configs ${CMAKE_CONFIGURATION_TYPES})
  endif()
  set(optimising "")
  foreach(config IN LISTS configs)
    string(TOUPPER "${config}" upper)
    string(REGEX MATCHALL "(^| )-O[^ ]*" levels "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${upper}}")
    list(POP_BACK levels last)
    if(last MATCHES "-O" AND NOT last MATCHES "-O0$")
      list(APPEND optimising ${config})
    endif()
  endforeach()
  string(JOIN "," optimising ${optimising})
  set(${var} "${optimising}" PARENT_SCOPE)
endfunction()

function(records_release name family dev)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "" "STDLIB")
  add_library(${name} INTERFACE)
  if(NOT family)
    message(STATUS "records-demo: ${CMAKE_CXX_COMPILER_ID} building for ${CMAKE_SYSTEM_NAME} has not been tried: "
                   "the release builds and links with CMake's defaults")
  endif()
  if(dev OR NOT family)
    return()
  endif()
  records_check_run("${arg_STDLIB}")
  records_optimising_configs(optimising)
  # Flags given from outside (CXXFLAGS and LDFLAGS, or their CMake variables)
  # decide what they set.
  string(TOUPPER "${CMAKE_BUILD_TYPE}" type)
  set(packager_flags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${type}} ${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${type}}")
  # Kept so far: compile options as the target takes them (an `optimise` row's
  # only where the configuration optimises), link options, facts claimed,
  # hardening facts, rows accepted, configure's words.
  foreach(list IN ITEMS compile link claims kept accepted packager witnessed)
    set(${list} "")
  endforeach()
  set(made "")
  foreach(row IN LISTS records_rows_${family})
    string(REPLACE "|" ";" fields "${row}")
    list(POP_FRONT fields step var facts words decides options row_link)
    separate_arguments(facts)
    separate_arguments(options)
    separate_arguments(row_link)
    list(GET facts 0 first)
    string(REPLACE " " "|" decides "${decides}")
    set(decided "")
    if(decides)
      string(REGEX MATCH "${decides}" decided "${packager_flags}")
    endif()
    if(step STREQUAL "optimise")
      if(optimising STREQUAL "")
        continue()
      endif()
      list(TRANSFORM options REPLACE "^(.+)$" "$<$<CONFIG:${optimising}>:\\1>")
      list(TRANSFORM facts REPLACE "^(.+)$" "$<$<CONFIG:${optimising}>:\\1>" OUTPUT_VARIABLE row_claims)
    else()
      set(row_claims ${facts})
    endif()
    # Probes take the options as they are, in the release's configuration.
    list(TRANSFORM compile REPLACE "^\\$<\\$<CONFIG:[^>]*>:(.*)>$" "\\1" OUTPUT_VARIABLE plain)
    list(TRANSFORM options REPLACE "^\\$<\\$<CONFIG:[^>]*>:(.*)>$" "\\1" OUTPUT_VARIABLE row_plain)

    if(decided)
      if(NOT first IN_LIST packager)
        list(APPEND packager ${facts})
        list(APPEND words_${step} "${decided}")
      endif()
    elseif(step STREQUAL "kind")
      if(made STREQUAL "")
        records_try(${var} seen "${facts}" COMPILE ${arg_STDLIB} ${row_plain} LINK ${arg_STDLIB} ${row_link})
        if(${var})
          list(APPEND compile ${options})
          list(APPEND link ${row_link})
          list(APPEND words_linked "${words}")
          set(made dynamic)
          foreach(fact IN LISTS seen)
            if(fact MATCHES "^(dynamic|static-pie|static|no-runtime-dll)$")
              list(APPEND claims ${fact})
              set(made ${fact})
            endif()
          endforeach()
        endif()
      endif()
    elseif(step STREQUAL "link")
      records_try(${var} seen "${facts}" COMPILE ${arg_STDLIB} ${plain} LINK ${arg_STDLIB} ${link} ${row_link})
      if(${var})
        list(APPEND link ${row_link})
        list(APPEND claims ${facts})
        list(REMOVE_ITEM claims -)
        list(APPEND words_linked "${words}")
      endif()
    else()
      # Tried over the options kept so far less those for its own facts, so that
      # an alternative is known to work even where an earlier row is kept: the
      # link test checks that the release lacks nothing any of them gives.
      set(others ${plain})
      foreach(fact IN LISTS facts)
        list(REMOVE_ITEM others ${plain_${fact}} "")
      endforeach()
      records_try(${var} seen "${facts}" COMPILE ${arg_STDLIB} ${others} ${row_plain}
                  LINK ${arg_STDLIB} ${link} WITNESS BASE ${arg_STDLIB} ${others})
      if(${var}_ACCEPTED)
        string(JOIN " " row_facts ${facts})
        list(APPEND accepted "${row_facts}|${options}")
      endif()
      if(${var} AND NOT first IN_LIST kept)
        list(APPEND compile ${options})
        list(APPEND claims ${row_claims})
        list(APPEND kept ${facts})
        list(APPEND words_hardened "${words}")
        foreach(fact IN LISTS facts)
          set(option_${fact} ${options})
          set(plain_${fact} ${row_plain})
        endforeach()
      endif()
      list(APPEND witnessed ${facts})
    endif()
  endforeach()
  target_compile_options(${name} INTERFACE ${compile})
  target_link_options(${name} INTERFACE ${link})

  # The witness's builds for the link test: the release less the option that
  # gives one fact, and that plus each option the toolchain accepts for it.
  list(REMOVE_DUPLICATES witnessed)
  list(REMOVE_ITEM witnessed ${packager} "")
  foreach(fact IN LISTS witnessed)
    set(less ${compile})
    list(REMOVE_ITEM less ${option_${fact}} "")
    add_library(${name}-without-${fact} INTERFACE)
    target_compile_options(${name}-without-${fact} INTERFACE ${less})
    set(n 0)
    foreach(row IN LISTS accepted)
      string(REPLACE "|" ";" row "${row}")
      list(POP_FRONT row row_facts)
      separate_arguments(row_facts)
      if(fact IN_LIST row_facts)
        math(EXPR n "${n} + 1")
        add_library(${name}-with-${fact}-${n} INTERFACE)
        target_compile_options(${name}-with-${fact}-${n} INTERFACE ${less} ${row})
      endif()
    endforeach()
    set_property(TARGET ${name}-without-${fact} PROPERTY RECORDS_WITH ${n})
  endforeach()
  string(REPLACE "no-runtime-dll" "static" made "${made}")
  set_target_properties(${name} PROPERTIES RECORDS_CLAIMS "${claims}" RECORDS_PACKAGER "${packager}"
                                           RECORDS_LINK "${made}" RECORDS_WITHOUT "${witnessed}")

  # What configure says: what it kept, what it left to the packager's flags,
  # and how it knows.
  set(how "probes built, read and run")
  records_can_run(can_run)
  if(NOT can_run)
    set(how "probes built and read, not run: cross-compiling with no emulator")
  endif()
  list(APPEND words_link ${words_kind})
  list(APPEND words_harden ${words_optimise})
  foreach(what IN ITEMS linked hardened link harden)
    string(JOIN ", " words_${what} ${words_${what}})
    if(what MATCHES "^(link|harden)$" AND words_${what})
      set(words_${what} "; left to the packager's flags: ${words_${what}}")
    endif()
  endforeach()
  message(STATUS "records-demo: the release links ${words_linked}${words_link} (${how})")
  if(family STREQUAL "elf")
    if(words_hardened STREQUAL "")
      set(words_hardened "nothing")
    endif()
    message(STATUS "records-demo: the release compiles with ${words_hardened}${words_harden}")
  endif()
endfunction()
