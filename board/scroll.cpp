#include "board/scroll.h"
#include "board/board_changes.h"
#include "board/board_state.h"
#include "board/view_geometry.h"
#include "win/dpi.h"

static void SetBar(int bar, int extent, int client, int position)
{
    if (g_board.gameActive)
        SetScrollBar(g_board.window, bar, (unsigned)extent > (unsigned)client ? extent : client,
                     client, position);
    else
        RemoveScrollBar(g_board.window, bar);
}

void UpdateScrollBars()
{
    RECT client;
    GetClientRect(g_board.window, &client);
    if (g_board.gameActive) {
        g_board.scrollX = ClampScroll(g_board.scrollX, g_geometry.boardWidth - client.right);
        g_board.scrollY = ClampScroll(g_board.scrollY, g_geometry.boardHeight - client.bottom);
    }
    SetBar(SB_HORZ, g_geometry.boardWidth, client.right, g_board.scrollX);
    SetBar(SB_VERT, g_geometry.boardHeight, client.bottom, g_board.scrollY);
}

void ScrollBoard(int bar, WPARAM wParam)
{
    if (!ApplyScrollCode(wParam, ThumbTrackPosition(g_board.window, bar), WindowDpi(g_board.window),
                         bar == SB_HORZ ? &g_board.scrollX : &g_board.scrollY))
        return;
    UpdateScrollBars();
    InvalidateBoardChanges();
}
