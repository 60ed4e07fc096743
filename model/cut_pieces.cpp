#include "model/cut_pieces.h"

#include <utility>

#include "model/game_state.h"
#include "model/random.h"

namespace {

// Which rectangle fields run across a cut and which along it.
struct CutDirection {
    double TabRecord::*acrossStart;
    double TabRecord::*acrossEnd;
    double TabRecord::*alongStart;
    double TabRecord::*alongEnd;
};

const CutDirection kCutBetweenRows = {&TabRecord::top, &TabRecord::bottom, &TabRecord::left, &TabRecord::right};
const CutDirection kCutBetweenColumns = {&TabRecord::left, &TabRecord::right, &TabRecord::top, &TabRecord::bottom};

// Draws below this give the knob to the upper or left piece.
const int kFirstPieceKnobDraws = 16383;

void SetTab(TabRecord& tab, const CutDirection& direction, int kind, double acrossStart, double acrossEnd)
{
    tab.kind = kind;
    tab.*direction.acrossStart = acrossStart;
    tab.*direction.acrossEnd = acrossEnd;
}

// `farSide` is the bottom or right side of the upper or left piece, `nearSide`
// the facing side of its neighbour. Both describe the same ellipse, each in
// its own cell's coordinates, which is why the across limits differ by 1.
void CutSharedSide(TabRecord& farSide, TabRecord& nearSide, const CutDirection& direction)
{
    if (NextRandom() < kFirstPieceKnobDraws) {
        SetTab(farSide, direction, kTabKnob, 0.9, 1.22);
        SetTab(nearSide, direction, kTabSocket, -0.1, 0.22);
    } else {
        SetTab(farSide, direction, kTabSocket, 0.78, 1.1);
        SetTab(nearSide, direction, kTabKnob, -0.22, 0.1);
    }
    // Saved games hold these values, so the expression keeps its exact order.
    const double start = NextRandom() * 0.2 / 32767 + 0.24;
    farSide.*direction.alongStart = start;
    farSide.*direction.alongEnd = start + 0.32;
    nearSide.*direction.alongStart = start;
    nearSide.*direction.alongEnd = start + 0.32;
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
        if (k >= pieceCount) k = pieceCount - 1;
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
