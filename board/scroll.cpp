#include "board/scroll.h"
#include "board/view_geometry.h"
#include "shell/shell_state.h"

static int Clamp(int value, int highest)
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
        g_shell.scrollX = Clamp(g_shell.scrollX, g_geometry.boardWidth - client.right);
        g_shell.scrollY = Clamp(g_shell.scrollY, g_geometry.boardHeight - client.bottom);
    }
    SetBar(SB_HORZ, g_geometry.boardWidth, client.right, g_shell.scrollX);
    SetBar(SB_VERT, g_geometry.boardHeight, client.bottom, g_shell.scrollY);
}

// Thumb tracking is ignored on purpose: the view follows the thumb when it is released.
void ScrollBoard(int bar, WPARAM wParam)
{
    int* position = bar == SB_HORZ ? &g_shell.scrollX : &g_shell.scrollY;
    switch (LOWORD(wParam)) {
    case SB_LINEUP:        *position -= 10; break;
    case SB_LINEDOWN:      *position += 10; break;
    case SB_PAGEUP:        *position -= 100; break;
    case SB_PAGEDOWN:      *position += 100; break;
    case SB_THUMBPOSITION: *position = HIWORD(wParam); break;
    default: return;
    }
    UpdateScrollBars();
    RedrawWindow(g_shell.boardWindow, nullptr, nullptr, RDW_INVALIDATE);
}
