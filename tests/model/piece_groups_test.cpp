#include "model/group_joining.h"
#include "model/piece_groups.h"

#include <utility>

#include <gtest/gtest.h>

#include "tests/model/puzzle_setup.h"
#include "model/home_test.h"
#include "model/piece_moves.h"

namespace {

// On a 10 x 10 cut at 100 % (cells 40 x 30) a piece lies near a place when it is off by
// less than 8 pixels across and 7 down.
class PieceGroupsTest : public testing::Test {
protected:
    void SetUp() override { Start(10, 10); }

    void Start(int columns, int rows)
    {
        StartPuzzle(columns, rows);
        SetJoining(true);
    }

    // Takes the piece of this home cell out of the box and lays it loose on the board, off
    // home by `shift`.
    int LayLoose(int column, int row, PixelShift shift)
    {
        GameHeader& h = g_game.header;
        int index = h.boardCount;
        while (g_game.pieces[index].column != column || g_game.pieces[index].row != row)
            ++index;
        TakeFromBox(index);
        const int top = h.boardCount - 1;
        SeatAtHome(top);
        // A single column or row has no travel that way: every position there is 0.
        if (g_geometry.rangeX > 0)
            g_game.pieces[top].posX += (shift.x + 0.5) / g_geometry.rangeX;
        if (g_geometry.rangeY > 0)
            g_game.pieces[top].posY += (shift.y + 0.5) / g_geometry.rangeY;
        h.selectedCount = 0;
        return top;
    }

    // Lays the piece there and puts it down as a drag would end.
    int PutDown(int column, int row, PixelShift shift)
    {
        const int index = LayLoose(column, row, shift);
        ++g_game.header.selectedCount;
        PutDownSelection();
        return index;
    }
};

bool Together(int a, int b)
{
    return !IsAlone(g_game.pieces[a]) &&
        GroupKeyOf(g_game.pieces[a]) == GroupKeyOf(g_game.pieces[b]);
}

TEST_F(PieceGroupsTest, APieceJoinsItsNeighbourWithinTheToleranceAndNotBeyond)
{
    const PixelShift away{150, 90};
    const int left = LayLoose(3, 3, away);
    const int justOut = PutDown(4, 3, PixelShift{away.x + 8, away.y});
    EXPECT_FALSE(Together(left, justOut));
    EXPECT_EQ(away.x + 8, ShiftFromHome(justOut).x);

    const int below = PutDown(3, 4, PixelShift{away.x - 7, away.y + 6});
    EXPECT_TRUE(Together(left, below));
    EXPECT_EQ(away.x, ShiftFromHome(below).x);
    EXPECT_EQ(away.y, ShiftFromHome(below).y);
}

// Home comes first: a piece put down near home is seated even beside a loose neighbour that
// lies as near, which joining would carry it away with.
TEST_F(PieceGroupsTest, APiecePutDownNearHomeIsSeatedRatherThanJoined)
{
    LayLoose(3, 3, PixelShift{14, 0});
    PutDown(4, 3, PixelShift{7, 0});
    ASSERT_EQ(1, g_game.header.fixedCount);
    EXPECT_EQ(4, g_game.pieces[0].column);
    EXPECT_TRUE(IsAlone(g_game.pieces[1]));
    EXPECT_EQ(14, ShiftFromHome(1).x);
}

// A single column has no travel across: its pieces join down it all the same.
TEST_F(PieceGroupsTest, PiecesOfASingleColumnOrRowJoin)
{
    for (const auto& cut : {std::make_pair(1, 5), std::make_pair(5, 1)}) {
        Start(cut.first, cut.second);
        const bool column = cut.first == 1;
        const int first = LayLoose(0, 0, column ? PixelShift{0, 150} : PixelShift{150, 0});
        const int second = PutDown(column ? 0 : 1, column ? 1 : 0,
                                   column ? PixelShift{0, 152} : PixelShift{152, 0});
        EXPECT_TRUE(Together(first, second)) << cut.first << " x " << cut.second;
    }
}

// Turned off, joining lets a selected group come apart into a fan at once, not at the next
// move.
TEST_F(PieceGroupsTest, ASelectedGroupBecomesAFanWhenJoiningIsTurnedOff)
{
    const PixelShift away{150, 90};
    const int left = LayLoose(3, 3, away);
    PutDown(4, 3, away);
    const ViewGeometry& g = g_geometry;
    const PieceRecord& picked = g_game.pieces[left];
    ASSERT_TRUE(PickAt((int)(picked.posX * g.rangeX + g.tabMarginX + 5),
                       (int)(picked.posY * g.rangeY + g.tabMarginY + 5), true));
    ASSERT_EQ(2, g_game.header.selectedCount);
    EXPECT_EQ(0, g_game.header.fanSpreadX);
    SwitchJoining(false);
    EXPECT_LT(0, g_game.header.fanSpreadX);
    const std::vector<char> fanned = TableBytes();
    MoveSelection(0, 0);
    EXPECT_EQ(fanned, TableBytes());
}

// A piece dropped into the corner of two groups that lie exactly in line joins both at once;
// the three move as one, and back in the box each piece stands alone.
TEST_F(PieceGroupsTest, OneDropJoinsEveryGroupItFitsAndTheBoxBreaksThem)
{
    const PixelShift away{150, 90};
    const int left = LayLoose(3, 3, away);
    const int below = LayLoose(4, 4, away);
    EXPECT_FALSE(Together(left, below)) << "corner to corner, they are not neighbours";
    const int corner = PutDown(4, 3, PixelShift{away.x + 3, away.y - 2});
    EXPECT_TRUE(Together(corner, left));
    EXPECT_TRUE(Together(corner, below));

    const ViewGeometry& g = g_geometry;
    const PieceRecord& picked = g_game.pieces[left];
    ASSERT_TRUE(PickAt((int)(picked.posX * g.rangeX + g.tabMarginX + 5),
                       (int)(picked.posY * g.rangeY + g.tabMarginY + 5), false));
    EXPECT_EQ(3, g_game.header.selectedCount);
    MoveSelection(-20, 10);
    const GameHeader& h = g_game.header;
    for (int i = h.boardCount - 3; i < h.boardCount; ++i) {
        EXPECT_EQ(away.x - 20, ShiftFromHome(i).x);
        EXPECT_EQ(away.y + 10, ShiftFromHome(i).y);
    }
    ReturnSelectionToBox();
    EXPECT_EQ(0, h.boardCount);
    for (int i = 0; i < h.pieceCount; ++i)
        EXPECT_TRUE(IsAlone(g_game.pieces[i]));
}

}  // namespace
