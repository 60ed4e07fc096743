#include "tests/box/box_fixture.h"
#include <algorithm>
#include <string.h>

static int Scroll(int code, int position = 0)
{
    SendMessageW(g_box.boxWindow, WM_VSCROLL, MAKEWPARAM(code, position), 0);
    return g_box.boxScrollY;
}

// The bottom place of the 700 x 500 board: 5 columns of the 25 pieces, 5 rows of 90 pixels.
TEST_F(BoxTest, TheLayoutFollowsTheClientArea)
{
    ShowBox(kBoxShow);
    RECT client;
    GetClientRect(g_box.boxWindow, &client);
    EXPECT_EQ(client.right, g_box.boxClientWidth);
    EXPECT_EQ(client.bottom, g_box.boxClientHeight);
    EXPECT_EQ(client.right / kTileWidth, g_box.boxColumns);
    EXPECT_EQ(5, g_box.boxColumns);
    EXPECT_EQ(5 * kTileHeight, g_box.boxContentHeight);
    SCROLLINFO info = BoxScrollInfo();
    EXPECT_EQ(0, info.nMin);
    EXPECT_EQ(5 * kTileHeight, info.nMax);
    EXPECT_EQ((UINT)client.bottom + 1, info.nPage);
    EXPECT_EQ(0, info.nPos);
    EXPECT_TRUE(HasScrollBar());
}

TEST_F(BoxTest, TwentyFivePiecesInFourColumnsMakeSevenRows)
{
    ShowBox(kBoxShow);
    MoveWindow(g_box.boxWindow, 0, 0, 560, 300, TRUE);
    EXPECT_EQ(4, g_box.boxColumns);
    EXPECT_EQ(7 * kTileHeight, g_box.boxContentHeight);
    EXPECT_EQ(7 * kTileHeight, BoxScrollInfo().nMax);
}

TEST_F(BoxTest, TakingOutTheFirstPieceMovesTheOthersUpOneSlotEach)
{
    ShowBox(kBoxShow);
    MoveWindow(g_box.boxWindow, 0, 0, 560, 300, TRUE);
    static PieceRecord before[kPieces];
    memcpy(before, g_game.pieces, sizeof before);
    ASSERT_TRUE(TakeFromBoxAt(30, 30));
    RefreshOpenBox();
    EXPECT_EQ(1, g_game.header.boardCount);
    EXPECT_EQ(6 * kTileHeight, g_box.boxContentHeight);
    for (int slot = 0; slot < kPieces - 1; ++slot) {
        EXPECT_EQ(before[slot + 1].column, g_game.pieces[1 + slot].column) << slot;
        EXPECT_EQ(before[slot + 1].row, g_game.pieces[1 + slot].row) << slot;
    }
}

TEST_F(BoxTest, AnEmptyBoxHasNoRowsAndDoesNotScroll)
{
    g_game.header.boardCount = kPieces;
    ShowBox(kBoxShow);
    EXPECT_EQ(g_box.boxClientHeight, g_box.boxContentHeight);
    EXPECT_EQ(0, Scroll(SB_PAGEDOWN));
    EXPECT_EQ(0, Scroll(SB_THUMBPOSITION, 50));
    EXPECT_FALSE(HasScrollBar());
}

TEST_F(BoxTest, ABoxNarrowerThanOneTileStillHasOneColumn)
{
    ShowBox(kBoxShow);
    MoveWindow(g_box.boxWindow, 0, 0, 60, 300, TRUE);
    ASSERT_LT(g_box.boxClientWidth, kTileWidth);
    EXPECT_EQ(1, g_box.boxColumns);
    EXPECT_EQ(kPieces * kTileHeight, g_box.boxContentHeight);
}

TEST_F(BoxTest, LineAndPageStepsMoveTenAndAHundredPixelsAndStopAtBothEnds)
{
    ShowBox(kBoxShow);
    const int last = g_box.boxContentHeight - g_box.boxClientHeight;
    ASSERT_GT(last, 200);
    EXPECT_EQ(10, Scroll(SB_LINEDOWN));
    EXPECT_EQ(110, Scroll(SB_PAGEDOWN));
    EXPECT_EQ(110, BoxScrollInfo().nPos);
    EXPECT_EQ(100, Scroll(SB_LINEUP));
    EXPECT_EQ(0, Scroll(SB_PAGEUP));
    EXPECT_EQ(0, Scroll(SB_LINEUP));
    for (int step = 0; step < 5; ++step)
        Scroll(SB_PAGEDOWN);
    EXPECT_EQ(last, g_box.boxScrollY);
    EXPECT_EQ(last, Scroll(SB_LINEDOWN));
    EXPECT_EQ(last, BoxScrollInfo().nPos);
}

