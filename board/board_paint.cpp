#include "board/board_paint.h"
#include "board/view_state.h"
#include "shell/shell_state.h"
#include "resources/resource_ids.h"

static void ComputeVisibleArea(int clientWidth, int clientHeight)
{
    ViewGeometry& g = g_geometry;
    g.offsetX = clientWidth > g.boardWidth ? (clientWidth - g.boardWidth) / 2 : 0;
    g.visibleWidth = clientWidth > g.boardWidth ? g.boardWidth : clientWidth;
    g.offsetY = clientHeight > g.boardHeight ? (clientHeight - g.boardHeight) / 2 : 0;
    g.visibleHeight = clientHeight > g.boardHeight ? g.boardHeight : clientHeight;
}

// The start picture sits in the board buffer's slots, so the first freeing of the
// buffers after a game is shown releases it too.
static void PaintStartPicture(HDC dc)
{
    if (!g_view.boardBuffer.dc) {
        g_view.boardBuffer.dc = CreateCompatibleDC(g_shell.mainDC);
        g_view.boardBuffer.bitmap = LoadBitmapA(g_shell.instance, MAKEINTRESOURCEA(IDB_START));
        SelectObject(g_view.boardBuffer.dc, g_view.boardBuffer.bitmap);
    }
    BitBlt(dc, g_geometry.offsetX, g_geometry.offsetY, g_geometry.visibleWidth,
           g_geometry.visibleHeight, g_view.boardBuffer.dc, 0, 0, SRCCOPY);
}

void PaintBoard()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(g_shell.boardWindow, &paint);
    RECT client;
    GetClientRect(g_shell.boardWindow, &client);
    ComputeVisibleArea(client.right, client.bottom);
    if (!g_shell.gameActive)
        PaintStartPicture(dc);
    EndPaint(g_shell.boardWindow, &paint);
}
