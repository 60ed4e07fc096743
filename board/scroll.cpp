#include "board/scroll.h"
#include "board/board_changes.h"
#include "board/view_geometry.h"
#include "shell/shell_state.h"

int ClampScroll(int value, int highest)
{
    if (value > highest)
        value = highest;
    return value < 0 ? 0 : value;
}

static void SetBar(int bar, int extent, int client, int position)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (g_shell.gameActive) {
        info.nMax = (unsigned)extent > (unsigned)client ? extent : client;
        info.nPage = client;
        info.nPos = position;
    } else {
        info.nPage = 1;
    }
    SetScrollInfo(g_shell.boardWindow, bar, &info, TRUE);
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

bool ApplyScrollCode(WPARAM wParam, int* position)
{
    switch (LOWORD(wParam)) {
    case SB_LINEUP:        *position -= 10; return true;
    case SB_LINEDOWN:      *position += 10; return true;
    case SB_PAGEUP:        *position -= 100; return true;
    case SB_PAGEDOWN:      *position += 100; return true;
    case SB_THUMBPOSITION: *position = HIWORD(wParam); return true;
    }
    return false;
}

void ScrollBoard(int bar, WPARAM wParam)
{
    if (!ApplyScrollCode(wParam, bar == SB_HORZ ? &g_shell.scrollX : &g_shell.scrollY))
        return;
    UpdateScrollBars();
    InvalidateBoardChanges();
}
