#include "board/press_tracker.h"

bool IsPressPending(int state)
{
    return state == kPressLeftPending || state == kPressRightPending;
}

bool IsPressDragging(int state)
{
    return state == kPressLeftDragging || state == kPressRightDragging;
}

bool StartPress(int& state, PressSide button)
{
    if (state != kPressIdle)
        return false;
    state = button == kPressLeft ? kPressLeftPending : kPressRightPending;
    return true;
}

bool MoveAdvancesPress(int state, int x, int y, int lastX, int lastY)
{
    if (state == kPressIdle)
        return false;
    return !IsPressPending(state) || x != lastX || y != lastY;
}

bool BeginPressDrag(int& state)
{
    if (!IsPressPending(state))
        return false;
    state = state == kPressLeftPending ? kPressLeftDragging : kPressRightDragging;
    return true;
}

PressRelease ReleasePress(int& state, PressSide button)
{
    const bool left = button == kPressLeft;
    if (state == (left ? kPressLeftPending : kPressRightPending)) {
        state = kPressIdle;
        return kReleaseClick;
    }
    if (state == (left ? kPressLeftDragging : kPressRightDragging))
        return kReleaseDragEnd;
    return kReleaseIgnored;
}
