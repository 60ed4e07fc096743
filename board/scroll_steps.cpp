#include "board/scroll_steps.h"

// The scroll bar codes of the system's headers.
enum ScrollCode { kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4 };

const int kLinePixels = 10;
const int kPagePixels = 100;
const int kDesignDpi = 96;

int ClampScroll(int value, int highest)
{
    if (value > highest)
        value = highest;
    return value < 0 ? 0 : value;
}

// The bar's own place of the thumb, unless the message did not come from dragging it
// (a program's own message, whose place the bar knows nothing of).
static int ThumbPlace(uintptr_t wParam, int trackPosition)
{
    const int carried = (int)(wParam >> 16 & 0xFFFF);
    return (trackPosition & 0xFFFF) == carried ? trackPosition : carried;
}

bool ApplyScrollCode(uintptr_t wParam, int trackPosition, int dpi, int* position)
{
    const int line = kLinePixels * dpi / kDesignDpi, page = kPagePixels * dpi / kDesignDpi;
    // clang-format off
    switch (wParam & 0xFFFF) {
    case kLineUp:        *position -= line; return true;
    case kLineDown:      *position += line; return true;
    case kPageUp:        *position -= page; return true;
    case kPageDown:      *position += page; return true;
    case kThumbPosition: *position = ThumbPlace(wParam, trackPosition); return true;
    }
    // clang-format on
    return false;
}
