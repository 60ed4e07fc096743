// The piece box window's state.
#pragma once
#include "board/view_state.h"
#include "model/game_state.h"
#include <windows.h>

// Where the box is created: the values of boxPosition, kept in the registry as BoxPos.
enum BoxPlace { kBoxAtBottom, kBoxAtTop, kBoxAtRight, kBoxAtLeft, kBoxMaximised, kBoxPlaceCount };

struct BoxState {
    // The player's choices, which outlive every box window.
    int boxPosition;  // a BoxPlace
    BYTE goalPictureShown;
    int edgesOnly;  // only the edge pieces are shown; kept in the registry as BoxEdgesOnly

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
    // While only the edge pieces are shown: their table indices, in table order, one a slot.
    // Made anew at every layout, so that a paint never looks through the whole table.
    int edgeSlotCount;
    int edgeSlots[kMaxPieces];
};

extern BoxState g_box;

// Forgets the window, its buffer and its scroll and mouse state; keeps the choices.
void ClearBoxState();
