#include "board/scroll_steps.h"

// The scroll bar codes of the system's headers.
enum ScrollCode { kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4 };

const int kLinePixels = 10;
const int kPagePixels = 100;

int ClampScroll(int value, int highest)
{
    if (value > highest)
        value = highest;
    return value < 0 ? 0 : value;
}

bool ApplyScrollCode(uintptr_t wParam, int* position)
{
    // clang-format off
    switch (wParam & 0xFFFF) {
    case kLineUp:        *position -= kLinePixels; return true;
    case kLineDown:      *position += kLinePixels; return true;
    case kPageUp:        *position -= kPagePixels; return true;
    case kPageDown:      *position += kPagePixels; return true;
    case kThumbPosition: *position = (int)(wParam >> 16 & 0xFFFF); return true;
    }
    // clang-format on
    return false;
}
