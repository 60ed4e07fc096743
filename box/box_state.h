// The piece box window's state.
#pragma once
#include "board/view_state.h"
#include <windows.h>

struct BoxState {
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

void ClearBoxState();
