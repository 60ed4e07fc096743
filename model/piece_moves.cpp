#include "model/piece_moves.h"

#include "board/view_geometry.h"
#include "model/game_state.h"
#include "model/group_joining.h"
#include "model/home_test.h"
#include "model/move_record.h"
#include "model/piece_groups.h"
#include "model/position_units.h"
#include "model/shell_calls.h"

namespace {

// The selection as the player handles it: pieces alone and whole groups, each led by its
// first record. Joining off, every piece leads itself.
int s_leads[kMaxPieces];

int SelectionLeads()
{
    const GameHeader& header = g_game.header;
    return FirstOfEachGroup(header.boardCount - header.selectedCount, header.boardCount, s_leads);
}

bool IsSelectionOneGroup()
{
    return g_game.header.selectedCount > 0 && SelectionLeads() == 1;
}

// The selection's groups follow their leads; with `leads` leads for as many pieces there is
// no group, and a drag's every move is spared the pass.
void FollowLeads(int leads)
{
    const GameHeader& header = g_game.header;
    if (leads < header.selectedCount)
        PlaceGroups(header.boardCount - header.selectedCount, header.boardCount);
}

}  // namespace

void TakeFromBox(int index)
{
    GameHeader& header = g_game.header;
    // Only a boxed piece may leave the box; anything else would break the table's ranges.
    if (index < header.boardCount || index >= header.pieceCount)
        return;
    const ViewGeometry& view = g_geometry;
    int scrollX, scrollY;
    GetBoardScroll(&scrollX, &scrollY);
    PieceRecord& piece = g_game.pieces[index];
    const int x = (int)((view.bufferWidth - view.tileWidth) * 0.5 + scrollX - view.offsetX);
    const int y = (int)((view.bufferHeight - view.tileHeight) * 0.5 + scrollY - view.offsetY);
    // Without travel (one column or row) the position is 0, never NaN.
    piece.posX = ClampPosition(PixelsToPosition(x, view.rangeX));
    piece.posY = ClampPosition(PixelsToPosition(y, view.rangeY));
    MoveRecord(index, header.boardCount);
    ++header.boardCount;
    ++header.selectedCount;
    ArrangeFan();
    SetModified(true);
}

void ReturnSelectionToBox()
{
    GameHeader& header = g_game.header;
    // Nothing changes, so the game must not count as modified.
    if (header.selectedCount == 0)
        return;
    // In the box every piece stands alone.
    for (int i = header.boardCount - header.selectedCount; i < header.boardCount; ++i)
        SetAlone(g_game.pieces[i]);
    header.boardCount -= header.selectedCount;
    header.selectedCount = 0;
    SetModified(true);
}

void ArrangeFan()
{
    GameHeader& header = g_game.header;
    const ViewGeometry& view = g_geometry;
    header.fanSpreadX = 0;
    header.fanSpreadY = 0;
    if (header.selectedCount < 2)
        return;
    // The fan is of pieces alone and groups; a group follows its first piece.
    const int n = SelectionLeads();
    if (n > 1) {
        // Spreads come out 0 when there is no travel, so the fan collapses instead of going NaN.
        header.fanSpreadX = (PixelsToPosition(view.cellWidth, view.rangeX) * 0.5 * (n - 1)) / n;
        header.fanSpreadY = (PixelsToPosition(view.cellHeight, view.rangeY) * 0.5 * (n - 1)) / n;
        PieceRecord& base = g_game.pieces[s_leads[0]];
        // Keeps the fan's upper-left end on the board.
        if (header.fanSpreadX > base.posX)
            base.posX = header.fanSpreadX;
        if (header.fanSpreadY > base.posY)
            base.posY = header.fanSpreadY;
        for (int k = 1; k < n; ++k) {
            PieceRecord& lead = g_game.pieces[s_leads[k]];
            lead.posX = ClampPosition(base.posX - k * header.fanSpreadX / (n - 1));
            lead.posY = ClampPosition(base.posY - k * header.fanSpreadY / (n - 1));
        }
    }
    FollowLeads(n);
    SetModified(true);
}

namespace {

// The fan's box reaches from its upper-left end to the base tile's lower-right
// corner; a press anywhere in it drags the whole selection, even between pieces.
bool IsOnFan(int x, int y)
{
    const GameHeader& header = g_game.header;
    const ViewGeometry& view = g_geometry;
    if (header.selectedCount <= 0)
        return false;
    const PieceRecord& base = g_game.pieces[header.boardCount - header.selectedCount];
    const int bx = (int)(base.posX * view.rangeX);
    const int by = (int)(base.posY * view.rangeY);
    return x >= bx - header.fanSpreadX * view.rangeX && y >= by - header.fanSpreadY * view.rangeY &&
        x <= bx + view.tileWidth && y <= by + view.tileHeight;
}

// Only the cell counts, not the knobs, so a press near a piece's edge picks
// the piece the player sees there rather than a neighbour's knob.
bool IsOnCell(const PieceRecord& piece, int x, int y)
{
    const ViewGeometry& view = g_geometry;
    const int cellLeft = (int)(piece.posX * view.rangeX + view.tabMarginX);
    const int cellTop = (int)(piece.posY * view.rangeY + view.tabMarginY);
    return cellLeft <= x && x <= cellLeft + view.cellWidth && cellTop <= y &&
        y <= cellTop + view.cellHeight;
}

// The topmost piece of the table's range [from, to) under the point, or -1.
int TopPieceAt(int from, int to, int x, int y)
{
    for (int i = to - 1; i >= from; --i)
        if (IsOnCell(g_game.pieces[i], x, y))
            return i;
    return -1;
}

// A selected group is held anywhere on its pieces, not only at its first one.
bool IsOnSelection(int x, int y)
{
    const GameHeader& header = g_game.header;
    return IsOnFan(x, y) ||
        (g_groups.joining &&
         TopPieceAt(header.boardCount - header.selectedCount, header.boardCount, x, y) >= 0);
}

}  // namespace

