#include "board/piece_images.h"
#include "board/board_changes.h"
#include "board/board_state.h"
#include "board/ellipse_stamps.h"
#include "board/view_state.h"
#include "board/zoomed_picture.h"
#include "model/game_state.h"
#include "win/brushes.h"
#include "win/failure_box.h"
#include "win/image_library.h"

// A piece with four flat sides, and the piece being drawn.
static TileMask s_blankTile, s_tile;

bool ReportImageTooLarge()
{
    FreeViewBitmaps(true);
    ShowFailure(GetAncestor(g_board.window, GA_ROOT),
                L"サイズが大きすぎます。倍率を小さくして下さい。", nullptr, nullptr, nullptr);
    return false;
}

// The zoomed picture is made later, a tile at a time, where it is drawn; the tiles' memory
// serves the new zoom. The board's buffers serve it too, every pixel of them stale.
bool BuildPieceImages()
{
    const ViewGeometry& g = g_geometry;
    ForgetBoardRecord();
    SetZoomedPicture((const uint32_t*)GetPicturePixels((PictureHandle)g_view.pictureDib),
                     g_view.pictureInfo.biWidth, g_view.pictureInfo.biHeight, g.scaledWidth,
                     g.scaledHeight);
    ReleaseReplacedPicture();
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
    if (!MakeSurface(&piece, w, h) || !MakeSurface(&outline, w, h)) {
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

// Where piece's tile lies in the zoomed picture: around its home cell.
static void TileSource(const PieceRecord& piece, int* sx, int* sy)
{
    const ViewGeometry& g = g_geometry;
    *sx = (int)(piece.column * g.cellWidth - g.tabMarginX);
    *sy = (int)(piece.row * g.cellHeight - g.tabMarginY);
}

void PreparePieces(const std::vector<int>& pieces)
{
    static std::vector<PixelRect> parts;
    parts.clear();
    for (int index : pieces) {
        int sx, sy;
        TileSource(g_game.pieces[index], &sx, &sy);
        parts.push_back(ZoomedClip(sx, sy, s_blankTile.width, s_blankTile.height));
    }
    PrepareZoomedParts(parts.data(), parts.size());
}

void DrawPiece(const Surface& target, int index, int x, int y, const CellClip& clip)
{
    const ViewGeometry& g = g_geometry;
    const PieceRecord& piece = g_game.pieces[index];
    const int w = s_blankTile.width, h = s_blankTile.height;
    int sx, sy;
    TileSource(piece, &sx, &sy);
    // The picture's pixels under the tile; beyond the picture's edges there are none.
    static const PixelImage kNoPixels = {nullptr, 0, 0};
    const PixelRect part = ZoomedClip(sx, sy, w, h);
    const ZoomedView view =
        part.right > part.left ? ZoomedPart(part) : ZoomedView{&kNoPixels, sx, sy};
    const PixelImage& picture = *view.image;
    const int px = sx - view.left, py = sy - view.top;

    // The finished picture without outlines: neighbouring tiles overlap with equal pixels.
    if (!g_board.OptGoalBorder && g_game.header.fixedCount == g_game.header.pieceCount) {
        CopyPicturePart(target.pixels, x, y, w, h, picture, px, py, clip);
        return;
    }
    const bool grey = g_board.OptGrayBorder;
    BuildTileMask(&s_tile, s_blankTile, piece, g, SystemEllipse, grey);
    const uint32_t greyPixel = kGreyLevel * 0x010101u;
    LayTile(target.pixels, x, y, s_tile, picture, px, py, TileLook{grey, greyPixel}, clip);
}
