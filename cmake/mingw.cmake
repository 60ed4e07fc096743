# Cross build of the Windows program and its Windows-side tests, shared by the x86 and the
# x64 toolchain files, which set QUILTRA_MINGW (the compilers' prefix) before including it.
set(CMAKE_SYSTEM_NAME Windows)
# The posix-thread variant: GoogleTest needs std::mutex, which the win32-thread one lacks.
set(CMAKE_C_COMPILER ${QUILTRA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILTRA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILTRA_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUILTRA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
