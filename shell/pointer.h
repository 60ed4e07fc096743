// Small pieces of mouse handling shared by the board and the box.
#pragma once
#include <windows.h>

// Neither window takes the capture, so a message's point lies in its client area: the two
// words are read unsigned.
POINT PointFromLParam(LPARAM lParam);
POINT CursorInClient(HWND window);
// The class cursor too, or the next mouse move would put the old one back.
void SetWindowCursor(HWND window, HCURSOR cursor);
// Asks for WM_MOUSELEAVE: without capture, leaving is how a drag learns it is over.
void TrackMouseLeave(HWND window);
