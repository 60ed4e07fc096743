// The right button pans the board or opens its menu; the wheel zooms while no button is held.
#include "tests/board/board_fixture.h"
#include "tests/board/menu_watch.h"
#include "tests/board/pointer.h"
#include "board/board_state.h"
#include "box/box_state.h"
#include "box/box_window.h"
#include "resources/resource_ids.h"
#include "win/cursors.h"
#include <algorithm>

static int Clamped(int value, int highest)
{
    return std::max(0, std::min(value, highest));
}

// At 300 % the board is 1680 x 1260 pixels, larger than the window both ways.
TEST_F(BoardTest, DraggingWithTheRightButtonPansTheBoardWithinItsLimits)
{
    ShowAtZoom(300);
    ScrollBoardTo(200, 300);
    ASSERT_EQ(0, g_geometry.offsetX);
    ASSERT_EQ(0, g_geometry.offsetY);
    const POINT size = BoardClientSize();
    const int maxX = g_geometry.boardWidth - size.x, maxY = g_geometry.boardHeight - size.y;
    ASSERT_GT(maxX, 200);
    ASSERT_GT(maxY, 300);

    WatchForMenu(0);
    const POINT press = {size.x - 200, size.y - 100};
    PressAt(WM_RBUTTONDOWN, press);
    PostToBoard(WM_MOUSEMOVE, POINT{press.x - 40, press.y - 25});
    EXPECT_EQ(kMousePanning, g_board.mouseMode);
    EXPECT_EQ(g_cursors.drag, BoardCursor());
    EXPECT_EQ(240, g_board.scrollX) << "the board follows the pointer";
    EXPECT_EQ(325, g_board.scrollY);

    PostToBoard(WM_MOUSEMOVE, POINT{100, 50});
    EXPECT_EQ(Clamped(240 + press.x - 40 - 100, maxX), g_board.scrollX);
    EXPECT_EQ(Clamped(325 + press.y - 25 - 50, maxY), g_board.scrollY);
    const int x = g_board.scrollX, y = g_board.scrollY;
    PostToBoard(WM_MOUSEMOVE, POINT{size.x - 20, size.y - 20});
    EXPECT_EQ(Clamped(x - (size.x - 120), maxX), g_board.scrollX);
    EXPECT_EQ(Clamped(y - (size.y - 70), maxY), g_board.scrollY);
    EXPECT_EQ(g_board.scrollX, GetScrollPos(g_board.window, SB_HORZ));
    EXPECT_EQ(g_board.scrollY, GetScrollPos(g_board.window, SB_VERT));

    PostToBoard(WM_RBUTTONUP, POINT{size.x - 20, size.y - 20});
    PumpMessages(100);
    EXPECT_FALSE(EndMenuWatch().seen) << "a drag is no click";
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    EXPECT_EQ(g_cursors.arrow, BoardCursor());
}

TEST_F(BoardTest, HoldingTheRightButtonStillStartsAPanAndOpensNoMenu)
{
    WatchForMenu(0);
    const POINT press = ToClient(POINT{400, 200});
    PressAt(WM_RBUTTONDOWN, press);
    EXPECT_TRUE(PumpUntil([] { return g_board.mouseMode == kMousePanning; }));
    EXPECT_EQ(g_cursors.drag, BoardCursor());
    PostToBoard(WM_RBUTTONUP, press);
    PumpMessages(100);
    EXPECT_FALSE(EndMenuWatch().seen);
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    EXPECT_EQ(g_cursors.arrow, BoardCursor());
}

