#include "board/board_mouse.h"
#include "board/board_changes.h"
#include "board/scroll.h"
#include "board/view_geometry.h"
#include "model/game_state.h"
#include "model/home_test.h"
#include "model/piece_moves.h"
#include "shell/shell_state.h"
#include "win/pointer.h"
#include <algorithm>

static int BoardX(int x)
{
    return x - g_geometry.offsetX + g_shell.scrollX;
}

static int BoardY(int y)
{
    return y - g_geometry.offsetY + g_shell.scrollY;
}

static void SetBoardCursor(HCURSOR cursor)
{
    SetWindowCursor(g_shell.boardWindow, cursor);
}

// A drag of pieces draws them itself at every paint; anything else has only what it
// changed drawn anew.
static void Invalidate()
{
    if (g_shell.dragKind == kDragStarting || g_shell.dragKind == kDragMoving)
        InvalidateRect(g_shell.boardWindow, nullptr, FALSE);
    else
        InvalidateBoardChanges();
}

static POINT CursorInBoard()
{
    return CursorInClient(g_shell.boardWindow);
}

void OnBoardButtonDown(PressSide button, LPARAM lParam)
{
    if (!g_shell.gameActive || !StartPress(g_shell.mouseMode, button))
        return;
    g_shell.lastPoint = PointFromLParam(lParam);
    StartHoldTimer(g_shell.boardWindow);
}

static void BeginDrag()
{
    if (!BeginPressDrag(g_shell.mouseMode))
        return;
    if (g_shell.mouseMode == kMouseLeftDrag) {
        // The press point, not the current one, decides what is dragged.
        if (PickAt(BoardX(g_shell.lastPoint.x), BoardY(g_shell.lastPoint.y), false)) {
            g_shell.dragKind = kDragStarting;
            SetBoardCursor(g_shell.dragCursor);
        } else {
            g_shell.bandAnchor = g_shell.lastPoint;
            // A band held still must not reuse the rectangle of the band before it.
            g_shell.bandRect = RECT{g_shell.lastPoint.x, g_shell.lastPoint.y, g_shell.lastPoint.x,
                                    g_shell.lastPoint.y};
            g_shell.dragKind = kDragBand;
            SetBoardCursor(g_shell.crossCursor);
        }
    } else {
        SetBoardCursor(g_shell.dragCursor);
    }
}

static void FollowPointer(int x, int y)
{
    const POINT last = g_shell.lastPoint;
    if (g_shell.mouseMode == kMouseLeftDrag && g_game.header.selectedCount > 0 &&
        (g_shell.dragKind == kDragStarting || g_shell.dragKind == kDragMoving)) {
        MoveSelection(x - last.x, y - last.y);
    } else if (g_shell.mouseMode == kMouseLeftDrag && g_shell.dragKind == kDragBand) {
        // The band ends at the previous point: it is drawn one event behind the pointer.
        const POINT anchor = g_shell.bandAnchor;
        g_shell.bandRect = RECT{std::min(anchor.x, last.x), std::min(anchor.y, last.y),
                                std::max(anchor.x, last.x), std::max(anchor.y, last.y)};
    } else if (g_shell.mouseMode == kMousePanning) {
        g_shell.scrollX += last.x - x;
        g_shell.scrollY += last.y - y;
        UpdateScrollBars();
    }
}

void BoardMouseMove(int x, int y)
{
    if (IsPressPending(g_shell.mouseMode)) {
        TrackMouseLeave(g_shell.boardWindow);
        BeginDrag();
    }
    if (x != g_shell.lastPoint.x || y != g_shell.lastPoint.y)
        FollowPointer(x, y);
    g_shell.lastPoint = POINT{x, y};
    Invalidate();
}

// The drag is over before the piece is fixed: fixing the last one shows the completion
// message, whose message loop paints the board and delivers the pointer's leaving.
void EndBoardDrag(int x, int y)
{
    BoardMouseMove(x, y);
    const int kind = g_shell.dragKind;
    g_shell.mouseMode = kMouseIdle;
    g_shell.dragKind = kDragNone;
    SetBoardCursor(g_shell.arrowCursor);
    GameHeader& h = g_game.header;
    if ((kind == kDragStarting || kind == kDragMoving) && h.selectedCount == 1) {
        h.selectedCount = 0;
        TryFixPiece(h.boardCount - 1);
    }
    if (kind == kDragBand) {
        const RECT band = g_shell.bandRect;
        SelectInRect(BoardX(band.left), BoardY(band.top), BoardX(band.right), BoardY(band.bottom));
    }
    Invalidate();
}

void OnBoardMouseMove(LPARAM lParam)
{
    const POINT point = PointFromLParam(lParam);
    if (MoveAdvancesPress(g_shell.mouseMode, point.x, point.y, g_shell.lastPoint.x,
                          g_shell.lastPoint.y))
        BoardMouseMove(point.x, point.y);
}

void OnBoardTimer()
{
    POINT point;
    if (HoldTimerFired(g_shell.boardWindow, g_shell.mouseMode, &point))
        BoardMouseMove(point.x, point.y);
}

// A click adds a loose piece to the selection, or puts the selection down on free space.
static void LeftClick(POINT point)
{
    int x = BoardX(point.x), y = BoardY(point.y);
    if (!PickAt(x, y, true))
        DropSelection(x, y);
    Invalidate();
}

void OnBoardLeftUp(LPARAM lParam)
{
    POINT point = PointFromLParam(lParam);
    // clang-format off
    switch (ReleasePress(g_shell.mouseMode, kPressLeft)) {
    case kReleaseDragEnd: EndBoardDrag(point.x, point.y); break;
    case kReleaseClick:   LeftClick(point); break;
    case kReleaseIgnored: break;
    }
    // clang-format on
}

void OnBoardRightUp(LPARAM lParam)
{
    POINT point = PointFromLParam(lParam);
    switch (ReleasePress(g_shell.mouseMode, kPressRight)) {
    case kReleaseDragEnd: EndBoardDrag(point.x, point.y); break;
    case kReleaseClick:
        ClientToScreen(g_shell.boardWindow, &point);
        TrackPopupMenuEx(GetSubMenu(g_shell.boardMenu, 0), 0, point.x, point.y, g_shell.boardWindow,
                         nullptr);
        break;
    case kReleaseIgnored: break;
    }
}

void OnBoardMouseLeave()
{
    if (IsPressDragging(g_shell.mouseMode)) {
        POINT point = CursorInBoard();
        EndBoardDrag(point.x, point.y);
    }
    g_shell.mouseMode = kMouseIdle;
}
