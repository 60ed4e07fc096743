// Whatever zoom a game is played at, what it saves must load again.
#include "tests/model/puzzle_setup.h"
#include "files/game_format.h"
#include "model/home_test.h"
#include "model/piece_moves.h"
#include <algorithm>
#include <string.h>

// At 1 % a 640 x 480 picture cut 12 x 9 has a travel of two pixels down: a fixed piece's
// home lies far outside 0..1.
TEST(SavedPositions, AGameSavedAtTheSmallestZoomLoadsAgain)
{
    StartPuzzle(12, 9);
    ComputeViewGeometry(640, 480, 1, 12, 9);
    GameHeader& h = g_game.header;
    h.boardCount = 40;
    h.fixedCount = 30;
    for (int i = 0; i < h.fixedCount; ++i)
        SeatAtHome(i);
    h.selectedCount = 3;
    ArrangeFan();
    double highest = 0;
    for (int i = 0; i < h.fixedCount; ++i)
        highest = std::max(highest, std::fabs(g_game.pieces[i].posY));
    ASSERT_GT(highest, 1.0);

    char path[kGamePathSize] = "C:\\pictures\\cat.jpg";
    std::vector<unsigned char> bytes;
    BuildGameFile(path, h, g_game.pieces, &bytes);
    static LoadedGame loaded;
    ASSERT_EQ(kGameFileOk, ParseGameFile(bytes.data(), bytes.size(), &loaded));
    EXPECT_EQ(0, memcmp(&h, &loaded.header, sizeof h));
    for (int i = 0; i < h.fixedCount; ++i)
        EXPECT_EQ(g_game.pieces[i].posY, loaded.pieces[i].posY) << i;
}
