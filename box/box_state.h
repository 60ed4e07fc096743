// The piece box window's state.
#pragma once
#include "board/view_state.h"
#include <windows.h>

// Where the box is created: the values of boxPosition, kept in the registry as BoxPos.
enum BoxPlace { kBoxAtBottom, kBoxAtTop, kBoxAtRight, kBoxAtLeft, kBoxMaximised, kBoxPlaceCount };

struct BoxState {
    // The player's choices, which outlive every box window.
    int boxPosition;  // a BoxPlace
    BYTE goalPictureShown;

    HWND boxWindow;
    HDC boxPaintDC;
    Surface buffer;
    int boxClientWidth;
    int boxClientHeight;
    int boxContentHeight;
    int boxColumns;
    int boxScrollY;
    int boxDragState;  // a BoxDragState (box/box_window.h)
    int boxLastX;
    int boxLastY;
};

extern BoxState g_box;

// Forgets the window, its buffer and its scroll and mouse state; keeps the choices.
void ClearBoxState();