bool PickAt(int x, int y, bool additive)
{
    GameHeader& header = g_game.header;
    if (IsOnSelection(x, y))
        return true;
    const int looseEnd = header.boardCount - header.selectedCount;
    const int hit = TopPieceAt(header.fixedCount, looseEnd, x, y);
    if (hit < 0)
        return false;
    const int picked = LiftGroupToTop(hit);
    const int released = additive ? 0 : header.selectedCount;
    header.selectedCount = additive ? header.selectedCount + picked : picked;
    // A selection that the new one replaces is put down where it lies.
    JoinPutDown(header.boardCount - picked - released, header.boardCount - picked);
    ArrangeFan();
    SetModified(true);
    return true;
}

void SelectInRect(int left, int top, int right, int bottom)
{
    GameHeader& header = g_game.header;
    const ViewGeometry& view = g_geometry;
    static int caughtKeys[kMaxPieces];
    int caught = 0;
    for (int i = header.fixedCount; i < header.boardCount - header.selectedCount; ++i) {
        const PieceRecord& piece = g_game.pieces[i];
        const int cx = (int)(piece.posX * view.rangeX + view.tileWidth * 0.5);
        const int cy = (int)(piece.posY * view.rangeY + view.tileHeight * 0.5);
        if (left <= cx && cx <= right && top <= cy && cy <= bottom)
            caughtKeys[caught++] = GroupKeyOf(piece);
    }
    if (caught == 0)
        return;
    // Caught pieces join the selection lowest in the table first, each with its whole group.
    header.selectedCount += LiftGroupsToTop(caughtKeys, caught);
    ArrangeFan();
    SetModified(true);
}

void SetPiecePosition(int index, double posX, double posY)
{
    g_game.pieces[index].posX = ClampPosition(posX);
    g_game.pieces[index].posY = ClampPosition(posY);
    SetModified(true);
}

void MoveSelection(int dx, int dy)
{
    const GameHeader& header = g_game.header;
    if (header.selectedCount <= 0)
        return;
    const int base = header.boardCount - header.selectedCount;
    // Without travel (one column or row) the selection stays where it is.
    SetPiecePosition(base, PixelsToPosition(dx, g_geometry.rangeX) + g_game.pieces[base].posX,
                     PixelsToPosition(dy, g_geometry.rangeY) + g_game.pieces[base].posY);
    ArrangeFan();
}

void DropSelection(int x, int y)
{
    GameHeader& header = g_game.header;
    const ViewGeometry& view = g_geometry;
    if (header.selectedCount < 1)
        return;
    header.fanSpreadX = 0;
    header.fanSpreadY = 0;
    // Without travel (one column or row) the positions are 0, never NaN.
    const double fx = PixelsToPosition(x - view.tileWidth * 0.5, view.rangeX);
    const double fy = PixelsToPosition(y - view.tileHeight * 0.5, view.rangeY);
    const int selectionStart = header.boardCount - header.selectedCount;
    const int n = SelectionLeads();
    if (n == 1) {
        PieceRecord& lead = g_game.pieces[selectionStart];
        lead.posX = ClampPosition(fx);
        lead.posY = ClampPosition(fy);
        FollowLeads(n);
        SetModified(true);
        PutDownSelection();
        return;
    }
    const double bx = g_game.pieces[s_leads[0]].posX;
    const double by = g_game.pieces[s_leads[0]].posY;
    for (int k = 1; k < n; ++k) {
        PieceRecord& lead = g_game.pieces[s_leads[k]];
        lead.posX = ClampPosition(bx + k * (fx - bx) / (n - 1));
        lead.posY = ClampPosition(by + k * (fy - by) / (n - 1));
    }
    FollowLeads(n);
    header.selectedCount = 0;
    SetModified(true);
    JoinPutDown(selectionStart, header.boardCount);
}

// Home comes first: a piece put down near home is seated there even where a loose neighbour
// lies as near. Joining moves no record, so the lead still stands for its group, joined or
// not, and a group that joined may now lie near home itself.
void PutDownSelection()
{
    GameHeader& header = g_game.header;
    if (!IsSelectionOneGroup())
        return;
    const int lead = header.boardCount - header.selectedCount;
    header.selectedCount = 0;
    const int fixedBefore = header.fixedCount;
    TryFixGroup(lead);
    if (header.fixedCount != fixedBefore || !g_groups.joining)
        return;
    JoinPutDown(lead, header.boardCount);
    TryFixGroup(lead);
}

void SwitchJoining(bool joining)
{
    const GameHeader& header = g_game.header;
    const bool groupsSelected = SelectionLeads() < header.selectedCount;
    SetJoining(joining);
    // A selected group that comes apart is a fan of its pieces now.
    if (groupsSelected)
        ArrangeFan();
}
