#include "tests/box/box_fixture.h"
#include "board/board_state.h"
#include "board/zoomed_picture.h"
#include "resources/resource_ids.h"
#include "win/cursors.h"
#include <string.h>

struct Place {
    int x, y, width, height;
};

// From the 700 x 500 board: 40 % is 280 across and 200 down.
static const Place kPlaces[5] = {
    {0, 300, 700, 200},  // bottom
    {0, 0, 700, 200},    // top
    {420, 0, 280, 500},  // right
    {0, 0, 280, 500},    // left
    {0, 300, 700, 200},  // maximised; this is where it restores to
};

static void ExpectPlace(const Place& expected, const RECT& frame)
{
    EXPECT_EQ(expected.x, frame.left);
    EXPECT_EQ(expected.y, frame.top);
    EXPECT_EQ(expected.width, frame.right - frame.left);
    EXPECT_EQ(expected.height, frame.bottom - frame.top);
}

TEST_F(BoxTest, EachOfTheFivePlacesTakesItsShareOfTheBoard)
{
    for (int place = 0; place < 4; ++place) {
        SCOPED_TRACE(place);
        g_box.boxPosition = place;
        ShowBox(kBoxMove);
        ASSERT_NE(nullptr, g_box.boxWindow);
        ExpectPlace(kPlaces[place], BoxFrame());
        EXPECT_FALSE(IsZoomed(g_box.boxWindow));
    }
}

TEST_F(BoxTest, TheMaximisedPlaceCoversTheBoardAndRestoresToTheBottom)
{
    g_box.boxPosition = kBoxMaximised;
    ShowBox(kBoxShow);
    ASSERT_NE(nullptr, g_box.boxWindow);
    EXPECT_TRUE(IsZoomed(g_box.boxWindow));
    RECT frame = BoxFrame();
    EXPECT_LE(frame.left, 0);
    EXPECT_LE(frame.top, 0);
    EXPECT_GE(frame.right, kBoardWidth);
    EXPECT_GE(frame.bottom, kBoardHeight);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(g_box.boxWindow, &placement);
    ExpectPlace(kPlaces[4], placement.rcNormalPosition);
}

TEST_F(BoxTest, ThePlaceIsAppliedOnlyWhenTheBoxIsCreated)
{
    ShowBox(kBoxShow);
    HWND box = g_box.boxWindow;
    g_box.boxPosition = kBoxAtRight;
    ShowBox(kBoxShow);
    EXPECT_EQ(box, g_box.boxWindow);
    ExpectPlace(kPlaces[0], BoxFrame());
    ShowBox(kBoxMove);
    EXPECT_FALSE(IsWindow(box));
    ExpectPlace(kPlaces[2], BoxFrame());
}

TEST_F(BoxTest, APlaceOutsideTheFiveCreatesNothing)
{
    for (int place : {-1, 5}) {
        g_box.boxPosition = place;
        ShowBox(kBoxShow);
        EXPECT_EQ(nullptr, g_box.boxWindow);
        EXPECT_EQ(nullptr, FindWindowExW(g_board.window, nullptr, L"QuiltraBox", nullptr));
    }
}

TEST_F(BoxTest, TheBoxIsACaptionedChildOfTheBoardNamedBox)
{
    ShowBox(kBoxShow);
    HWND box = g_box.boxWindow;
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(box, FindWindowExW(g_board.window, nullptr, L"QuiltraBox", nullptr));
    EXPECT_EQ(g_board.window, GetParent(box));
    EXPECT_EQ(3, GetDlgCtrlID(box));
    wchar_t title[16] = L"";
    GetWindowTextW(box, title, 16);
    EXPECT_STREQ(L"箱", title);
    LONG style = GetWindowLongW(box, GWL_STYLE);
    const LONG wanted = WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
        WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VSCROLL;
    EXPECT_EQ(wanted, style & wanted);
    EXPECT_EQ(0, style & WS_MAXIMIZE);

    WNDCLASSW wc = {};
    ASSERT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), L"QuiltraBox", &wc));
    EXPECT_EQ((UINT)(CS_HREDRAW | CS_VREDRAW), wc.style);
    EXPECT_EQ(g_cursors.arrow, wc.hCursor);
    EXPECT_EQ(g_brushes.white, wc.hbrBackground);
    EXPECT_NE(nullptr, wc.hIcon);
    EXPECT_EQ(nullptr, wc.lpszMenuName);
}

