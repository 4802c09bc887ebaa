# Cross-compiles for 64-bit Windows with mingw-w64 (Debian's g++-mingw-w64-x86-64-posix and
# mingw-w64-tools). The posix-threads compilers carry std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SLEDWAY_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SLEDWAY_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SLEDWAY_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SLEDWAY_MINGW_TRIPLE}-windres)
find_program(SLEDWAY_WIDL NAMES ${SLEDWAY_MINGW_TRIPLE}-widl widl)

set(CMAKE_FIND_ROOT_PATH /usr/${SLEDWAY_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime and winpthreads linked in, so a program or library needs nothing but
# Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# -O2 rather than -O3 for Release: at -O3, GCC 12 warns falsely of overlapping copies inside
# std::string::replace (-Wrestrict, GCC bug 105329), which the presets make an error.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of the Release build")
