# Cross build for 64-bit Windows with Debian's mingw-w64 (the posix thread
# model, which C++'s threads need). The programs are linked statically, so
# they run on Windows, and under Wine, without the compiler's run-time DLLs
# beside them.
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

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
