#include "model/home_test.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "tests/model/forced_draws.h"
#include "tests/model/puzzle_setup.h"
#include "model/piece_moves.h"

namespace {

const std::vector<std::string> kFixCalls = {"SetModified(1)", "UpdateTitle", "Beep"};

// Half a pixel more than asked, so that the truncation to whole pixels cannot
// land one pixel short.
void PlaceCellOffHome(int index, int dx, int dy)
{
    PieceRecord& piece = g_game.pieces[index];
    const ViewGeometry& v = g_geometry;
    piece.posX = (v.goalLeft + piece.column * v.cellWidth + dx + 0.5 - v.tabMarginX) / v.rangeX;
    piece.posY = (v.goalTop + piece.row * v.cellHeight + dy + 0.5 - v.tabMarginY) / v.rangeY;
}

TEST(HomeTest, ATenthOfACellPlusThreePixelsOffIsHomeButPlusFourIsNot)
{
    const int directions[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& direction : directions) {
        for (int pixels : {3, 4}) {
            SCOPED_TRACE(testing::Message()
                         << direction[0] << "," << direction[1] << " by " << pixels);
            StartPuzzle(10, 10);
            g_game.header.boardCount = 100;
            int i = 0;
            while (HomeOf(g_game.pieces[i]) != std::make_pair(2, 3))
                ++i;
            // A tenth of the 40 x 30 cell is 4 and 3 pixels.
            PlaceCellOffHome(i, direction[0] * (4 + pixels), direction[1] * (3 + pixels));
            TryFixPiece(i);
            EXPECT_EQ(pixels == 3 ? 1 : 0, g_game.header.fixedCount);
        }
    }
}

TEST(HomeTest, FixingMovesTheRecordDownToFixedCountOnly)
{
    StartPuzzle(10, 10);
    g_game.header.boardCount = 100;
    g_game.header.fixedCount = 2;
    ReseatFixedPieces();
    std::vector<std::pair<int, int>> homes = Homes(0, 100);

    PlaceCellOffHome(2, 1, 1);
    TryFixPiece(2);
    EXPECT_EQ(homes, Homes(0, 100));

    PlaceCellOffHome(7, 0, 0);
    TryFixPiece(7);
    homes.insert(homes.begin() + 3, homes[7]);
    homes.erase(homes.begin() + 8);
    EXPECT_EQ(homes, Homes(0, 100));
    EXPECT_EQ(4, g_game.header.fixedCount);
    EXPECT_TRUE(TableIsConsistent());
    std::vector<std::string> twice = kFixCalls;
    twice.insert(twice.end(), kFixCalls.begin(), kFixCalls.end());
    EXPECT_EQ(twice, g_shell.calls);
}

TEST(HomeTest, FixedPiecesSitExactlyHomeAfterEveryZoom)
{
    StartPuzzle(10, 10);
    g_game.header.boardCount = 50;
    g_game.header.fixedCount = 30;
    for (int i = 30; i < 50; ++i)
        g_game.pieces[i].posX = g_game.pieces[i].posY = i / 50.0;
    const std::vector<char> start = TableBytes();
    const std::vector<char> loose(start.begin() + sizeof(GameHeader) + 30 * sizeof(PieceRecord),
                                  start.end());

    for (int zoom : {100, 1, 2, 3, 5, 7, 10, 15, 20, 30, 50, 75, 150, 200, 300, 500, 100}) {
        SCOPED_TRACE(zoom);
        ComputeViewGeometry(400, 300, zoom, 10, 10);
        ReseatFixedPieces();
        EXPECT_TRUE(TableIsConsistent());
        const std::vector<char> now = TableBytes();
        EXPECT_TRUE(std::equal(loose.begin(), loose.end(), now.end() - loose.size()));
    }
    EXPECT_TRUE(g_shell.calls.empty());
}

TEST(HomeTest, TheLastFixBeepsThenCompletesExactlyOnce)
{
    StartPuzzle(2, 2);
    g_game.header.boardCount = 3;
    for (int i = 0; i < 3; ++i) {
        PlaceCellOffHome(i, 0, 0);
        TryFixPiece(i);
    }
    EXPECT_EQ(3, g_game.header.fixedCount);
    EXPECT_EQ(9u, g_shell.calls.size());
    EXPECT_EQ(std::vector<std::string>(g_shell.calls.end() - 3, g_shell.calls.end()), kFixCalls);

    TakeFromBox(3);
    ResetShellStandIn();
    const PieceRecord& last = g_game.pieces[3];
    const ViewGeometry& v = g_geometry;
    DropSelection((int)(v.goalLeft + last.column * v.cellWidth - v.tabMarginX + v.tileWidth * 0.5),
                  (int)(v.goalTop + last.row * v.cellHeight - v.tabMarginY + v.tileHeight * 0.5));

    EXPECT_EQ(4, g_game.header.fixedCount);
    EXPECT_TRUE(TableIsConsistent());
    const std::vector<std::string> expected = {
        "SetModified(1)",  "SetModified(1)", "UpdateTitle",       "Beep",
        "InvalidateBoard", "PlayMusic(2)",   "CompletionMessage", "PlayMusic(1)"};
    EXPECT_EQ(expected, g_shell.calls);
}

TEST(WizardTest, AnEmptyBoxDrawsNothingYetFixesTheBoardAndCounts)
{
    StartPuzzle(10, 10);
    LayOutLoose(std::vector<std::pair<int, int>>(100, {250, 250}));
    g_game.header.selectedCount = 2;
    SeedRandom(12345);

    RunWizard();

    EXPECT_EQ(12345u, g_randomState);
    EXPECT_EQ(100, g_game.header.fixedCount);
    EXPECT_EQ(1, g_game.header.wizardCount);
    EXPECT_TRUE(TableIsConsistent());
    EXPECT_EQ((std::vector<std::string>{"SetModified(1)", "UpdateTitle"}), g_shell.calls);
}

TEST(WizardTest, DrawsBelow6553Point4TakeBoxedPiecesOutInBoxOrder)
{
    for (int firstDraw : {6553, 6554}) {
        SCOPED_TRACE(firstDraw);
        StartPuzzle(10, 10);
        g_game.header.boardCount = 10;
        const std::vector<std::pair<int, int>> homes = Homes(0, 100);
        const uint32_t seed = SeedForDraw(firstDraw, 0);
        SeedRandom(seed);
        std::vector<std::pair<int, int>> out(homes.begin(), homes.begin() + 10), stay;
        for (int i = 10; i < 100; ++i)
            (NextRandom() < 6553.4 ? out : stay).push_back(homes[i]);
        SeedRandom(seed);

        RunWizard();

        EXPECT_EQ(firstDraw == 6553, out.size() > 10 && out[10] == homes[10]);
        out.insert(out.end(), stay.begin(), stay.end());
        EXPECT_EQ(out, Homes(0, 100));
        EXPECT_EQ(100 - (int)stay.size(), g_game.header.fixedCount);
        EXPECT_TRUE(TableIsConsistent());
    }
}

TEST(WizardTest, ASelectionEndsBeforeItsPiecesAreFixed)
{
    StartPuzzle(10, 10, 3);
    for (int i = 0; i < 3; ++i)
        TakeFromBox(g_game.header.boardCount + 10);
    SeedRandom(99);

    RunWizard();

    EXPECT_EQ(0, g_game.header.selectedCount);
    EXPECT_EQ(g_game.header.boardCount, g_game.header.fixedCount);
    EXPECT_TRUE(TableIsConsistent());
}

}  // namespace
