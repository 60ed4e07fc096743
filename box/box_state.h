// The piece box window's state.
#pragma once
#include <windows.h>
#include "board/view_state.h"

struct BoxState {
    HWND boxWindow;
    HDC boxPaintDC;
    Surface buffer;
    int boxClientWidth;
    int boxClientHeight;
    int boxContentHeight;
    int boxColumns;
    int boxScrollY;
    int boxDragState;  // 0 idle, 1 left down, 2 left held, 3 right down, 4 scrolling
    int boxLastX;
    int boxLastY;
};

extern BoxState g_box;

void ClearBoxState();
