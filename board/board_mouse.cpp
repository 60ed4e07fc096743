#include "board/board_mouse.h"
#include "board/board_changes.h"
#include "board/board_state.h"
#include "board/scroll.h"
#include "board/view_geometry.h"
#include "model/game_state.h"
#include "model/piece_moves.h"
#include "win/cursors.h"
#include "win/pointer.h"
#include <algorithm>

static int BoardX(int x)
{
    return x - g_geometry.offsetX + g_board.scrollX;
}

static int BoardY(int y)
{
    return y - g_geometry.offsetY + g_board.scrollY;
}

static void SetBoardCursor(HCURSOR cursor)
{
    SetWindowCursor(g_board.window, cursor);
}

// A drag of pieces draws them itself at every paint; anything else has only what it
// changed drawn anew.
static void Invalidate()
{
    if (g_board.dragKind == kDragStarting || g_board.dragKind == kDragMoving)
        InvalidateRect(g_board.window, nullptr, FALSE);
    else
        InvalidateBoardChanges();
}

static POINT CursorInBoard()
{
    return CursorInClient(g_board.window);
}

void OnBoardButtonDown(PressSide button, LPARAM lParam)
{
    if (!g_board.gameActive || !StartPress(g_board.mouseMode, button))
        return;
    g_board.lastPoint = PointFromLParam(lParam);
    StartHoldTimer(g_board.window);
}

static void BeginDrag()
{
    if (!BeginPressDrag(g_board.mouseMode))
        return;
    if (g_board.mouseMode == kMouseLeftDrag) {
        // The press point, not the current one, decides what is dragged.
        if (PickAt(BoardX(g_board.lastPoint.x), BoardY(g_board.lastPoint.y), false)) {
            g_board.dragKind = kDragStarting;
            SetBoardCursor(g_cursors.drag);
        } else {
            g_board.bandAnchor = g_board.lastPoint;
            // A band held still must not reuse the rectangle of the band before it.
            g_board.bandRect = RECT{g_board.lastPoint.x, g_board.lastPoint.y, g_board.lastPoint.x,
                                    g_board.lastPoint.y};
            g_board.dragKind = kDragBand;
            SetBoardCursor(g_cursors.cross);
        }
    } else {
        SetBoardCursor(g_cursors.drag);
    }
}

static void FollowPointer(int x, int y)
{
    const POINT last = g_board.lastPoint;
    if (g_board.mouseMode == kMouseLeftDrag && g_game.header.selectedCount > 0 &&
        (g_board.dragKind == kDragStarting || g_board.dragKind == kDragMoving)) {
        MoveSelection(x - last.x, y - last.y);
    } else if (g_board.mouseMode == kMouseLeftDrag && g_board.dragKind == kDragBand) {
        // The band ends at the previous point: it is drawn one event behind the pointer.
        const POINT anchor = g_board.bandAnchor;
        g_board.bandRect = RECT{std::min(anchor.x, last.x), std::min(anchor.y, last.y),
                                std::max(anchor.x, last.x), std::max(anchor.y, last.y)};
    } else if (g_board.mouseMode == kMousePanning) {
        g_board.scrollX += last.x - x;
        g_board.scrollY += last.y - y;
        UpdateScrollBars();
    }
}

void BoardMouseMove(int x, int y)
{
    if (IsPressPending(g_board.mouseMode)) {
        TrackMouseLeave(g_board.window);
        BeginDrag();
    }
    if (x != g_board.lastPoint.x || y != g_board.lastPoint.y)
        FollowPointer(x, y);
    g_board.lastPoint = POINT{x, y};
    Invalidate();
}

// The drag is over before the piece is fixed: fixing the last one shows the completion
// message, whose message loop paints the board and delivers the pointer's leaving.
void EndBoardDrag(int x, int y)
{
    BoardMouseMove(x, y);
    const int kind = g_board.dragKind;
    g_board.mouseMode = kMouseIdle;
    g_board.dragKind = kDragNone;
    SetBoardCursor(g_cursors.arrow);
    if (kind == kDragStarting || kind == kDragMoving)
        PutDownSelection();
    if (kind == kDragBand) {
        const RECT band = g_board.bandRect;
        SelectInRect(BoardX(band.left), BoardY(band.top), BoardX(band.right), BoardY(band.bottom));
    }
    Invalidate();
}

void OnBoardMouseMove(LPARAM lParam)
{
    const POINT point = PointFromLParam(lParam);
    if (MoveAdvancesPress(g_board.mouseMode, point.x, point.y, g_board.lastPoint.x,
                          g_board.lastPoint.y))
        BoardMouseMove(point.x, point.y);
}

void OnBoardTimer()
{
    POINT point;
    if (HoldTimerFired(g_board.window, g_board.mouseMode, &point))
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
    switch (ReleasePress(g_board.mouseMode, kPressLeft)) {
    case kReleaseDragEnd: EndBoardDrag(point.x, point.y); break;
    case kReleaseClick:   LeftClick(point); break;
    case kReleaseIgnored: break;
    }
    // clang-format on
}

void OnBoardRightUp(LPARAM lParam)
{
    POINT point = PointFromLParam(lParam);
    switch (ReleasePress(g_board.mouseMode, kPressRight)) {
    case kReleaseDragEnd: EndBoardDrag(point.x, point.y); break;
    case kReleaseClick: AskForContextMenu(g_board.window, point); break;
    case kReleaseIgnored: break;
    }
}

void OnBoardMouseLeave()
{
    if (IsPressDragging(g_board.mouseMode)) {
        POINT point = CursorInBoard();
        EndBoardDrag(point.x, point.y);
    }
    g_board.mouseMode = kMouseIdle;
}
