#include "board/board_paint.h"
#include "board/board_changes.h"
#include "board/board_mouse.h"
#include "board/board_state.h"
#include "board/piece_images.h"
#include "board/piece_pixels.h"
#include "board/stale_area.h"
#include "board/view_state.h"
#include "board/zoomed_picture.h"
#include "model/game_state.h"
#include "resources/resource_ids.h"
#include "win/brushes.h"

void ComputeVisibleArea()
{
    RECT client;
    GetClientRect(g_board.window, &client);
    const int clientWidth = client.right, clientHeight = client.bottom;
    ViewGeometry& g = g_geometry;
    g.offsetX = clientWidth > g.boardWidth ? (clientWidth - g.boardWidth) / 2 : 0;
    g.visibleWidth = clientWidth > g.boardWidth ? g.boardWidth : clientWidth;
    g.offsetY = clientHeight > g.boardHeight ? (clientHeight - g.boardHeight) / 2 : 0;
    g.visibleHeight = clientHeight > g.boardHeight ? g.boardHeight : clientHeight;
}

// The start picture sits in the board buffer's slots, without pixels of ours, so the
// buffers that the first paint of a game makes take its place and release it.
static void PaintStartPicture(HDC dc)
{
    if (!g_view.boardBuffer.dc) {
        g_view.boardBuffer.dc = CreateCompatibleDC(nullptr);
        g_view.boardBuffer.bitmap =
            LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_START));
        SelectObject(g_view.boardBuffer.dc, g_view.boardBuffer.bitmap);
    }
    BitBlt(dc, g_geometry.offsetX, g_geometry.offsetY, g_geometry.visibleWidth,
           g_geometry.visibleHeight, g_view.boardBuffer.dc, 0, 0, SRCCOPY);
}

// The buffers are the client's size, kept from zoom to zoom: the system hands out a new
// bitmap's pages one by one as they are first written, which under Wine costs more than
// rendering into them. They are made again whenever the client's size has changed; the
// start picture's bitmap, without pixels of ours, gives way to them.
bool EnsureBoardBuffers()
{
    RECT client;
    GetClientRect(g_board.window, &client);
    if (SurfaceFits(g_view.boardBuffer, client.right, client.bottom))
        return true;
    FreeSurface(&g_view.boardBuffer);
    FreeSurface(&g_view.backgroundBuffer);
    g_geometry.bufferWidth = client.right;
    g_geometry.bufferHeight = client.bottom;
    const int width = g_geometry.bufferWidth, height = g_geometry.bufferHeight;
    if (!MakeSurface(&g_view.boardBuffer, width, height))
        return ReportImageTooLarge();
    if (!MakeSurface(&g_view.backgroundBuffer, width, height))
        return ReportImageTooLarge();
    ResetStaleArea(width, height);
    ForgetBoardRecord();
    return true;
}

static int TileLeft(int i)
{
    return (int)(g_game.pieces[i].posX * g_geometry.rangeX);
}

static int TileTop(int i)
{
    return (int)(g_game.pieces[i].posY * g_geometry.rangeY);
}

// The white board with the one-pixel grey frame of the goal area, within the clip.
static void DrawGround(const Surface& target, const CellClip& clip)
{
    const ViewGeometry& g = g_geometry;
    const PixelImage& pixels = target.pixels;
    const uint32_t grey = kGreyLevel * 0x010101u;
    const int left = g.goalLeft - g_board.scrollX - 1, top = g.goalTop - g_board.scrollY - 1;
    const int right = left + g.scaledWidth, bottom = top + g.scaledHeight;
    FillPixels(pixels, 0, 0, g.bufferWidth, g.bufferHeight, kPixelWhite, clip);
    FillPixels(pixels, left, top, right, top + 1, grey, clip);
    FillPixels(pixels, left, bottom - 1, right, bottom, grey, clip);
    FillPixels(pixels, left, top, left + 1, bottom, grey, clip);
    FillPixels(pixels, right - 1, top, right, bottom, grey, clip);
}

