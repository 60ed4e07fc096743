#include "board/piece_images.h"
#include "board/view_state.h"
#include "board/zoomed_picture.h"
#include "box/box_state.h"
#include "box/box_window.h"
#include "model/game_state.h"
#include "win/brushes.h"
#include "win/dpi.h"
#include "win/image_library.h"

// What the buffer shows, so that a paint redraws only the slots whose piece changed. A slot's
// pixels depend on nothing but its piece: tiles have whole-pixel sizes, touch without
// overlapping, and each is drawn onto white. A piece is named by its home cell, which no
// other piece of the table shares (the cut makes it so, and the loader refuses others).
struct BoxShown {
    bool valid;
    int scrollY;
    int columns;
    int width, height;
    int slots;
    int cell[kMaxPieces];  // by slot: row * columns + column of the piece shown there
};
static BoxShown s_shown;
// By cell: the slot that showed it, or kNoSlot.
static int s_shownSlot[kMaxPieces];
static const int kNoSlot = -1;
// The buffer as it was before a paint that moves slots around in it.
static Surface s_before;

// Whether the buffer shows the finished picture as the box is laid out now.
static bool s_finishedShown;

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
    s_finishedShown = true;
    s_shown.valid = false;
}

static int CellOf(int index)
{
    return g_game.pieces[index].row * g_game.header.columns + g_game.pieces[index].column;
}

static void RememberShown()
{
    s_finishedShown = false;
    s_shown.valid = true;
    s_shown.scrollY = g_box.boxScrollY;
    s_shown.columns = g_box.boxColumns;
    s_shown.width = g_box.boxClientWidth;
    s_shown.height = g_box.boxClientHeight;
    s_shown.slots = BoxSlotCount();
    for (int slot = 0; slot < s_shown.slots; ++slot)
        s_shown.cell[slot] = CellOf(BoxPieceAt(slot));
}

// Where the slot's tile lies in the view: slots go left to right and top to bottom.
static POINT SlotCorner(int slot)
{
    return POINT{(int)(slot % g_box.boxColumns * g_geometry.tileWidth),
                 (int)(slot / g_box.boxColumns * g_geometry.tileHeight) - g_box.boxScrollY};
}

// Tiles in table order; only those that reach into the view are drawn, their parts of the
// zoomed picture made ahead.
void RenderBoxPieces()
{
    RECT whole = {0, 0, g_box.boxClientWidth, g_box.boxClientHeight};
    FillRect(g_box.buffer.dc, &whole, g_brushes.white);
    GdiFlush();
    // The slots in view follow one another: the first and the pieces from there on.
    static std::vector<int> shown;
    shown.clear();
    int first = 0;
    for (int slot = 0, slots = BoxSlotCount(); slot < slots; ++slot) {
        const int y = SlotCorner(slot).y;
        if (-g_geometry.tileHeight <= y && y <= g_box.boxClientHeight) {
            if (shown.empty())
                first = slot;
            shown.push_back(BoxPieceAt(slot));
        }
    }
    PreparePieces(shown);
    for (size_t n = 0; n < shown.size(); ++n) {
        const POINT corner = SlotCorner(first + (int)n);
        DrawPiece(g_box.buffer, shown[n], corner.x, corner.y);
    }
    RememberShown();
}

// Consecutive tiles of one row that come from consecutive tiles of one row of the buffer as
// it was: one blit.
struct TileRun {
    int count;
    int x, y, height;  // in the buffer
    int fromX, fromY;  // in the buffer as it was
};

static void FlushRun(TileRun* run)
{
    if (run->count)
        BitBlt(g_box.buffer.dc, run->x, run->y, run->count * (int)g_geometry.tileWidth, run->height,
               s_before.dc, run->fromX, run->fromY, SRCCOPY);
    run->count = 0;
}

static void AddToRun(TileRun* run, int x, int y, int height, int fromX, int fromY)
{
    const int w = (int)g_geometry.tileWidth;
    if (run->count && run->y == y && run->height == height && run->fromY == fromY &&
        run->x + run->count * w == x && run->fromX + run->count * w == fromX) {
        ++run->count;
        return;
    }
    FlushRun(run);
    *run = TileRun{1, x, y, height, fromX, fromY};
}

// The slot's tile anew: white, and its piece when it has one.
static void DrawSlot(int slot, int x, int y)
{
    const int w = (int)g_geometry.tileWidth, h = (int)g_geometry.tileHeight;
    FillPixels(g_box.buffer.pixels, x, y, x + w, y + h, kPixelWhite, kDrawAnywhere);
    if (slot < BoxSlotCount())
        DrawPiece(g_box.buffer, BoxPieceAt(slot), x, y);
}

