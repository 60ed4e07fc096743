// A window's scroll bar, set and read as the board and the box use theirs.
#pragma once
#include <windows.h>

// A window's scroll bar with the range 0..maximum, the page and the position given.
void SetScrollBar(HWND window, int bar, int maximum, UINT page, int position);
void RemoveScrollBar(HWND window, int bar);

// Where the thumb of a window's scroll bar is being dragged to, in full 32 bits.
int ThumbTrackPosition(HWND window, int bar);
