#include "model/game_state.h"

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

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
