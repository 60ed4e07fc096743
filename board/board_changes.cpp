#include "board/board_changes.h"
#include "board/board_paint.h"
#include "board/board_state.h"
#include "board/stale_area.h"
#include "board/view_state.h"
#include "model/game_state.h"
#include <algorithm>
#include <stdlib.h>

// The record, by piece (column and row make a piece's lasting name; its table index
// changes with every move in the order).
static int s_drawnOrder[kMaxPieces];  // pieces in drawing order
static int s_drawnCount;
static int s_drawnRank[kMaxPieces];      // by piece: its place in s_drawnOrder, or -1
static POINT s_drawnCorner[kMaxPieces];  // by piece: its tile's corner in board pixels
static int s_bufferScrollX, s_bufferScrollY;
static Overlays s_drawnOverlays;
static HDC s_recordedBuffer;  // the buffer the record describes

// Scratch of one comparison.
static int s_rankNow[kMaxPieces];      // by table index: the piece's recorded place, or -1
static int s_chainEnd[kMaxPieces];     // longest increasing run of places: its ends
static int s_chainBefore[kMaxPieces];  // and each entry's predecessor
static bool s_keptOrder[kMaxPieces];   // by table index
static unsigned s_seenStamp[kMaxPieces];
static unsigned s_stamp;

static int PieceName(int index)
{
    return g_game.pieces[index].column * g_game.header.rows + g_game.pieces[index].row;
}

static POINT TileCorner(int index)
{
    return POINT{(int)(g_game.pieces[index].posX * g_geometry.rangeX),
                 (int)(g_game.pieces[index].posY * g_geometry.rangeY)};
}

static void RecordPieces()
{
    for (int k = 0; k < s_drawnCount; ++k)
        s_drawnRank[s_drawnOrder[k]] = -1;
    s_drawnCount = g_game.header.boardCount;
    for (int i = 0; i < s_drawnCount; ++i) {
        const int name = PieceName(i);
        s_drawnOrder[i] = name;
        s_drawnRank[name] = i;
        s_drawnCorner[name] = TileCorner(i);
    }
}

void ForgetBoardRecord()
{
    std::fill(s_drawnRank, s_drawnRank + kMaxPieces, -1);
    s_drawnCount = 0;
    RecordPieces();
    s_bufferScrollX = g_board.scrollX;
    s_bufferScrollY = g_board.scrollY;
    s_recordedBuffer = g_view.boardBuffer.dc;
    MarkAllStale();
}

void NotePieceDrawn(int index)
{
    s_drawnCorner[PieceName(index)] = TileCorner(index);
}

// What one comparison invalidates in the window: one rectangle around it all, since
// copying a few more buffer pixels to the window costs next to nothing.
struct WindowDamage {
    RECT bounds;
    bool any;
};

static void AddDamage(WindowDamage* damage, const RECT& area)
{
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    if (!damage->any)
        damage->bounds = area;
    else
        UnionRect(&damage->bounds, &damage->bounds, &area);
    damage->any = true;
}

static void InvalidateDamage(const WindowDamage& damage)
{
    if (damage.any)
        InvalidateRect(g_board.window, &damage.bounds, FALSE);
}

static void InvalidateTile(WindowDamage* damage, POINT corner)
{
    const int x = corner.x - s_bufferScrollX, y = corner.y - s_bufferScrollY;
    RECT tile = {x, y, x + (int)g_geometry.tileWidth, y + (int)g_geometry.tileHeight};
    MarkStale(tile);
    OffsetRect(&tile, g_geometry.offsetX, g_geometry.offsetY);
    AddDamage(damage, tile);
}

// Marks in s_keptOrder the largest set of pieces whose order among themselves is as
// recorded: every other piece changed its place in the drawing order. (A move in the table
// moves one record and keeps all others in order, so this is usually all but one.)
static void FindKeptOrder(int count)
{
    int length = 0;
    for (int i = 0; i < count; ++i) {
        s_keptOrder[i] = false;
        if (s_rankNow[i] < 0)
            continue;
        int low = 0, high = length;
        while (low < high) {
            int middle = (low + high) / 2;
            if (s_rankNow[s_chainEnd[middle]] < s_rankNow[i])
                low = middle + 1;
            else
                high = middle;
        }
        s_chainBefore[i] = low > 0 ? s_chainEnd[low - 1] : -1;
        s_chainEnd[low] = i;
        if (low == length)
            ++length;
    }
    for (int i = length > 0 ? s_chainEnd[length - 1] : -1; i >= 0; i = s_chainBefore[i])
        s_keptOrder[i] = true;
}

