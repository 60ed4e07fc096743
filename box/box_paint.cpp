#include "box/box_window.h"
#include "box/box_state.h"
#include "board/piece_images.h"
#include "board/view_state.h"
#include "files/image_library.h"
#include "model/game_state.h"
#include "shell/shell_state.h"

// The picture as large as the box allows, centred on grey, inside a black frame.
static void RenderFinishedPicture()
{
    const int CW = g_box.boxClientWidth, CH = g_box.boxClientHeight;
    const int PW = g_view.pictureInfo.biWidth, PH = g_view.pictureInfo.biHeight;
    RECT whole = {0, 0, CW, CH};
    FillRect(g_box.buffer.dc, &whole, g_brushes.grey);
    int x = 0, y = 0, w = CW, h = CH;
    if (PH * CW < PW * CH) {
        h = PH * CW / PW;
        y = (CH - h) / 2;
    } else {
        w = PW * CH / PH;
        x = (CW - w) / 2;
    }
    DrawPicture(g_box.buffer.dc, x, y, w, h, (PictureHandle)g_view.pictureDib, 0, 0, PW, PH,
                SRCCOPY, HALFTONE);
    RECT frame = {x, y, x + w, y + h};
    FrameRect(g_box.buffer.dc, &frame, g_brushes.black);
}

// Tiles in table order, left to right and top to bottom; only those that reach into the
// view are drawn.
static void RenderPieces()
{
    const GameHeader& header = g_game.header;
    RECT whole = {0, 0, g_box.boxClientWidth, g_box.boxClientHeight};
    FillRect(g_box.buffer.dc, &whole, g_brushes.white);
    for (int i = header.boardCount; i < header.pieceCount; ++i) {
        const int slot = i - header.boardCount;
        const int x = (int)(slot % g_box.boxColumns * g_geometry.tileWidth);
        const int y = (int)(slot / g_box.boxColumns * g_geometry.tileHeight);
        if (g_box.boxScrollY - g_geometry.tileHeight <= y
            && y <= g_box.boxScrollY + g_box.boxClientHeight)
            DrawPiece(g_box.buffer.dc, i, x, y - g_box.boxScrollY);
    }
}

// The finished picture is scaled only when the buffer is made: every refresh drops it.
void PaintBox()
{
    if (!g_view.pictureSurface.dc)
        return;
    if (!g_box.buffer.dc) {
        if (!MakeBoxBuffer())
            return;
        if (g_shell.goalPictureShown)
            RenderFinishedPicture();
    }
    if (!g_shell.goalPictureShown)
        RenderPieces();
    BitBlt(g_box.boxPaintDC, 0, 0, g_box.boxClientWidth, g_box.boxClientHeight, g_box.buffer.dc,
           0, 0, SRCCOPY);
}

bool MakeBoxBuffer()
{
    if (!MakeSurface(&g_box.buffer, g_box.boxPaintDC, g_box.boxClientWidth, g_box.boxClientHeight))
        return ReportImageTooLarge();
    return true;
}

void FreeBoxBuffer()
{
    FreeSurface(&g_box.buffer);
}
