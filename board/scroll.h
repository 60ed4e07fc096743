// The board's scroll position, its limits and the scroll bars.
#pragma once
#include <windows.h>

void UpdateScrollBars();

// Applies a scroll bar's code to a position: lines of 10 pixels, pages of 100, or the
// released thumb. False for the codes that are ignored (thumb tracking among them, so the
// view moves when the thumb is let go).
bool ApplyScrollCode(WPARAM wParam, int* position);
// value limited to 0..highest; 0 when highest is negative.
int ClampScroll(int value, int highest);
// A WM_HSCROLL or WM_VSCROLL of the board window.
void ScrollBoard(int bar, WPARAM wParam);
