#include "win/scroll_bar.h"

// Drawing a bar anew costs some 5 ms under Wine, and a scroll step sets both bars: a bar
// is touched only when something of it changes, and only its position when that is all.
void SetScrollBar(HWND window, int bar, int maximum, UINT page, int position)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    const bool known = GetScrollInfo(window, bar, &info);
    const bool sameShape = known && info.nMin == 0 && info.nMax == maximum && info.nPage == page;
    if (sameShape && info.nPos == position)
        return;
    info.fMask = sameShape ? SIF_POS : SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = maximum;
    info.nPage = page;
    info.nPos = position;
    SetScrollInfo(window, bar, &info, TRUE);
}

// A page larger than the empty range leaves nothing to scroll, and the bar goes.
void RemoveScrollBar(HWND window, int bar)
{
    SetScrollBar(window, bar, 0, 1, 0);
}

int ThumbTrackPosition(HWND window, int bar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(window, bar, &info);
    return info.nTrackPos;
}