static bool CanMoveSlots()
{
    if (!s_shown.valid || s_shown.columns != g_box.boxColumns ||
        s_shown.width != g_box.boxClientWidth || s_shown.height != g_box.boxClientHeight)
        return false;
    if (!s_before.dc && !MakeSurface(&s_before, s_shown.width, s_shown.height)) {
        FreeSurface(&s_before);
        return false;
    }
    return true;
}

// Every visible slot whose piece or place in the view changed is taken from where the
// buffer already shows that piece, or drawn when the buffer does not hold all of it.
static void UpdateBoxPieces()
{
    if (!CanMoveSlots()) {
        RenderBoxPieces();
        return;
    }
    const int w = (int)g_geometry.tileWidth, h = (int)g_geometry.tileHeight;
    const int columns = g_box.boxColumns, height = g_box.boxClientHeight;
    const int scrollY = g_box.boxScrollY, slots = BoxSlotCount();
    const bool sameScroll = scrollY == s_shown.scrollY;
    for (int i = 0; i < g_game.header.pieceCount; ++i)
        s_shownSlot[i] = kNoSlot;
    for (int slot = 0; slot < s_shown.slots; ++slot)
        s_shownSlot[s_shown.cell[slot]] = slot;

    bool copied = false;
    TileRun run = {};
    for (int row = scrollY / h; row * h - scrollY < height; ++row) {
        const int y = row * h - scrollY;
        // The part of the tile inside the buffer.
        const int top = y < 0 ? -y : 0, bottom = y + h > height ? height - y : h;
        for (int column = 0; column < columns; ++column) {
            const int slot = row * columns + column;
            const int cell = slot < slots ? CellOf(BoxPieceAt(slot)) : kNoSlot;
            const int shownCell = slot < s_shown.slots ? s_shown.cell[slot] : kNoSlot;
            if (sameScroll && cell == shownCell)
                continue;
            if (!copied) {
                BitBlt(s_before.dc, 0, 0, s_shown.width, height, g_box.buffer.dc, 0, 0, SRCCOPY);
                // The copy must be made before the slots drawn below change the buffer.
                GdiFlush();
                copied = true;
            }
            const int from = cell == kNoSlot ? kNoSlot : s_shownSlot[cell];
            const int fromY = from == kNoSlot ? 0 : from / columns * h - s_shown.scrollY;
            if (from != kNoSlot && fromY + top >= 0 && fromY + bottom <= height) {
                AddToRun(&run, column * w, y + top, bottom - top, from % columns * w, fromY + top);
            } else {
                FlushRun(&run);
                DrawSlot(slot, column * w, y);
            }
        }
    }
    FlushRun(&run);
    RememberShown();
}

// An empty grid would look like a box that failed to draw: it says why it is empty.
static void RenderNoEdgesNote()
{
    RECT whole = {0, 0, g_box.boxClientWidth, g_box.boxClientHeight};
    const HDC dc = g_box.buffer.dc;
    FillRect(dc, &whole, g_brushes.white);
    const HFONT font = MakeStatusFont(WindowDpi(g_box.boxWindow));
    const HGDIOBJ before = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, L"枠のピースは箱にありません", -1, &whole,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, before);
    DeleteObject(font);
    s_finishedShown = false;
    s_shown.valid = false;
}

// The buffer is kept from refresh to refresh while the client keeps its size: the system
// hands out a new bitmap's pages as they are first written, which under Wine costs more
// than rendering into them. The finished picture is scaled again only after a refresh.
void PaintBox()
{
    if (!HasZoomedPicture())
        return;
    if (!SurfaceFits(g_box.buffer, g_box.boxClientWidth, g_box.boxClientHeight)) {
        FreeBoxBuffer();
        if (!MakeBoxBuffer())
            return;
    }
    if (g_box.goalPictureShown) {
        if (!s_finishedShown)
            RenderFinishedPicture();
    } else if (NoEdgePieceBoxed()) {
        RenderNoEdgesNote();
    } else {
        UpdateBoxPieces();
    }
    BitBlt(g_box.boxPaintDC, 0, 0, g_box.boxClientWidth, g_box.boxClientHeight, g_box.buffer.dc, 0,
           0, SRCCOPY);
}

bool MakeBoxBuffer()
{
    if (!MakeSurface(&g_box.buffer, g_box.boxClientWidth, g_box.boxClientHeight)) {
        FreeBoxBuffer();
        return ReportImageTooLarge();
    }
    return true;
}

void ForgetBoxPixels()
{
    s_shown.valid = false;
    s_finishedShown = false;
}

void FreeBoxBuffer()
{
    FreeSurface(&g_box.buffer);
    FreeSurface(&s_before);
    ForgetBoxPixels();
}
