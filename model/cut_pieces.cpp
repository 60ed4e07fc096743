#include "model/cut_pieces.h"

#include <utility>

#include "model/game_state.h"
#include "model/random.h"

namespace {

// Which way a cut runs: between rows the ellipse's top and bottom reach across the cut
// and its left and right run along it; between columns the other way round.
enum CutDirection { kCutBetweenRows, kCutBetweenColumns };

// Draws below this give the knob to the upper or left piece.
const int kFirstPieceKnobDraws = 16383;

// The fields are written by name: the records are packed, and a pointer to a member
// would take its double as 8-byte aligned.
void SetTab(TabRecord& tab, CutDirection direction, int kind, double acrossStart, double acrossEnd,
            double alongStart, double alongEnd)
{
    tab.kind = kind;
    if (direction == kCutBetweenRows) {
        tab.top = acrossStart;
        tab.bottom = acrossEnd;
        tab.left = alongStart;
        tab.right = alongEnd;
    } else {
        tab.left = acrossStart;
        tab.right = acrossEnd;
        tab.top = alongStart;
        tab.bottom = alongEnd;
    }
}

// `farSide` is the bottom or right side of the upper or left piece, `nearSide`
// the facing side of its neighbour. Both describe the same ellipse, each in
// its own cell's coordinates, which is why the across limits differ by 1.
void CutSharedSide(TabRecord& farSide, TabRecord& nearSide, CutDirection direction)
{
    const bool farKnob = NextRandom() < kFirstPieceKnobDraws;
    // Saved games hold these values, so the expression keeps its exact order.
    const double start = NextRandom() * 0.2 / 32767 + 0.24;
    const double end = start + 0.32;
    if (farKnob) {
        SetTab(farSide, direction, kTabKnob, 0.9, 1.22, start, end);
        SetTab(nearSide, direction, kTabSocket, -0.1, 0.22, start, end);
    } else {
        SetTab(farSide, direction, kTabSocket, 0.78, 1.1, start, end);
        SetTab(nearSide, direction, kTabKnob, -0.22, 0.1, start, end);
    }
}

void NumberPieces(int columns, int rows)
{
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            PieceRecord& piece = g_game.pieces[column * rows + row];
            piece = PieceRecord();
            piece.column = column;
            piece.row = row;
        }
    }
}

void CutBetweenRows(int columns, int rows)
{
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row + 1 < rows; ++row) {
            PieceRecord& upper = g_game.pieces[column * rows + row];
            PieceRecord& lower = g_game.pieces[column * rows + row + 1];
            CutSharedSide(upper.tabs[kSideBottom], lower.tabs[kSideTop], kCutBetweenRows);
        }
    }
}

void CutBetweenColumns(int columns, int rows)
{
    for (int column = 0; column + 1 < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            PieceRecord& left = g_game.pieces[column * rows + row];
            PieceRecord& right = g_game.pieces[(column + 1) * rows + row];
            CutSharedSide(left.tabs[kSideRight], right.tabs[kSideLeft], kCutBetweenColumns);
        }
    }
}

void ShufflePieces(int pieceCount)
{
    for (int j = 0; j < pieceCount; ++j) {
        int k = NextRandom() * pieceCount / 32766;
        // Draws 32766 and 32767 reach one past the last piece; they take the last one.
        if (k >= pieceCount)
            k = pieceCount - 1;
        std::swap(g_game.pieces[j], g_game.pieces[k]);
    }
}

}  // namespace

void CutPieces()
{
    GameHeader& header = g_game.header;
    header.fixedCount = 0;
    header.boardCount = 0;
    header.pieceCount = header.columns * header.rows;
    NumberPieces(header.columns, header.rows);
    CutBetweenRows(header.columns, header.rows);
    CutBetweenColumns(header.columns, header.rows);
    ShufflePieces(header.pieceCount);
}
