#include "board/scroll.h"
#include "board/board_changes.h"
#include "board/view_geometry.h"
#include "shell/shell_state.h"

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

static void SetBar(int bar, int extent, int client, int position)
{
    if (g_shell.gameActive)
        SetScrollBar(g_shell.boardWindow, bar,
                     (unsigned)extent > (unsigned)client ? extent : client, client, position);
    else
        RemoveScrollBar(g_shell.boardWindow, bar);
}

void UpdateScrollBars()
{
    RECT client;
    GetClientRect(g_shell.boardWindow, &client);
    if (g_shell.gameActive) {
        g_shell.scrollX = ClampScroll(g_shell.scrollX, g_geometry.boardWidth - client.right);
        g_shell.scrollY = ClampScroll(g_shell.scrollY, g_geometry.boardHeight - client.bottom);
    }
    SetBar(SB_HORZ, g_geometry.boardWidth, client.right, g_shell.scrollX);
    SetBar(SB_VERT, g_geometry.boardHeight, client.bottom, g_shell.scrollY);
}

int ThumbTrackPosition(HWND window, int bar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(window, bar, &info);
    return info.nTrackPos;
}

void ScrollBoard(int bar, WPARAM wParam)
{
    if (!ApplyScrollCode(wParam, ThumbTrackPosition(g_shell.boardWindow, bar),
                         bar == SB_HORZ ? &g_shell.scrollX : &g_shell.scrollY))
        return;
    UpdateScrollBars();
    InvalidateBoardChanges();
}