TEST_F(BoxTest, TheThumbMovesTheContentOnlyWhenItIsReleased)
{
    ShowBox(kBoxShow);
    const int last = g_box.boxContentHeight - g_box.boxClientHeight;
    EXPECT_EQ(0, Scroll(SB_THUMBTRACK, 150));
    EXPECT_EQ(150, Scroll(SB_THUMBPOSITION, 150));
    EXPECT_EQ(150, BoxScrollInfo().nPos);
    EXPECT_EQ(150, Scroll(SB_ENDSCROLL));
    EXPECT_EQ(150, Scroll(SB_BOTTOM));
    EXPECT_EQ(last, Scroll(SB_THUMBPOSITION, 60000));
}

TEST_F(BoxTest, ResizingKeepsTheContentPointInTheMiddleOfTheView)
{
    ShowBox(kBoxShow);
    Scroll(SB_THUMBPOSITION, 150);
    const int middle = 150 + g_box.boxClientHeight / 2;
    RECT frame = BoxFrame();
    MoveWindow(g_box.boxWindow, frame.left, frame.top - 60, frame.right - frame.left,
               frame.bottom - frame.top + 60, TRUE);
    EXPECT_EQ(middle, g_box.boxScrollY + g_box.boxClientHeight / 2);

    // Fewer columns stretch the content; the middle stays at the same fraction of it.
    const int scroll = g_box.boxScrollY, clientHeight = g_box.boxClientHeight;
    const int content = g_box.boxContentHeight;
    MoveWindow(g_box.boxWindow, 0, 0, 560, frame.bottom - frame.top + 60, TRUE);
    ASSERT_EQ(4, g_box.boxColumns);
    ASSERT_EQ(clientHeight, g_box.boxClientHeight);
    EXPECT_EQ((clientHeight / 2 + scroll) * g_box.boxContentHeight / content - clientHeight / 2,
              g_box.boxScrollY);
}

TEST_F(BoxTest, TheFinishedPictureViewHidesTheScrollBarAndBringsItBackWithThePosition)
{
    ShowBox(kBoxShow);
    Scroll(SB_THUMBPOSITION, 150);
    g_box.goalPictureShown = 1;
    ShowBox(kBoxShow);
    SCROLLINFO info = BoxScrollInfo();
    EXPECT_EQ(0, info.nMin);
    EXPECT_EQ(0, info.nMax);
    EXPECT_EQ(0, info.nPos);
    EXPECT_FALSE(HasScrollBar());
    EXPECT_EQ(150, g_box.boxScrollY);

    g_box.goalPictureShown = 0;
    ShowBox(kBoxShow);
    EXPECT_TRUE(HasScrollBar());
    EXPECT_EQ(150, g_box.boxScrollY);
    EXPECT_EQ(150, BoxScrollInfo().nPos);
}

// From the bottom of the content, the centre kept at its place in the shorter content lies
// past the new bottom, whatever the height of the box's caption: only the clamp brings
// the view back onto the content.
TEST_F(BoxTest, BackFromTheFinishedPictureThePositionIsClampedToTheContent)
{
    ShowBox(kBoxShow);
    ASSERT_EQ(g_box.boxContentHeight - g_box.boxClientHeight, Scroll(SB_THUMBPOSITION, 1000));
    g_box.goalPictureShown = 1;
    ShowBox(kBoxShow);
    g_game.header.boardCount = 15;
    g_box.goalPictureShown = 0;
    ShowBox(kBoxShow);
    EXPECT_EQ(2 * kTileHeight, g_box.boxContentHeight);
    const int last = std::max(0, g_box.boxContentHeight - g_box.boxClientHeight);
    EXPECT_EQ(last, g_box.boxScrollY);
    EXPECT_EQ(last, BoxScrollInfo().nPos);
}

TEST_F(BoxTest, ClosingAndReopeningKeepsTheScrollPosition)
{
    ShowBox(kBoxShow);
    Scroll(SB_THUMBPOSITION, 150);
    ShowBox(kBoxClose);
    EXPECT_EQ(150, g_box.boxScrollY);
    ShowBox(kBoxShow);
    EXPECT_EQ(150, g_box.boxScrollY);
    EXPECT_EQ(150, BoxScrollInfo().nPos);
}

TEST_F(BoxTest, ReopeningClampsTheScrollPositionToTheNewContent)
{
    ShowBox(kBoxShow);
    Scroll(SB_THUMBPOSITION, 150);
    ShowBox(kBoxClose);
    g_game.header.boardCount = 15;
    ShowBox(kBoxShow);
    const int last = std::max(0, g_box.boxContentHeight - g_box.boxClientHeight);
    ASSERT_LT(last, 150);
    EXPECT_EQ(last, g_box.boxScrollY);
}
