#include "shell/pointer.h"

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
    SetClassLongPtrA(window, GCLP_HCURSOR, (LONG_PTR)cursor);
    SetCursor(cursor);
}

void TrackMouseLeave(HWND window)
{
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
}
