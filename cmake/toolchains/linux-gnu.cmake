# Linux on another processor: Debian's cross g++ for the preset's RECORDS_CROSS_TRIPLE; its
# programs run here under qemu user mode, given the root of the target's C library.
if(NOT RECORDS_CROSS_TRIPLE)
  message(FATAL_ERROR "records-demo: set RECORDS_CROSS_TRIPLE to the target's GNU triple (aarch64-linux-gnu, ...)")
endif()
# Each probe's project reads this file again, and gets only what is listed here.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RECORDS_CROSS_TRIPLE)
list(REMOVE_DUPLICATES CMAKE_TRY_COMPILE_PLATFORM_VARIABLES)
set(CMAKE_SYSTEM_NAME Linux)
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR ${RECORDS_CROSS_TRIPLE})
set(CMAKE_C_COMPILER ${RECORDS_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${RECORDS_CROSS_TRIPLE}-g++)

include(${CMAKE_CURRENT_LIST_DIR}/emulator.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../toolchain.cmake)
records_target_root(${CMAKE_CXX_COMPILER} target_root)
if(target_root)
  set(qemu_options -L ${target_root})
endif()
records_use_emulator(${RECORDS_CROSS_TRIPLE} ${qemu_options})