TEST_F(BoxTest, ToggleOpensAndClosesAndCloseOnAClosedBoxDoesNothing)
{
    ShowBox(kBoxToggle);
    HWND box = g_box.boxWindow;
    ASSERT_NE(nullptr, box);
    ShowBox(kBoxToggle);
    EXPECT_EQ(nullptr, g_box.boxWindow);
    EXPECT_FALSE(IsWindow(box));
    ShowBox(kBoxClose);
    EXPECT_EQ(nullptr, g_box.boxWindow);
    ShowBox(kBoxToggle);
    EXPECT_NE(nullptr, g_box.boxWindow);
    ShowBox(kBoxClose);
    EXPECT_EQ(nullptr, g_box.boxWindow);
}

TEST_F(BoxTest, AnUnknownModeDoesNothing)
{
    ShowBox(kBoxToggle + 1);
    EXPECT_EQ(nullptr, g_box.boxWindow);
    ShowBox(kBoxShow);
    HWND box = g_box.boxWindow;
    ShowBox(-1);
    EXPECT_EQ(box, g_box.boxWindow);
}

TEST_F(BoxTest, ShowOnAnOpenBoxLaysItOutAgain)
{
    ShowBox(kBoxShow);
    const int before = g_box.boxContentHeight;
    g_game.header.boardCount = 20;
    ShowBox(kBoxShow);
    EXPECT_LT(g_box.boxContentHeight, before);
    EXPECT_EQ(g_box.boxClientHeight, g_box.boxContentHeight);
}

TEST_F(BoxTest, RefreshLaysOutOnlyWhenThePieceImagesExist)
{
    RefreshBox();
    EXPECT_EQ(nullptr, g_box.boxWindow);
    ShowBox(kBoxShow);
    const int before = g_box.boxContentHeight;
    g_game.header.boardCount = 20;
    RefreshBox();
    EXPECT_EQ(before, g_box.boxContentHeight);
    static const uint32_t kOnePixel = 0;
    SetZoomedPicture(&kOnePixel, 1, 1, 1, 1);
    RefreshBox();
    EXPECT_EQ(g_box.boxClientHeight, g_box.boxContentHeight);
    ForgetZoomedPicture();
}

TEST_F(BoxTest, TheSystemMenuClosesTheBoxAndDropsItsBuffer)
{
    ShowBox(kBoxShow);
    HWND box = g_box.boxWindow;
    g_box.boxPaintDC = GetDC(box);
    ASSERT_TRUE(MakeBoxBuffer());
    ReleaseDC(box, g_box.boxPaintDC);
    SendMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(nullptr, g_box.boxWindow);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(nullptr, g_box.buffer.dc);
    EXPECT_EQ(nullptr, g_box.buffer.bitmap);
}

// Parks the minimised box with its top edge at y and tells it that it was minimised.
static void MinimisedAt(int y)
{
    SetWindowPos(g_box.boxWindow, nullptr, 10, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(g_box.boxWindow, WM_SIZE, SIZE_MINIMIZED, 0);
}

TEST_F(BoxTest, AMinimisedBoxOnTheBoardsBottomEdgeIsLiftedOnce)
{
    ShowBox(kBoxShow);
    ShowWindow(g_box.boxWindow, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(g_box.boxWindow));
    const LONG height = BoxFrame().bottom - BoxFrame().top;

    MinimisedAt(kBoardHeight - 10);
    EXPECT_EQ(kBoardHeight - 30, BoxFrame().top);
    EXPECT_EQ(10, BoxFrame().left);
    EXPECT_EQ(height, BoxFrame().bottom - BoxFrame().top);
    SendMessageW(g_box.boxWindow, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(kBoardHeight - 30, BoxFrame().top);

    MinimisedAt(kBoardHeight - 20);
    EXPECT_EQ(kBoardHeight - 20, BoxFrame().top);
    MinimisedAt(kBoardHeight + 5);
    EXPECT_EQ(kBoardHeight - 15, BoxFrame().top);
}

TEST_F(BoxTest, AfterMinimisingTheCaptionStaysAboveTheBoardsBottomEdge)
{
    ShowBox(kBoxShow);
    ShowWindow(g_box.boxWindow, SW_MINIMIZE);
    PumpUntilQuiet();
    ASSERT_TRUE(IsIconic(g_box.boxWindow));
    EXPECT_LE(BoxFrame().top + 20, kBoardHeight);
    ShowWindow(g_box.boxWindow, SW_RESTORE);
    PumpUntilQuiet();
    ExpectPlace(kPlaces[0], BoxFrame());
}
