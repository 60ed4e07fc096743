#include "board/piece_images.h"
#include "board/view_state.h"
#include "box/box_window.h"
#include "files/image_library.h"
#include "model/game_state.h"
#include "shell/report_failure.h"
#include "shell/shell_state.h"

enum TileSurface { kPieceMaskTemplate, kOutlineTemplate, kPieceMask, kOutlineMask };

bool ReportImageTooLarge()
{
    FreeViewBitmaps(true);
    FreeBoxBuffer();
    return ReportFailure("サイズが大きすぎます。倍率を小さくして下さい。", nullptr, nullptr,
                         nullptr, false);
}

bool BuildPieceImages()
{
    const ViewGeometry& g = g_geometry;
    FreeViewBitmaps(true);
    if (!MakeSurface(&g_view.pictureSurface, g_shell.mainDC, g.scaledWidth, g.scaledHeight))
        return ReportImageTooLarge();
    if (!DrawPicture(g_view.pictureSurface.dc, 0, 0, g.scaledWidth, g.scaledHeight,
                     (PictureHandle)g_view.pictureDib, 0, 0, g_view.pictureInfo.biWidth,
                     g_view.pictureInfo.biHeight, SRCCOPY, HALFTONE))
        return ReportImageTooLarge();
    return BuildTileSurfaces();
}

// The pen and brush each mask has selected. Selecting costs about as much as drawing a
// small ellipse, and one piece after another mostly wants the colours a mask already has.
struct MaskTools {
    HGDIOBJ pen, brush;
};
static MaskTools s_maskTools[2];

// New mask surfaces start with the system's pen and brush.
static void ForgetMaskTools()
{
    s_maskTools[0] = MaskTools{};
    s_maskTools[1] = MaskTools{};
}

static void UseTools(HDC dc, HGDIOBJ pen, HGDIOBJ brush)
{
    MaskTools& tools = s_maskTools[dc == g_view.tiles[kPieceMask].dc ? 0 : 1];
    if (pen && tools.pen != pen)
        SelectObject(dc, tools.pen = pen);
    if (tools.brush != brush)
        SelectObject(dc, tools.brush = brush);
}

bool BuildTileSurfaces()
{
    const ViewGeometry& g = g_geometry;
    const int w = (int)g.tileWidth, h = (int)g.tileHeight;
    for (Surface& tile : g_view.tiles)
        if (!MakeSurface(&tile, g_shell.mainDC, w, h))
            return ReportImageTooLarge();

    ForgetMaskTools();
    RECT whole = {0, 0, w, h};
    FillRect(g_view.tiles[kPieceMaskTemplate].dc, &whole, g_brushes.black);
    FillRect(g_view.tiles[kOutlineTemplate].dc, &whole, g_brushes.white);
    // The cell shrunk by a pixel is the piece; grown by two more it is the outline band.
    RECT cell = {(int)(g.tabMarginX + 1), (int)(g.tabMarginY + 1),
                 (int)(g.cellWidth + g.tabMarginX - 1), (int)(g.cellHeight + g.tabMarginY - 1)};
    FillRect(g_view.tiles[kPieceMaskTemplate].dc, &cell, g_brushes.white);
    RECT band = {cell.left - 2, cell.top - 2, cell.right + 2, cell.bottom + 2};
    FillRect(g_view.tiles[kOutlineTemplate].dc, &band, g_brushes.black);
    return true;
}

static void DrawEllipse(HDC dc, HPEN pen, HBRUSH brush, int left, int top, int right, int bottom)
{
    UseTools(dc, pen, brush);
    Ellipse(dc, left, top, right, bottom);
}

// A knob adds its ellipse to the piece and the band around it; a socket cuts them out.
static void AddTab(const TabRecord& tab, HDC pieceMask, HDC outlineMask)
{
    const ViewGeometry& g = g_geometry;
    int L = (int)(tab.left * g.cellWidth + g.tabMarginX);
    int R = (int)(tab.right * g.cellWidth + g.tabMarginX);
    int T = (int)(tab.top * g.cellHeight + g.tabMarginY);
    int B = (int)(tab.bottom * g.cellHeight + g.tabMarginY);
    HDC whiteTarget = tab.kind == kTabKnob ? pieceMask : outlineMask;
    HDC blackTarget = tab.kind == kTabKnob ? outlineMask : pieceMask;
    DrawEllipse(whiteTarget, g_view.whitePen, g_brushes.white, L + 1, T + 1, R - 1, B - 1);
    DrawEllipse(blackTarget, g_view.blackPen, g_brushes.black, L - 1, T - 1, R + 1, B + 1);
}

void DrawPiece(HDC target, int index, int x, int y)
{
    const ViewGeometry& g = g_geometry;
    const PieceRecord& piece = g_game.pieces[index];
    const int w = (int)g.tileWidth, h = (int)g.tileHeight;
    const int sx = (int)(piece.column * g.cellWidth - g.tabMarginX);
    const int sy = (int)(piece.row * g.cellHeight - g.tabMarginY);
    HDC picture = g_view.pictureSurface.dc;

    // The finished picture without outlines: neighbouring tiles overlap with equal pixels.
    if (!g_shell.OptGoalBorder && g_game.header.fixedCount == g_game.header.pieceCount) {
        BitBlt(target, x, y, w, h, picture, sx, sy, SRCCOPY);
        return;
    }

    HDC pieceMask = g_view.tiles[kPieceMask].dc;
    HDC outlineMask = g_view.tiles[kOutlineMask].dc;
    BitBlt(pieceMask, 0, 0, w, h, g_view.tiles[kPieceMaskTemplate].dc, 0, 0, SRCCOPY);
    BitBlt(outlineMask, 0, 0, w, h, g_view.tiles[kOutlineTemplate].dc, 0, 0, SRCCOPY);
    for (const TabRecord& tab : piece.tabs)
        if (tab.kind != kTabFlat)
            AddTab(tab, pieceMask, outlineMask);

    BitBlt(target, x, y, w, h, outlineMask, 0, 0, SRCAND);
    if (g_shell.OptGrayBorder) {
        // Grey the black footprint and whiten the piece inside it; laid on inverted
        // (MERGEPAINT), that is a (128, 128, 128) band on black over the black band.
        UseTools(outlineMask, nullptr, g_brushes.grey);
        ExtFloodFill(outlineMask, w / 2, h / 2, RGB(255, 255, 255), FLOODFILLBORDER);
        BitBlt(outlineMask, 0, 0, w, h, pieceMask, 0, 0, SRCPAINT);
        BitBlt(target, x, y, w, h, outlineMask, 0, 0, MERGEPAINT);
    }
    BitBlt(pieceMask, 0, 0, w, h, picture, sx, sy, SRCAND);
    BitBlt(target, x, y, w, h, pieceMask, 0, 0, SRCPAINT);
}
