#include "board/scroll.h"
#include "board/board_changes.h"
#include "board/view_geometry.h"
#include "shell/shell_state.h"

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

void ScrollBoard(int bar, WPARAM wParam)
{
    if (!ApplyScrollCode(wParam, ThumbTrackPosition(g_shell.boardWindow, bar),
                         bar == SB_HORZ ? &g_shell.scrollX : &g_shell.scrollY))
        return;
    UpdateScrollBars();
    InvalidateBoardChanges();
}
