# Cross build of the program's core as 32-bit Windows programs with Debian's
# MinGW-w64 (g++-mingw-w64-i686), posix thread model so that std::thread and
# std::mutex work. Everything is linked statically: no DLL beside the .exe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(mingw_triplet i686-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The core alone unless the program is asked for (-DQUILLOMAR_BUILD_GUI=ON,
# as the win32 preset does); the benchmarks stay on Linux.
set(QUILLOMAR_BUILD_GUI OFF CACHE BOOL "Build the Win32 program and its window tests")
set(QUILLOMAR_BUILD_BENCH OFF CACHE BOOL "" FORCE)
# Tests run under Wine, not through CTest's discovery on the build machine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine CACHE STRING "")
