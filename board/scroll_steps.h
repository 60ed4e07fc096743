// The arithmetic of a scroll position, apart from the scroll bars. No windows.h: it is
// fuzzed natively together with the view's sizes.
#pragma once
#include <stdint.h>

// Applies a scroll bar's code (the low word of a WM_HSCROLL or WM_VSCROLL wParam) to a
// position: lines of 10 pixels, pages of 100 (at 96 DPI, scaled to the window's dpi), or the
// released thumb's place. That place is
// trackPosition, the bar's own, when its low 16 bits are the message's high word: the
// message's 16 bits cut off a box taller than 65535 pixels. False for the codes that are
// ignored (thumb tracking among them, so the view moves when the thumb is let go).
bool ApplyScrollCode(uintptr_t wParam, int trackPosition, int dpi, int* position);
// value limited to 0..highest; 0 when highest is negative.
int ClampScroll(int value, int highest);
