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
// A right click without movement at this client point: the window's menu is asked for
// with WM_CONTEXTMENU, naming the window, which its parents pass up to the one that owns
// the menus.
void AskForContextMenu(HWND window, POINT point);
// The window's hold timer (board/press_tracker.h) for a press that has just begun.
void StartHoldTimer(HWND window);
// The hold timer fired and is stopped. A press still pending (true) is to become a drag
// at the pointer's current position.
bool HoldTimerFired(HWND window, int pressState, POINT* pointer);
