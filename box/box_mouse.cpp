#include "board/board_changes.h"
#include "board/board_state.h"
#include "board/view_geometry.h"
#include "box/box_state.h"
#include "box/box_window.h"
#include "model/game_state.h"
#include "model/piece_moves.h"
#include "win/cursors.h"
#include "win/pointer.h"

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
    if (BeginPressDrag(g_box.boxDragState) && g_box.boxDragState == kBoxScrolling)
        SetBoxCursor(g_cursors.drag);
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
    SetBoxCursor(g_cursors.arrow);
}

bool TakeFromBoxAt(int x, int yContent)
{
    // A click in the finished-picture view must not take out a piece the player cannot see.
    if (g_box.goalPictureShown)
        return false;
    const ViewGeometry& g = g_geometry;
    const int c = (int)(x / g.tileWidth);
    const int r = (int)(yContent / g.tileHeight);
    if (c < 0 || r < 0 || c >= g_box.boxColumns)
        return false;
    const int slot = r * g_box.boxColumns + c;
    if (slot >= BoxSlotCount())
        return false;
    const int i = BoxPieceAt(slot);
    // Only a piece in the box may come out of it, whatever the slots were made from.
    if (i < g_game.header.boardCount || i >= g_game.header.pieceCount)
        return false;
    // Only the cell counts: the margins around it are blank where the piece has no knob.
    const int left = (int)(c * g.tileWidth + g.tabMarginX);
    const int top = (int)(r * g.tileHeight + g.tabMarginY);
    if (x < left || x > left + g.cellWidth || yContent < top || yContent > top + g.cellHeight)
        return false;
    TakeFromBox(i);
    return true;
}

static void Press(PressSide button, LPARAM lParam)
{
    if (!StartPress(g_box.boxDragState, button))
        return;
    POINT point = PointFromLParam(lParam);
    g_box.boxLastX = point.x;
    g_box.boxLastY = point.y;
    StartHoldTimer(g_box.boxWindow);
}

void OnBoxLeftDown(LPARAM lParam)
{
    Press(kPressLeft, lParam);
}

void OnBoxRightDown(LPARAM lParam)
{
    Press(kPressRight, lParam);
}

void OnBoxMouseMove(LPARAM lParam)
{
    const POINT point = PointFromLParam(lParam);
    if (MoveAdvancesPress(g_box.boxDragState, point.x, point.y, g_box.boxLastX, g_box.boxLastY))
        BoxMouseMove(point.x, point.y);
}

// A button-up leaves the timer running; it then finds nothing pending and only stops.
void OnBoxTimer()
{
    POINT cursor;
    if (HoldTimerFired(g_box.boxWindow, g_box.boxDragState, &cursor))
        BoxMouseMove(cursor.x, cursor.y);
}

// The press point, not the release point, chooses the piece.
void OnBoxLeftUp(LPARAM lParam)
{
    const PressRelease release = ReleasePress(g_box.boxDragState, kPressLeft);
    if (release == kReleaseClick) {
        if (TakeFromBoxAt(g_box.boxLastX, g_box.boxLastY + g_box.boxScrollY)) {
            InvalidateBoardChanges();
            UpdateBoxContents();
        }
    } else if (release == kReleaseDragEnd) {
        POINT point = PointFromLParam(lParam);
        EndBoxDrag(point.x, point.y);
    }
}

void OnBoxRightUp(LPARAM lParam)
{
    POINT point = PointFromLParam(lParam);
    const PressRelease release = ReleasePress(g_box.boxDragState, kPressRight);
    if (release == kReleaseClick) {
        AskForContextMenu(g_box.boxWindow, point);
    } else if (release == kReleaseDragEnd) {
        EndBoxDrag(point.x, point.y);
    }
}

void OnBoxMouseLeave()
{
    if (IsPressDragging(g_box.boxDragState)) {
        POINT cursor = CursorInBox();
        EndBoxDrag(cursor.x, cursor.y);
    }
    g_box.boxDragState = kBoxIdle;
}