// The ground and the table's first `pieceCount` pieces that the buffer shows, from scratch.
static void RenderWhole(int pieceCount)
{
    const ViewGeometry& g = g_geometry;
    const int scrollX = g_board.scrollX, scrollY = g_board.scrollY;
    const Surface& target = g_view.boardBuffer;
    GdiFlush();
    DrawGround(target, kDrawAnywhere);
    static std::vector<int> shown;
    shown.clear();
    for (int i = 0; i < pieceCount; ++i) {
        int px = TileLeft(i), py = TileTop(i);
        if (px >= scrollX - g.tileWidth && py >= scrollY - g.tileHeight &&
            px <= g.bufferWidth + scrollX && py <= g.bufferHeight + scrollY)
            shown.push_back(i);
    }
    PreparePieces(shown);
    for (int i : shown)
        DrawPiece(target, i, TileLeft(i) - scrollX, TileTop(i) - scrollY);
}

// Only the pixels of the stale cells change: the ground and every piece of the table's first
// `pieceCount` that meets them, in table order, clipped to them.
static void RenderStaleParts(int pieceCount)
{
    const ViewGeometry& g = g_geometry;
    const Surface& target = g_view.boardBuffer;
    const CellClip clip = StaleCells();
    GdiFlush();
    DrawGround(target, clip);
    const int w = (int)g.tileWidth, h = (int)g.tileHeight;
    for (int i = 0; i < pieceCount; ++i) {
        const int x = TileLeft(i) - g_board.scrollX, y = TileTop(i) - g_board.scrollY;
        if (MeetsStaleArea(RECT{x, y, x + w, y + h}))
            DrawPiece(target, i, x, y, clip);
    }
}

static void RenderStale(int pieceCount)
{
    if (IsAllStale())
        RenderWhole(pieceCount);
    else if (IsAnyStale())
        RenderStaleParts(pieceCount);
    ClearStaleArea();
}

// The three-by-three block of tiles around each selected piece: where the buffer may still
// show the selection as it last lay, whatever the pointer did since.
static void MarkAroundSelection()
{
    const ViewGeometry& g = g_geometry;
    const GameHeader& h = g_game.header;
    for (int j = h.boardCount - h.selectedCount; j < h.boardCount; ++j) {
        const int x = (int)(g_game.pieces[j].posX * g.rangeX - g.tileWidth) - g_board.scrollX;
        const int y = (int)(g_game.pieces[j].posY * g.rangeY - g.tileHeight) - g_board.scrollY;
        MarkStale(RECT{x, y, x + (int)(3 * g.tileWidth), y + (int)(3 * g.tileHeight)});
    }
}

// A drag's backdrop goes through the stale cells, which a large selection covers nearly
// whole: the pieces that meet them are found by one look each, not by a pass over the
// selection for every loose piece, and the selected pieces, drawn on top afterwards, are
// left out.
void RenderBoard(bool forDrag)
{
    const GameHeader& h = g_game.header;
    if (!forDrag) {
        RenderWhole(h.boardCount);
        return;
    }
    MarkAroundSelection();
    RenderStale(h.boardCount - h.selectedCount);
}

void RenderStaleArea()
{
    RenderStale(g_game.header.boardCount);
}

// Wipes each selected piece where it was last drawn, with 10 extra pixels on its left
// and top for the selection frame. Copied in memory: a blit a piece costs more in calls
// than in pixels once a group holds thousands.
static void RestoreUnderSelection()
{
    const ViewGeometry& g = g_geometry;
    const GameHeader& h = g_game.header;
    GdiFlush();
    for (int j = h.boardCount - h.selectedCount; j < h.boardCount; ++j) {
        int x = (int)(g_view.savedPosX[j] * g.rangeX) - g_board.scrollX - 10;
        int y = (int)(g_view.savedPosY[j] * g.rangeY) - g_board.scrollY - 10;
        CopyPicturePart(g_view.boardBuffer.pixels, x, y, (int)(g.tileWidth + 10),
                        (int)(g.tileHeight + 10), g_view.backgroundBuffer.pixels, x, y,
                        kDrawAnywhere);
    }
}

static void DrawSelection()
{
    const GameHeader& h = g_game.header;
    GdiFlush();
    for (int j = h.boardCount - h.selectedCount; j < h.boardCount; ++j) {
        g_view.savedPosX[j] = g_game.pieces[j].posX;
        g_view.savedPosY[j] = g_game.pieces[j].posY;
        DrawPiece(g_view.boardBuffer, j, TileLeft(j) - g_board.scrollX,
                  TileTop(j) - g_board.scrollY);
        NotePieceDrawn(j);
    }
}

