# arm64 Linux: Debian's cross g++ for aarch64; its programs run here under qemu
# user mode, which finds the target's C library (for a program that is not
# static) where the cross compiler finds it.

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

include(${CMAKE_CURRENT_LIST_DIR}/emulator.cmake)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libc.so.6
                OUTPUT_VARIABLE libc OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(IS_ABSOLUTE "${libc}")
  cmake_path(NORMAL_PATH libc)
  cmake_path(GET libc PARENT_PATH lib)
  cmake_path(GET lib PARENT_PATH target_root)
  records_use_emulator(arm64 -L ${target_root})
else()
  records_use_emulator(arm64)
endif()
