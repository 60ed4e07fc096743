#include "board/piece_images.h"
#include "board/ellipse_stamps.h"
#include "board/view_state.h"
#include "box/box_window.h"
#include "files/image_library.h"
#include "model/game_state.h"
#include "shell/report_failure.h"
#include "shell/shell_state.h"

// A piece with four flat sides, and the piece being drawn.
static TileMask s_blankTile, s_tile;

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
    return BuildBlankTile();
}

// The system still fills the cell's two rectangles, so that a cell too small for them
// comes out as it always has; their pixels become the blank tile's bits.
bool BuildBlankTile()
{
    const ViewGeometry& g = g_geometry;
    const int w = (int)g.tileWidth, h = (int)g.tileHeight;
    ForgetEllipseStamps();
    Surface piece = {}, outline = {};
    if (!MakeSurface(&piece, g_shell.mainDC, w, h) ||
        !MakeSurface(&outline, g_shell.mainDC, w, h)) {
        FreeSurface(&piece);
        FreeSurface(&outline);
        return ReportImageTooLarge();
    }
    RECT whole = {0, 0, w, h};
    FillRect(piece.dc, &whole, g_brushes.black);
    FillRect(outline.dc, &whole, g_brushes.black);
    // The cell shrunk by a pixel is the piece; grown by two more it is the footprint, the
    // piece with its outline band.
    RECT cell = {(int)(g.tabMarginX + 1), (int)(g.tabMarginY + 1),
                 (int)(g.cellWidth + g.tabMarginX - 1), (int)(g.cellHeight + g.tabMarginY - 1)};
    FillRect(piece.dc, &cell, g_brushes.white);
    RECT band = {cell.left - 2, cell.top - 2, cell.right + 2, cell.bottom + 2};
    FillRect(outline.dc, &band, g_brushes.white);
    GdiFlush();
    s_blankTile.width = w;
    s_blankTile.height = h;
    s_blankTile.bits.assign((size_t)w * h, 0);
    for (size_t i = 0; i < s_blankTile.bits.size(); ++i)
        s_blankTile.bits[i] = (piece.pixels.pixels[i] & kPixelWhite ? kMaskPiece : 0) |
            (outline.pixels.pixels[i] & kPixelWhite ? kMaskFootprint : 0);
    FreeSurface(&piece);
    FreeSurface(&outline);
    return true;
}

void DrawPiece(const Surface& target, int index, int x, int y, const CellClip& clip)
{
    const ViewGeometry& g = g_geometry;
    const PieceRecord& piece = g_game.pieces[index];
    const int sx = (int)(piece.column * g.cellWidth - g.tabMarginX);
    const int sy = (int)(piece.row * g.cellHeight - g.tabMarginY);
    const PixelImage& picture = g_view.pictureSurface.pixels;

    // The finished picture without outlines: neighbouring tiles overlap with equal pixels.
    if (!g_shell.OptGoalBorder && g_game.header.fixedCount == g_game.header.pieceCount) {
        CopyPicturePart(target.pixels, x, y, s_blankTile.width, s_blankTile.height, picture, sx, sy,
                        clip);
        return;
    }
    const bool grey = g_shell.OptGrayBorder;
    BuildTileMask(&s_tile, s_blankTile, piece, g, SystemEllipse, grey);
    const uint32_t greyPixel = kGreyLevel * 0x010101u;
    LayTile(target.pixels, x, y, s_tile, picture, sx, sy, TileLook{grey, greyPixel}, clip);
}
