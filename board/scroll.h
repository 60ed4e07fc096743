// The board's scroll position, its limits and the scroll bars.
#pragma once
#include "board/scroll_steps.h"
#include <windows.h>

void UpdateScrollBars();

// A window's scroll bar with the range 0..maximum, the page and the position given.
void SetScrollBar(HWND window, int bar, int maximum, UINT page, int position);
void RemoveScrollBar(HWND window, int bar);

// Where the thumb of a window's scroll bar is being dragged to, in full 32 bits.
int ThumbTrackPosition(HWND window, int bar);

// A WM_HSCROLL or WM_VSCROLL of the board window.
void ScrollBoard(int bar, WPARAM wParam);
