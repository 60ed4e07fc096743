# The x64 program, for 64-bit Windows; it computes in SSE2 like the native build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUILTRA_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
