#include "model/piece_moves.h"

#include "board/view_geometry.h"
#include "model/game_state.h"
#include "model/home_test.h"
#include "model/move_record.h"
#include "model/position_units.h"
#include "model/shell_calls.h"

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
    const int n = header.selectedCount;
    if (n < 2)
        return;
    // Spreads come out 0 when there is no travel, so the fan collapses instead of going NaN.
    header.fanSpreadX = (PixelsToPosition(view.cellWidth, view.rangeX) * 0.5 * (n - 1)) / n;
    header.fanSpreadY = (PixelsToPosition(view.cellHeight, view.rangeY) * 0.5 * (n - 1)) / n;
    PieceRecord* selection = &g_game.pieces[header.boardCount - n];
    PieceRecord& base = selection[0];
    // Keeps the fan's upper-left end on the board.
    if (header.fanSpreadX > base.posX)
        base.posX = header.fanSpreadX;
    if (header.fanSpreadY > base.posY)
        base.posY = header.fanSpreadY;
    for (int k = 1; k < n; ++k) {
        selection[k].posX = ClampPosition(base.posX - k * header.fanSpreadX / (n - 1));
        selection[k].posY = ClampPosition(base.posY - k * header.fanSpreadY / (n - 1));
    }
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
int TopLoosePieceAt(int x, int y)
{
    const GameHeader& header = g_game.header;
    const ViewGeometry& view = g_geometry;
    for (int i = header.boardCount - header.selectedCount - 1; i >= header.fixedCount; --i) {
        const PieceRecord& piece = g_game.pieces[i];
        const int cellLeft = (int)(piece.posX * view.rangeX + view.tabMarginX);
        const int cellTop = (int)(piece.posY * view.rangeY + view.tabMarginY);
        if (cellLeft <= x && x <= cellLeft + view.cellWidth && cellTop <= y &&
            y <= cellTop + view.cellHeight)
            return i;
    }
    return -1;
}

}  // namespace

bool PickAt(int x, int y, bool additive)
{
    GameHeader& header = g_game.header;
    if (IsOnFan(x, y))
        return true;
    const int hit = TopLoosePieceAt(x, y);
    if (hit < 0)
        return false;
    MoveRecord(hit, header.boardCount - 1);
    header.selectedCount = additive ? header.selectedCount + 1 : 1;
    ArrangeFan();
    SetModified(true);
    return true;
}

void SelectInRect(int left, int top, int right, int bottom)
{
    GameHeader& header = g_game.header;
    const ViewGeometry& view = g_geometry;
    bool caught = false;
    int i = header.fixedCount;
    while (i < header.boardCount - header.selectedCount) {
        const PieceRecord& piece = g_game.pieces[i];
        const int cx = (int)(piece.posX * view.rangeX + view.tileWidth * 0.5);
        const int cy = (int)(piece.posY * view.rangeY + view.tileHeight * 0.5);
        if (left <= cx && cx <= right && top <= cy && cy <= bottom) {
            // The next record moves into index i, so i is examined again.
            MoveRecord(i, header.boardCount - 1);
            ++header.selectedCount;
            ArrangeFan();
            caught = true;
        } else {
            ++i;
        }
    }
    if (caught)
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
    const int n = header.selectedCount;
    if (n < 1)
        return;
    header.fanSpreadX = 0;
    header.fanSpreadY = 0;
    // Without travel (one column or row) the positions are 0, never NaN.
    const double fx = PixelsToPosition(x - view.tileWidth * 0.5, view.rangeX);
    const double fy = PixelsToPosition(y - view.tileHeight * 0.5, view.rangeY);
    if (n == 1) {
        const int top = header.boardCount - 1;
        g_game.pieces[top].posX = ClampPosition(fx);
        g_game.pieces[top].posY = ClampPosition(fy);
        header.selectedCount = 0;
        SetModified(true);
        TryFixPiece(top);
        return;
    }
    PieceRecord* selection = &g_game.pieces[header.boardCount - n];
    const double bx = selection[0].posX;
    const double by = selection[0].posY;
    for (int k = 1; k < n; ++k) {
        selection[k].posX = ClampPosition(bx + k * (fx - bx) / (n - 1));
        selection[k].posY = ClampPosition(by + k * (fy - by) / (n - 1));
    }
    header.selectedCount = 0;
    SetModified(true);
}
