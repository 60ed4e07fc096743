// The board window, class "Quiltra Sight", on which the puzzle is played.
#pragma once
#include <windows.h>

LRESULT CALLBACK BoardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asks for the whole board to be drawn anew (RDW_INVALIDATE, with or without RDW_ERASE).
// A change of pieces or of the scroll position needs only InvalidateBoardChanges.
void RedrawBoard(UINT flags);
