# Cross-compiling for 64-bit ARM Linux with Debian's cross compiler (g++-aarch64-linux-gnu),
# for the tests that show the code builds and runs off x86; the programs run under qemu-user.
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(arm64_triple aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${arm64_triple}-gcc)
set(CMAKE_CXX_COMPILER ${arm64_triple}-g++)

# Headers and libraries come from the cross tree only (no arm64 libraries are installed
# besides the C and C++ runtimes), programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${arm64_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Linked statically, so that qemu-user runs each program without an arm64 root to find the
# C library in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(CORPOMETER_QEMU_AARCH64 qemu-aarch64 NO_CMAKE_FIND_ROOT_PATH)
if(CORPOMETER_QEMU_AARCH64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CORPOMETER_QEMU_AARCH64})
endif()
