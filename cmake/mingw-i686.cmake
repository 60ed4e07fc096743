# Cross build of the Windows program and its Windows-side tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
# The posix-thread variant: GoogleTest needs std::mutex, which the win32-thread one lacks.
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# x87 extended precision rounds some of the cut's double expressions differently from
# the native build; SSE2 makes both give the same table for the same seed.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
