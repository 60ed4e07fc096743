#include "box/box_window.h"
#include "board/board_changes.h"
#include "box/box_state.h"
#include "board/view_geometry.h"
#include "model/game_state.h"
#include "model/piece_moves.h"
#include "shell/pointer.h"
#include "shell/shell_state.h"

// Tells a short click from a hold: a press still pending when it fires becomes a drag.
static const UINT_PTR kHoldTimer = 0;
static const UINT kHoldMilliseconds = 500;

static POINT CursorInBox()
{
    return CursorInClient(g_box.boxWindow);
}

static void SetBoxCursor(HCURSOR cursor)
{
    SetWindowCursor(g_box.boxWindow, cursor);
}

void BoxMouseMove(int x, int y)
{
    TrackMouseLeave(g_box.boxWindow);
    if (g_box.boxDragState == kBoxClickPending)
        g_box.boxDragState = kBoxHeld;
    if (g_box.boxDragState == kBoxMenuPending) {
        g_box.boxDragState = kBoxScrolling;
        SetBoxCursor(g_shell.dragCursor);
    }
    if (g_box.boxDragState == kBoxScrolling && (x != g_box.boxLastX || y != g_box.boxLastY)) {
        g_box.boxScrollY += g_box.boxLastY - y;  // the content follows the pointer
        UpdateBoxScroll();
        RedrawWindow(g_box.boxWindow, nullptr, nullptr, RDW_INVALIDATE);
    }
    g_box.boxLastX = x;
    g_box.boxLastY = y;
}

void EndBoxDrag(int x, int y)
{
    BoxMouseMove(x, y);
    CancelBoxPress();
}

// The cursor belongs to the window class, so the next box would inherit a drag cursor.
void CancelBoxPress()
{
    g_box.boxDragState = kBoxIdle;
    SetBoxCursor(g_shell.arrowCursor);
}

bool TakeFromBoxAt(int x, int yContent)
{
    // A click in the finished-picture view must not take out a piece the player cannot see.
    if (g_shell.goalPictureShown)
        return false;
    const ViewGeometry& g = g_geometry;
    const GameHeader& header = g_game.header;
    const int c = (int)(x / g.tileWidth);
    const int r = (int)(yContent / g.tileHeight);
    if (c < 0 || r < 0 || c >= g_box.boxColumns)
        return false;
    const int i = header.boardCount + r * g_box.boxColumns + c;
    if (i < header.boardCount || i >= header.pieceCount)
        return false;
    // Only the cell counts: the margins around it are blank where the piece has no knob.
    const int left = (int)(c * g.tileWidth + g.tabMarginX);
    const int top = (int)(r * g.tileHeight + g.tabMarginY);
    if (x < left || x > left + g.cellWidth || yContent < top || yContent > top + g.cellHeight)
        return false;
    TakeFromBox(i);
    return true;
}

// A press while another is under way is ignored.
static void Press(int pendingState, LPARAM lParam)
{
    if (g_box.boxDragState != kBoxIdle)
        return;
    g_box.boxDragState = pendingState;
    POINT point = PointFromLParam(lParam);
    g_box.boxLastX = point.x;
    g_box.boxLastY = point.y;
    SetTimer(g_box.boxWindow, kHoldTimer, kHoldMilliseconds, nullptr);
}

void OnBoxLeftDown(LPARAM lParam)
{
    Press(kBoxClickPending, lParam);
}

void OnBoxRightDown(LPARAM lParam)
{
    Press(kBoxMenuPending, lParam);
}

// Windows also sends WM_MOUSEMOVE when the pointer has not moved (a window changed under
// it, focus moved); only a real movement may cancel a pending click.
void OnBoxMouseMove(LPARAM lParam)
{
    if (g_box.boxDragState == kBoxIdle)
        return;
    POINT point = PointFromLParam(lParam);
    const bool pending = g_box.boxDragState == kBoxClickPending || g_box.boxDragState == kBoxMenuPending;
    if (pending && point.x == g_box.boxLastX && point.y == g_box.boxLastY)
        return;
    BoxMouseMove(point.x, point.y);
}

// A button-up leaves the timer running; it then finds nothing pending and only stops.
void OnBoxTimer()
{
    KillTimer(g_box.boxWindow, kHoldTimer);
    if (g_box.boxDragState == kBoxClickPending || g_box.boxDragState == kBoxMenuPending) {
        POINT cursor = CursorInBox();
        BoxMouseMove(cursor.x, cursor.y);
    }
}

// The press point, not the release point, chooses the piece.
void OnBoxLeftUp(LPARAM lParam)
{
    if (g_box.boxDragState == kBoxClickPending) {
        g_box.boxDragState = kBoxIdle;
        if (TakeFromBoxAt(g_box.boxLastX, g_box.boxLastY + g_box.boxScrollY)) {
            InvalidateBoardChanges();
            UpdateBoxContents();
        }
    } else if (g_box.boxDragState == kBoxHeld) {
        POINT point = PointFromLParam(lParam);
        EndBoxDrag(point.x, point.y);
    }
}

// The chosen menu item comes back to the box window as WM_COMMAND.
void OnBoxRightUp(LPARAM lParam)
{
    POINT point = PointFromLParam(lParam);
    if (g_box.boxDragState == kBoxMenuPending) {
        g_box.boxDragState = kBoxIdle;
        ClientToScreen(g_box.boxWindow, &point);
        TrackPopupMenuEx(GetSubMenu(g_shell.boxMenu, 0), 0, point.x, point.y, g_box.boxWindow,
                         nullptr);
    } else if (g_box.boxDragState == kBoxScrolling) {
        EndBoxDrag(point.x, point.y);
    }
}

void OnBoxMouseLeave()
{
    if (g_box.boxDragState == kBoxHeld || g_box.boxDragState == kBoxScrolling) {
        POINT cursor = CursorInBox();
        EndBoxDrag(cursor.x, cursor.y);
    }
    g_box.boxDragState = kBoxIdle;
}
