// A 32-bit top-down DIB section: the pixel at (x, y) is bits[y * width + x], 0x00RRGGBB.
// The tests draw into such bitmaps, and read the screen or a DC back through them.
#pragma once
#include <windows.h>

HBITMAP CreateDib32(int width, int height, DWORD** bits);
