#ifndef QUILTRA_TESTS_MODEL_PUZZLE_SETUP_H
#define QUILTRA_TESTS_MODEL_PUZZLE_SETUP_H

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/model/shell_stand_in.h"
#include "board/view_geometry.h"
#include "model/cut_pieces.h"
#include "model/game_state.h"
#include "model/random.h"

// A 400 x 300 picture cut and shown at 100 %. With 10 x 10 pieces: cells 40 x 30,
// margins 10.8 and 8.6, tiles 61 x 47, travel 499 x 373, goal area at (80, 60).
inline void StartPuzzle(int columns, int rows, uint32_t seed = 1)
{
    ResetGameState();
    g_game.header.columns = columns;
    g_game.header.rows = rows;
    SeedRandom(seed);
    CutPieces();
    g_geometry = ViewGeometry();
    ComputeViewGeometry(400, 300, 100, columns, rows);
    g_geometry.bufferWidth = 300;
    g_geometry.bufferHeight = 200;
    ResetShellStandIn();
}

// The first pieces lie loose, one for each corner, with their tiles' top-left corners at whole
// board pixels.
inline void LayOutLoose(const std::vector<std::pair<int, int>>& tileCorners)
{
    g_game.header.boardCount = (int)tileCorners.size();
    for (size_t i = 0; i < tileCorners.size(); ++i) {
        g_game.pieces[i].posX = tileCorners[i].first / g_geometry.rangeX;
        g_game.pieces[i].posY = tileCorners[i].second / g_geometry.rangeY;
    }
}

inline std::pair<int, int> HomeOf(const PieceRecord& piece)
{
    return {piece.column, piece.row};
}

inline std::vector<std::pair<int, int>> Homes(int begin, int end)
{
    std::vector<std::pair<int, int>> homes;
    for (int i = begin; i < end; ++i)
        homes.push_back(HomeOf(g_game.pieces[i]));
    return homes;
}

// Header and meaningful records, byte for byte.
inline std::vector<char> TableBytes()
{
    const char* start = reinterpret_cast<const char*>(&g_game);
    return std::vector<char>(
        start, start + sizeof(GameHeader) + g_game.header.pieceCount * sizeof(PieceRecord));
}

// The cell's left or top edge in board pixels against its place in the picture.
inline bool SitsHome(double position, double range, double margin, double goal, int index,
                     double cell)
{
    if (range <= 0)
        return position == 0;
    return std::fabs(position * range + margin - (goal + index * cell)) < 1e-6;
}

inline ::testing::AssertionResult TableIsConsistent()
{
    const GameHeader& h = g_game.header;
    if (!(0 <= h.fixedCount && h.fixedCount <= h.boardCount - h.selectedCount &&
          0 <= h.selectedCount && h.selectedCount <= h.boardCount && h.boardCount <= h.pieceCount))
        return ::testing::AssertionFailure()
            << "counts fixed " << h.fixedCount << ", selected " << h.selectedCount << ", board "
            << h.boardCount << ", pieces " << h.pieceCount;
    const ViewGeometry& v = g_geometry;
    std::vector<int> seen(h.pieceCount, 0);
    for (int i = 0; i < h.pieceCount; ++i) {
        const PieceRecord& p = g_game.pieces[i];
        if (p.column < 0 || p.column >= h.columns || p.row < 0 || p.row >= h.rows ||
            ++seen[p.column * h.rows + p.row] > 1)
            return ::testing::AssertionFailure()
                << "home " << p.column << "," << p.row << " at " << i;
        const bool placed = i < h.fixedCount
            ? SitsHome(p.posX, v.rangeX, v.tabMarginX, v.goalLeft, p.column, v.cellWidth) &&
                SitsHome(p.posY, v.rangeY, v.tabMarginY, v.goalTop, p.row, v.cellHeight)
            : p.posX >= 0 && p.posX <= 1 && p.posY >= 0 && p.posY <= 1;
        if (!placed)
            return ::testing::AssertionFailure()
                << "entry " << i << " at " << p.posX << "," << p.posY;
    }
    return ::testing::AssertionSuccess();
}

#endif