static void FillAroundBoard(HDC dc)
{
    const ViewGeometry& g = g_geometry;
    const RECT sides[] = {
        {0, 0, g.offsetX, g.bufferHeight},
        {g.visibleWidth + g.offsetX, 0, g.bufferWidth, g.bufferHeight},
        {g.offsetX, 0, g.offsetX + g.visibleWidth, g.offsetY},
        {g.offsetX, g.visibleHeight + g.offsetY, g.visibleWidth + g.offsetX, g.bufferHeight},
    };
    for (const RECT& side : sides)
        FillRect(dc, &side, g_brushes.grey);
}

static void InvertBar(HDC dc, int x, int y, int width, int height)
{
    BitBlt(dc, x, y, width, height, dc, x, y, NOTSRCCOPY);
}

Overlays CurrentOverlays()
{
    const ViewGeometry& g = g_geometry;
    const GameHeader& h = g_game.header;
    Overlays overlays = {};
    if (h.selectedCount != 0) {
        int a = h.boardCount - h.selectedCount;
        int ax = TileLeft(a) - g_board.scrollX + g.offsetX;
        int ay = TileTop(a) - g_board.scrollY + g.offsetY;
        overlays.frameShown = true;
        overlays.frame =
            RECT{ax - (int)(h.fanSpreadX * g.rangeX) - 2, ay - (int)(h.fanSpreadY * g.rangeY) - 2,
                 (int)(ax + g.tileWidth), (int)(ay + g.tileHeight)};
    }
    overlays.bandShown = g_board.dragKind == kDragBand;
    overlays.band = g_board.bandRect;
    return overlays;
}

// The window DC is clipped to the paint's update region, where the buffer has just been
// copied: the inversion never meets pixels it inverted before.
void PaintOverlays()
{
    HDC dc = g_view.paintDC;
    const Overlays overlays = CurrentOverlays();
    if (overlays.frameShown) {
        const RECT& f = overlays.frame;
        InvertBar(dc, f.left, f.top, 2, f.bottom - f.top + 2);
        InvertBar(dc, f.right, f.top, 2, f.bottom - f.top + 2);
        InvertBar(dc, f.left + 2, f.top, f.right - f.left - 2, 2);
        InvertBar(dc, f.left + 2, f.bottom, f.right - f.left - 2, 2);
    }
    if (overlays.bandShown) {
        RECT band = overlays.band;
        FrameRect(dc, &band, g_brushes.white);
        OffsetRect(&band, 1, 1);
        FrameRect(dc, &band, g_brushes.black);
    }
    NoteOverlaysDrawn(overlays);
}

static void PaintGame(HDC dc, const RECT& updated)
{
    if (!HasZoomedPicture() || !EnsureBoardBuffers())
        return;
    const ViewGeometry& g = g_geometry;
    switch (g_board.dragKind) {
    case kDragStarting:
        RenderBoard(true);
        BitBlt(g_view.backgroundBuffer.dc, 0, 0, g.bufferWidth, g.bufferHeight,
               g_view.boardBuffer.dc, 0, 0, SRCCOPY);
        g_board.dragKind = kDragMoving;
        DrawSelection();
        break;
    case kDragMoving:
        RestoreUnderSelection();
        DrawSelection();
        break;
    default: RenderStaleArea(); break;
    }
    FillAroundBoard(dc);
    RECT part,
        board = {g.offsetX, g.offsetY, g.offsetX + g.visibleWidth, g.offsetY + g.visibleHeight};
    if (IntersectRect(&part, &updated, &board))
        BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top,
               g_view.boardBuffer.dc, part.left - g.offsetX, part.top - g.offsetY, SRCCOPY);
    PaintOverlays();
}

void PaintBoard()
{
    // Whatever changed since the last paint joins this one's update region.
    if (g_board.gameActive && g_board.dragKind == kDragMoving)
        InvalidateOverlayChanges();
    else if (g_board.gameActive)
        InvalidateBoardChanges();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(g_board.window, &paint);
    g_view.paintDC = dc;
    ComputeVisibleArea();
    if (g_board.gameActive)
        PaintGame(dc, paint.rcPaint);
    else
        PaintStartPicture(dc);
    EndPaint(g_board.window, &paint);
}
