// The board window's own state: its handle, whether it shows a game, its scroll position
// and its mouse. Zeroed once, at start: a game's end leaves the scroll and mouse as they were.
#pragma once
#include <windows.h>

struct BoardState {
    HWND window;      // stored by the board's own WM_CREATE
    BYTE gameActive;  // a game is loaded and shown; only the shell starts and ends one
    // How pieces are framed; the shell keeps both in the registry.
    int OptGrayBorder;  // the grey frame around a piece
    int OptGoalBorder;  // the frame when the puzzle is complete
    int scrollX;
    int scrollY;
    int mouseMode;  // a BoardMouseMode (board/board_mouse.h)
    int dragKind;   // a DragKind (board/board_mouse.h)
    POINT lastPoint;
    POINT bandAnchor;
    RECT bandRect;
};

extern BoardState g_board;
