// Test pictures written by hand: a plain 24-bit BMP file, bottom-up, of one colour.
#pragma once
#include <windows.h>

bool WriteBmpFile(const wchar_t* path, int width, int height, COLORREF colour);
