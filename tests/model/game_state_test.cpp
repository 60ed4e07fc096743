#include "model/game_state.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include <gtest/gtest.h>

#include "model/cut_pieces.h"
#include "model/random.h"

TEST(GameStateTest, ResetClearsAPlayedGameToAnEmptyTenByTenPuzzle)
{
    std::memset(&g_game, 0x5A, sizeof(g_game));

    ResetGameState();

    const GameHeader& header = g_game.header;
    EXPECT_EQ(10, header.columns);
    EXPECT_EQ(10, header.rows);
    EXPECT_EQ(0, header.fixedCount);
    EXPECT_EQ(0, header.selectedCount);
    EXPECT_EQ(0, header.boardCount);
    EXPECT_EQ(0, header.pieceCount);
    EXPECT_EQ(0.0, header.fanSpreadX);
    EXPECT_EQ(0.0, header.fanSpreadY);
    EXPECT_EQ(0, header.wizardCount);
    EXPECT_EQ(nullptr, g_game.settingsDialog);
    EXPECT_EQ(1, g_game.squareMode);
    const char* table = reinterpret_cast<const char*>(g_game.pieces);
    EXPECT_TRUE(
        std::all_of(table, table + sizeof(g_game.pieces), [](char byte) { return byte == 0; }));
}

// The cut makes a side flat exactly where it runs along the picture's border, so the flat
// sides are the reference: a piece is an edge piece when one of its sides is flat. In a cut
// one piece across or down every piece is one; a 10 x 10 cut has 36.
TEST(GameStateTest, EdgePiecesAreThoseWithAFlatSide)
{
    const int sizes[][2] = {{1, 1}, {1, 7}, {7, 1}, {2, 2}, {2, 5}, {10, 10}, {100, 3}};
    for (const auto& size : sizes) {
        ResetGameState();
        g_game.header.columns = size[0];
        g_game.header.rows = size[1];
        SeedRandom(7);
        CutPieces();
        int edges = 0;
        for (int i = 0; i < g_game.header.pieceCount; ++i) {
            const PieceRecord& piece = g_game.pieces[i];
            const bool flat =
                std::any_of(std::begin(piece.tabs), std::end(piece.tabs),
                            [](const TabRecord& tab) { return tab.kind == kTabFlat; });
            EXPECT_EQ(flat, IsEdgePiece(piece, g_game.header))
                << size[0] << " x " << size[1] << ", home " << piece.column << "," << piece.row;
            edges += flat;
        }
        if (size[0] == 10 && size[1] == 10) {
            EXPECT_EQ(36, edges);
        }
    }
}
