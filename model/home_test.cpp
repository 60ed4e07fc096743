#include "model/home_test.h"

#include "board/view_geometry.h"
#include "model/game_state.h"
#include "model/home_tolerance.h"
#include "model/move_record.h"
#include "model/piece_groups.h"
#include "model/position_units.h"
#include "model/random.h"
#include "model/shell_calls.h"

namespace {

// Draws of 0..6553 out of 0..32767: about one boxed piece in five.
const double kWizardDrawLimit = 6553.4;

void CompletePuzzle()
{
    InvalidateBoardWindow();
    PlayMusic(kMusicFanfare);
    ShowCompletionMessage();
    PlayMusic(kMusicBackground);
}

// Fixing a piece or a group is heard and seen once; the last one completes the puzzle.
void AnnounceFixed()
{
    SetModified(true);
    UpdateTitle();
    SoundFixedBeep();
    if (g_game.header.fixedCount == g_game.header.pieceCount)
        CompletePuzzle();
}

// Its own sums, not IsWithinHomeTolerance's: with joining off a piece is fixed exactly where
// it always was.
bool IsNearHome(const PieceRecord& piece)
{
    const ViewGeometry& view = g_geometry;
    const int dx = (int)(piece.posX * view.rangeX + view.tabMarginX - view.goalLeft);
    const int dy = (int)(piece.posY * view.rangeY + view.tabMarginY - view.goalTop);
    return (piece.column - kHomeToleranceCells) * view.cellWidth - kHomeTolerancePixels < dx &&
        dx < (piece.column + kHomeToleranceCells) * view.cellWidth + kHomeTolerancePixels &&
        (piece.row - kHomeToleranceCells) * view.cellHeight - kHomeTolerancePixels < dy &&
        dy < (piece.row + kHomeToleranceCells) * view.cellHeight + kHomeTolerancePixels;
}

}  // namespace

void SeatAtHome(int index)
{
    const ViewGeometry& view = g_geometry;
    PieceRecord& piece = g_game.pieces[index];
    // Without travel every position is 0, home included.
    piece.posX = PixelsToPosition(piece.column * view.cellWidth + (view.goalLeft - view.tabMarginX),
                                  view.rangeX);
    piece.posY = PixelsToPosition(piece.row * view.cellHeight + (view.goalTop - view.tabMarginY),
                                  view.rangeY);
}

void TryFixPiece(int index)
{
    GameHeader& header = g_game.header;
    // Only a loose piece can be fixed: a fixed, selected or boxed one would break the table's
    // ranges.
    if (index < header.fixedCount || index >= header.boardCount - header.selectedCount)
        return;
    if (!IsNearHome(g_game.pieces[index]))
        return;
    SeatAtHome(index);
    MoveRecord(index, header.fixedCount);
    ++header.fixedCount;
    AnnounceFixed();
}

void TryFixGroup(int index)
{
    GameHeader& header = g_game.header;
    if (index < header.fixedCount || index >= header.boardCount - header.selectedCount)
        return;
    const PieceRecord& piece = g_game.pieces[index];
    if (IsAlone(piece)) {
        TryFixPiece(index);
        return;
    }
    // Every piece of a group lies equally far from home, so one stands for all.
    if (!IsNearHome(piece))
        return;
    const int first = header.fixedCount;
    header.fixedCount += LowerGroupToFixed(GroupKeyOf(piece));
    for (int i = first; i < header.fixedCount; ++i) {
        SetAlone(g_game.pieces[i]);
        SeatAtHome(i);
    }
    AnnounceFixed();
}

void ReseatFixedPieces()
{
    for (int i = 0; i < g_game.header.fixedCount; ++i)
        SeatAtHome(i);
}

void RunWizard()
{
    GameHeader& header = g_game.header;
    // Moving piece i down to boardCount shifts only pieces already visited, so
    // the next unvisited one stays at i + 1.
    for (int i = header.boardCount; i < header.pieceCount; ++i) {
        if (NextRandom() < kWizardDrawLimit) {
            MoveRecord(i, header.boardCount);
            ++header.boardCount;
        }
    }
    // Fixed pieces never belong to the selection, so the selection ends before everything out is
    // fixed.
    header.selectedCount = 0;
    header.fixedCount = header.boardCount;
    // Fixed pieces belong to no group.
    ClearGroups();
    ReseatFixedPieces();
    ++header.wizardCount;
    SetModified(true);
    UpdateTitle();
}