TEST_F(BoardTest, ARightClickOpensTheBoardMenuWherePutIntoBoxReturnsTheSelection)
{
    LayOutLoosePieces({{20, 360}, {120, 360}, {220, 360}});
    const PieceId first = IdOf(2), second = IdOf(0);
    PostClick(ToClient(CellCentre(2)));
    PostClick(ToClient(CellCentre(0)));
    ASSERT_EQ((std::vector<PieceId>{first, second}), SelectedPieces());

    WatchForMenu(IDM_PUTINTOBOX);
    const POINT click = ToClient(POINT{400, 200});
    PressAt(WM_RBUTTONDOWN, click);
    EXPECT_EQ(kMouseRightDown, g_board.mouseMode);
    PostToBoard(WM_RBUTTONUP, click);
    PumpMessages(100);
    const MenuSighting menu = EndMenuWatch();
    ASSERT_TRUE(menu.seen);
    EXPECT_TRUE(menu.hasPutIntoBox);
    POINT screen = click;
    ClientToScreen(g_board.window, &screen);
    EXPECT_EQ(screen.x, menu.frame.left) << "the menu opens at the pointer";
    EXPECT_EQ(screen.y, menu.frame.top);
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);

    EXPECT_EQ(0, g_game.header.selectedCount);
    ASSERT_EQ(1, g_game.header.boardCount);
    EXPECT_EQ(first, IdOf(1)) << "the selection leads the box, in its order";
    EXPECT_EQ(second, IdOf(2));
}

// The box's request passes through the board to the main window, which opens the box's own
// menu; its "close" comes back as an ordinary command.
TEST_F(BoardTest, ARightClickInTheBoxOpensTheBoxMenuWhoseCloseClosesTheBox)
{
    ShowBox(kBoxShow);
    ASSERT_NE(nullptr, g_box.boxWindow);
    POINT screen = {40, 20};
    ClientToScreen(g_box.boxWindow, &screen);
    POINT inBoard = screen;
    ScreenToClient(g_board.window, &inBoard);
    ParkPointer(inBoard);
    WatchForMenu(IDM_BOXCLOSE);
    const LPARAM at = MAKELPARAM(40, 20);
    PostMessageW(g_box.boxWindow, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageW(g_box.boxWindow, WM_RBUTTONUP, 0, at);
    PumpMessages(100);
    const MenuSighting menu = EndMenuWatch();
    ASSERT_TRUE(menu.seen);
    EXPECT_FALSE(menu.hasPutIntoBox) << "the board's menu opened instead of the box's";
    EXPECT_EQ(screen.x, menu.frame.left) << "the menu opens at the pointer";
    EXPECT_EQ(screen.y, menu.frame.top);
    EXPECT_EQ(nullptr, g_box.boxWindow);
}

TEST_F(BoardTest, ARightPressThatLeavesTheWindowOpensNoMenu)
{
    WatchForMenu(0);
    const POINT press = ToClient(POINT{400, 200});
    PressAt(WM_RBUTTONDOWN, press);
    ASSERT_EQ(kMouseRightDown, g_board.mouseMode);
    PostToBoard(WM_MOUSELEAVE, POINT{});
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    PostToBoard(WM_RBUTTONUP, press);
    PumpMessages(100);
    EXPECT_FALSE(EndMenuWatch().seen);
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
}

static void Wheel(short delta)
{
    SendMessageW(g_shell.mainWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
}

TEST_F(BoardTest, TheWheelZoomsOneStepPerMessageOnlyWhileNoButtonIsHeld)
{
    const int start = g_shell.zoomIndex;
    for (int mode = 1; mode <= 4; ++mode) {
        g_board.mouseMode = mode;
        Wheel(120);
        EXPECT_EQ(start, g_shell.zoomIndex) << "mouse mode " << mode;
        Wheel(-120);
        EXPECT_EQ(start, g_shell.zoomIndex) << "mouse mode " << mode;
    }
    g_board.mouseMode = kMouseIdle;
    Wheel(240);
    EXPECT_EQ(start + 1, g_shell.zoomIndex);
    EXPECT_NE(std::wstring::npos, MainTitle().find(L"x 150%")) << MainTitle();
    Wheel(-120);
    EXPECT_EQ(start, g_shell.zoomIndex);
    Wheel(0);
    EXPECT_EQ(start - 1, g_shell.zoomIndex) << "no delta counts as reducing";
}
