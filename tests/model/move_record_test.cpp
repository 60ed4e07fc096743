#include "model/move_record.h"

#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "model/game_state.h"

TEST(MoveRecordTest, AgreesWithEraseAndInsertOnAVector)
{
    ResetGameState();
    std::vector<int> expected;
    for (int i = 0; i < 60; ++i) {
        g_game.pieces[i].column = i;
        g_game.pieces[i].tabs[kSideLeft].bottom = i;  // the whole record travels
        expected.push_back(i);
    }
    const unsigned seed = std::random_device()();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    for (int step = 0; step < 2000; ++step) {
        const int from = random() % 60, to = random() % 60;
        MoveRecord(from, to);
        const int moving = expected[from];
        expected.erase(expected.begin() + from);
        expected.insert(expected.begin() + to, moving);
    }
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(expected[i], g_game.pieces[i].column);
        EXPECT_EQ(expected[i], g_game.pieces[i].tabs[kSideLeft].bottom);
    }
}
