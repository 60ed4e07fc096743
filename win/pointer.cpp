#include "win/pointer.h"
#include "board/press_tracker.h"

POINT PointFromLParam(LPARAM lParam)
{
    return POINT{LOWORD(lParam), HIWORD(lParam)};
}

POINT CursorInClient(HWND window)
{
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(window, &point);
    return point;
}

void SetWindowCursor(HWND window, HCURSOR cursor)
{
    SetClassLongPtrW(window, GCLP_HCURSOR, (LONG_PTR)cursor);
    SetCursor(cursor);
}

void TrackMouseLeave(HWND window)
{
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
}

void StartHoldTimer(HWND window)
{
    SetTimer(window, kPressTimer, kPressHoldMs, nullptr);
}

bool HoldTimerFired(HWND window, int pressState, POINT* pointer)
{
    KillTimer(window, kPressTimer);
    if (!IsPressPending(pressState))
        return false;
    *pointer = CursorInClient(window);
    return true;
}

void AskForContextMenu(HWND window, POINT point)
{
    ClientToScreen(window, &point);
    SendMessageW(window, WM_CONTEXTMENU, (WPARAM)window, MAKELPARAM(point.x, point.y));
}
