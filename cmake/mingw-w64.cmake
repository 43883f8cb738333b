# Cross build for 64-bit Windows with Debian's mingw-w64 (the posix thread
# model, which C++'s threads need). The programs, the host DLL and the
# package modules share one C++ run-time: the compiler's DLLs (libstdc++,
# libgcc, winpthread), which the build copies beside the programs. Each
# module linking its own static copy would give each its own exception
# run-time and its own iostreams, and an exception thrown in a package
# could not be caught by the IDE that loaded it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TABULON_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TABULON_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TABULON_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TABULON_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TABULON_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
