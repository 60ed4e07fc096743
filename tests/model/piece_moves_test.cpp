#include "model/piece_moves.h"

#include <gtest/gtest.h>

#include "tests/model/puzzle_setup.h"

namespace {

const double kSpreadOfThreeX = (40.0 / 499) * 0.5 * 2 / 3;
const double kSpreadOfThreeY = (30.0 / 373) * 0.5 * 2 / 3;

TEST(TakeFromBoxTest, ThreePiecesFanUpLeftFromTheViewCentre)
{
    StartPuzzle(10, 10);
    g_shell.scrollX = 100;
    g_shell.scrollY = 50;
    g_geometry.offsetX = 20;
    std::vector<std::pair<int, int>> box = Homes(0, 100);
    const std::vector<std::pair<int, int>> taken = {box[40], box[51], box[99]};
    TakeFromBox(40);
    TakeFromBox(51);
    TakeFromBox(99);

    box.erase(box.begin() + 99);
    box.erase(box.begin() + 51);
    box.erase(box.begin() + 40);
    EXPECT_EQ(taken, Homes(0, 3));
    EXPECT_EQ(box, Homes(3, 100));
    EXPECT_EQ(3, g_game.header.boardCount);
    EXPECT_EQ(3, g_game.header.selectedCount);
    EXPECT_DOUBLE_EQ(kSpreadOfThreeX, g_game.header.fanSpreadX);
    EXPECT_DOUBLE_EQ(kSpreadOfThreeY, g_game.header.fanSpreadY);
    // (300 - 61) / 2 + 100 - 20 and (200 - 47) / 2 + 50, truncated.
    const double baseX = 199.0 / 499, baseY = 126.0 / 373;
    const PieceRecord* p = g_game.pieces;
    EXPECT_DOUBLE_EQ(baseX, p[0].posX);
    EXPECT_DOUBLE_EQ(baseY, p[0].posY);
    EXPECT_DOUBLE_EQ(baseX - kSpreadOfThreeX / 2, p[1].posX);
    EXPECT_DOUBLE_EQ(baseY - kSpreadOfThreeY / 2, p[1].posY);
    EXPECT_DOUBLE_EQ(baseX - kSpreadOfThreeX, p[2].posX);
    EXPECT_DOUBLE_EQ(baseY - kSpreadOfThreeY, p[2].posY);
    EXPECT_EQ("SetModified(1)", g_shell.calls.back());
}

TEST(TakeFromBoxTest, AFanAtTheCornerPushesItsBaseOntoTheBoard)
{
    StartPuzzle(10, 10);
    g_geometry.bufferWidth = 61;
    g_geometry.bufferHeight = 47;
    for (int i = 0; i < 3; ++i)
        TakeFromBox(3);

    const PieceRecord* p = g_game.pieces;
    EXPECT_DOUBLE_EQ(kSpreadOfThreeX, p[0].posX);
    EXPECT_DOUBLE_EQ(kSpreadOfThreeY, p[0].posY);
    EXPECT_DOUBLE_EQ(kSpreadOfThreeX / 2, p[1].posX);
    EXPECT_DOUBLE_EQ(kSpreadOfThreeY / 2, p[1].posY);
    EXPECT_EQ(0.0, p[2].posX);
    EXPECT_EQ(0.0, p[2].posY);
}

TEST(PickAtTest, AClickAnywhereInTheFanBoxHitsAndChangesNothing)
{
    StartPuzzle(10, 10);
    for (int i = 0; i < 3; ++i)
        TakeFromBox(g_game.header.boardCount);
    ResetShellStandIn();
    const std::vector<char> before = TableBytes();
    const int bx = (int)(g_game.pieces[0].posX * 499), by = (int)(g_game.pieces[0].posY * 373);
    const int left = (int)std::ceil(bx - kSpreadOfThreeX * 499);

    // Below the upper pieces and left of the base: inside the box, but on no piece.
    EXPECT_TRUE(PickAt(left, by + 47, false));
    EXPECT_TRUE(PickAt(bx + 61, by + 47, true));
    EXPECT_EQ(before, TableBytes());
    EXPECT_TRUE(g_shell.calls.empty());
    EXPECT_FALSE(PickAt(bx + 62, by, false));
}

TEST(PickAtTest, AKnobIsNotPartOfItsPiece)
{
    StartPuzzle(10, 10);
    int knobbed = 0;
    while (g_game.pieces[knobbed].tabs[kSideLeft].kind != kTabKnob)
        ++knobbed;
    std::swap(g_game.pieces[0], g_game.pieces[knobbed]);
    LayOutLoose({{0, 0}, {300, 300}});
    g_game.header.selectedCount = 1;
    const TabRecord& knob = g_game.pieces[0].tabs[kSideLeft];
    const int cellLeft = 10, cellTop = 8;  // the margins 10.8 and 8.6, truncated
    const int knobX = (int)(cellLeft + 40 * (knob.left + knob.right) / 2);
    const int knobY = (int)(cellTop + 30 * (knob.top + knob.bottom) / 2);
    ASSERT_LT(knobX, cellLeft);

    const std::pair<int, int> home = HomeOf(g_game.pieces[0]);
    EXPECT_FALSE(PickAt(knobX, knobY, true));
    EXPECT_EQ(home, HomeOf(g_game.pieces[0]));
    // Without `additive` the piece replaces the selection, which stays below it, loose.
    EXPECT_TRUE(PickAt(cellLeft, knobY, false));
    EXPECT_EQ(home, HomeOf(g_game.pieces[1]));
    EXPECT_EQ(1, g_game.header.selectedCount);
}

TEST(DropSelectionTest, OfTwoPiecesOnlyTheSecondMovesCentredOnThePoint)
{
    StartPuzzle(10, 10);
    TakeFromBox(0);
    TakeFromBox(1);
    const PieceRecord base = g_game.pieces[0];

    DropSelection(250, 200);

    EXPECT_EQ(base.posX, g_game.pieces[0].posX);
    EXPECT_EQ(base.posY, g_game.pieces[0].posY);
    EXPECT_DOUBLE_EQ((250 - 30.5) / 499, g_game.pieces[1].posX);
    EXPECT_DOUBLE_EQ((200 - 23.5) / 373, g_game.pieces[1].posY);
    EXPECT_EQ(0, g_game.header.selectedCount);
    EXPECT_EQ(0.0, g_game.header.fanSpreadX);
    EXPECT_EQ(0, g_game.header.fixedCount);
}

TEST(ReturnSelectionToBoxTest, AnEmptySelectionChangesNothingAndMarksNothing)
{
    StartPuzzle(10, 10);
    LayOutLoose({{100, 100}});
    const std::vector<char> before = TableBytes();

    ReturnSelectionToBox();

    EXPECT_EQ(before, TableBytes());
    EXPECT_TRUE(g_shell.calls.empty());
}

TEST(SelectInRectTest, OnlyTileCentresCountAndTheLowestCaughtBecomesTheBase)
{
    StartPuzzle(10, 10);
    LayOutLoose({{100, 100}, {200, 100}, {400, 100}});
    const std::vector<std::pair<int, int>> homes = Homes(0, 3);
    const std::vector<char> before = TableBytes();

    // The centres lie at (130, 123), (230, 123) and (430, 123); the bands cover most of the tiles.
    SelectInRect(90, 90, 129, 200);
    SelectInRect(131, 124, 500, 200);
    EXPECT_EQ(before, TableBytes());
    EXPECT_TRUE(g_shell.calls.empty());

    SelectInRect(0, 0, 260, 200);
    EXPECT_EQ((std::vector<std::pair<int, int>>{homes[2], homes[0], homes[1]}), Homes(0, 3));
    EXPECT_EQ(2, g_game.header.selectedCount);
}

}  // namespace
