// The board window, class "Quiltra Sight", on which the puzzle is played.
#pragma once
#include <windows.h>

LRESULT CALLBACK BoardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers the class and creates the board as a child of parent, top pixels down; it is
// laid out with its parent. Its WM_CREATE stores the handle in g_board.window.
void CreateBoardWindow(HWND parent, int top);

// Asks for the whole board to be drawn anew (RDW_INVALIDATE, with or without RDW_ERASE).
// A change of pieces or of the scroll position needs only InvalidateBoardChanges.
void RedrawBoard(UINT flags);
