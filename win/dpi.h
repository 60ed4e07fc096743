// Pixels per inch. Everything the program lays out in pixels is designed at 96 DPI and
// scaled to its window's DPI; the board itself never is (100 % is a screen pixel a picture
// pixel at every DPI).
#pragma once
#include <windows.h>

const UINT kDesignDpi = 96;

// The window's DPI: GetDpiForWindow where the system has it (Windows 10 1607 on), else its
// monitor's (Windows 8.1 on), else the screen's.
UINT WindowDpi(HWND window);
// A size designed at 96 DPI, at dpi.
int ScaledToDpi(int designPixels, UINT dpi);
// The system's message font (the status bar's) at dpi; the caller deletes it.
HFONT MakeStatusFont(UINT dpi);
