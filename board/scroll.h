// The board's scroll position, its limits and the scroll bars.
#pragma once
#include "board/scroll_steps.h"
#include "win/scroll_bar.h"
#include <windows.h>

void UpdateScrollBars();

// A WM_HSCROLL or WM_VSCROLL of the board window.
void ScrollBoard(int bar, WPARAM wParam);
