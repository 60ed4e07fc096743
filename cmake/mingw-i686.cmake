# The x86 (32-bit) program, as shipped for every Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUILTRA_MINGW i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
# x87 extended precision rounds some of the cut's double expressions differently from
# the native build; SSE2 makes both give the same table for the same seed.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
