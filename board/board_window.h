// The board window, class "Quiltra Sight", on which the puzzle is played.
#pragma once
#include <windows.h>

LRESULT CALLBACK BoardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