static void InvalidatePieceChanges(WindowDamage* damage)
{
    const int count = g_game.header.boardCount;
    ++s_stamp;
    for (int i = 0; i < count; ++i) {
        const int name = PieceName(i);
        s_rankNow[i] = s_drawnRank[name];
        s_seenStamp[name] = s_stamp;
    }
    FindKeptOrder(count);
    for (int i = 0; i < count; ++i) {
        const int name = PieceName(i);
        const POINT now = TileCorner(i), drawn = s_drawnCorner[name];
        const bool placed = s_rankNow[i] >= 0;
        if (placed && s_keptOrder[i] && now.x == drawn.x && now.y == drawn.y)
            continue;
        if (placed)
            InvalidateTile(damage, drawn);
        InvalidateTile(damage, now);
    }
    for (int k = 0; k < s_drawnCount; ++k)
        if (s_seenStamp[s_drawnOrder[k]] != s_stamp)
            InvalidateTile(damage, s_drawnCorner[s_drawnOrder[k]]);
    RecordPieces();
}

// Where the overlays were drawn or would be drawn now; a frame's bars lie on its
// rectangle's edges and beyond its right and bottom ones, the band's shadow one pixel
// right of and below the band.
static void AddOverlayDamage(WindowDamage* damage, const Overlays& overlays)
{
    if (overlays.frameShown) {
        const RECT& f = overlays.frame;
        AddDamage(damage, RECT{f.left, f.top, f.right + 2, f.bottom + 2});
    }
    if (overlays.bandShown) {
        const RECT& b = overlays.band;
        AddDamage(damage, RECT{b.left, b.top, b.right + 1, b.bottom + 1});
    }
}

static bool SameOverlays(const Overlays& a, const Overlays& b)
{
    return a.frameShown == b.frameShown && a.bandShown == b.bandShown &&
        (!a.frameShown || EqualRect(&a.frame, &b.frame)) &&
        (!a.bandShown || EqualRect(&a.band, &b.band));
}

static void AddOverlayChanges(WindowDamage* damage)
{
    const Overlays now = CurrentOverlays();
    if (SameOverlays(now, s_drawnOverlays))
        return;
    AddOverlayDamage(damage, s_drawnOverlays);
    AddOverlayDamage(damage, now);
}

void NoteOverlaysDrawn(const Overlays& overlays)
{
    s_drawnOverlays = overlays;
}

// Moves what the buffer holds by the change of the scroll position; only the strips that
// come into view are left to draw. The window is copied from the buffer anew as a whole:
// that is one blit, and the overlays on it move with the board.
static void FollowScroll()
{
    const int dx = g_board.scrollX - s_bufferScrollX, dy = g_board.scrollY - s_bufferScrollY;
    if (dx == 0 && dy == 0)
        return;
    s_bufferScrollX = g_board.scrollX;
    s_bufferScrollY = g_board.scrollY;
    InvalidateRect(g_board.window, nullptr, FALSE);
    const int w = g_geometry.bufferWidth, h = g_geometry.bufferHeight;
    if (abs(dx) >= w || abs(dy) >= h) {
        MarkAllStale();
        return;
    }
    HDC buffer = g_view.boardBuffer.dc;
    BitBlt(buffer, std::max(0, -dx), std::max(0, -dy), w - abs(dx), h - abs(dy), buffer,
           std::max(0, dx), std::max(0, dy), SRCCOPY);
    ShiftStaleArea(dx, dy);
    MarkStale(dx > 0 ? RECT{w - dx, 0, w, h} : RECT{0, 0, -dx, h});
    MarkStale(dy > 0 ? RECT{0, h - dy, w, h} : RECT{0, 0, w, -dy});
}

static bool RecordIsCurrent()
{
    return g_board.gameActive && g_view.boardBuffer.dc && g_view.boardBuffer.dc == s_recordedBuffer;
}

void InvalidateBoardChanges()
{
    if (!RecordIsCurrent()) {
        InvalidateRect(g_board.window, nullptr, FALSE);
        return;
    }
    ComputeVisibleArea();
    FollowScroll();
    WindowDamage damage = {};
    InvalidatePieceChanges(&damage);
    AddOverlayChanges(&damage);
    InvalidateDamage(damage);
}

void InvalidateOverlayChanges()
{
    ComputeVisibleArea();
    WindowDamage damage = {};
    AddOverlayChanges(&damage);
    InvalidateDamage(damage);
}
