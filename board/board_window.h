// The board window, class "Quiltra Sight", on which the puzzle is played.
#pragma once
#include <windows.h>

LRESULT CALLBACK BoardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asks for a repaint of the whole board window (RDW_INVALIDATE, with or without RDW_ERASE).
void RedrawBoard(UINT flags);
