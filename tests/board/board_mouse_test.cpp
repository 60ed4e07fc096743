// Left clicks and presses held still on the board, the leave handler on its own, and the
// board with no game. Loose pieces lie below the goal area (tiles from y 360), where no
// piece has its home, so only a drop meant to fix a piece fixes one.
#include "tests/board/board_fixture.h"
#include "tests/board/menu_watch.h"
#include "tests/board/pointer.h"
#include "board/board_state.h"
#include "model/home_test.h"
#include "win/cursors.h"
#include <memory>
#include <string.h>

static const POINT kLeft = {20, 360}, kMiddle = {120, 360}, kRight = {220, 360};
// Right of the goal area: no home place within reach.
static const POINT kFreeSpot = {520, 120};

static POINT ClientCell(PieceId piece)
{
    return ToClient(CellCentre(IndexOf(piece)));
}

TEST_F(BoardTest, QuickClicksOnLoosePiecesStackThemIntoTheSelection)
{
    LayOutLoosePieces({kLeft, kMiddle, kRight});
    const PieceId left = IdOf(0), middle = IdOf(1), right = IdOf(2);

    PostClick(ClientCell(middle));
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    ASSERT_EQ(std::vector<PieceId>{middle}, SelectedPieces());

    // Sent rather than posted: the window procedure alone decides. Windows sends move
    // messages without movement too, and such a one is still a click.
    const POINT cell = ClientCell(left);
    SendMessageW(g_board.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
    SendMessageW(g_board.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
    SendMessageW(g_board.window, WM_LBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
    ASSERT_EQ((std::vector<PieceId>{middle, left}), SelectedPieces());

    PostClick(ClientCell(right));
    EXPECT_EQ((std::vector<PieceId>{middle, left, right}), SelectedPieces());
    EXPECT_EQ(3, g_game.header.boardCount);
    EXPECT_EQ(0, g_game.header.fixedCount);
    PumpMessages(600);
    EXPECT_EQ(kMouseIdle, g_board.mouseMode) << "the hold timer of a finished click starts nothing";
    EXPECT_EQ(3, g_game.header.selectedCount);
}

TEST_F(BoardTest, AClickInsideTheSelectionsFanChangesNothing)
{
    LayOutLoosePieces({kLeft, kMiddle});
    const PieceId left = IdOf(0), middle = IdOf(1);
    PostClick(ClientCell(middle));
    PostClick(ClientCell(left));
    ASSERT_EQ(middle, IdOf(0)) << "the base";
    const GameHeader before = g_game.header;
    const int baseLeft = TileLeft(0), baseTop = TileTop(0);
    // The base tile's corner: inside the fan's box, on no piece's cell.
    PostClick(ToClient(POINT{baseLeft + 1, baseTop + 1}));
    EXPECT_EQ(0, memcmp(&before, &g_game.header, sizeof before));
    EXPECT_TRUE(TileIsAt(0, baseLeft, baseTop));
}

TEST_F(BoardTest, AClickOnFreeSpaceCentresASinglePieceOnThePoint)
{
    LayOutLoosePieces({kLeft, kMiddle});
    const PieceId piece = IdOf(0);
    PostClick(ClientCell(piece));
    ASSERT_EQ(piece, IdOf(1));
    PostClick(ToClient(kFreeSpot));
    EXPECT_EQ(0, g_game.header.selectedCount);
    EXPECT_EQ(0, g_game.header.fixedCount);
    EXPECT_EQ(piece, IdOf(1));
    EXPECT_TRUE(TileIsAt(1, (int)(kFreeSpot.x - g_geometry.tileWidth / 2),
                         (int)(kFreeSpot.y - g_geometry.tileHeight / 2)));
}

TEST_F(BoardTest, AClickOnTheHomePlaceOfASinglePieceFixesIt)
{
    LayOutLoosePieces({kLeft, kMiddle});
    const PieceId piece = IdOf(0);
    PostClick(ClientCell(piece));
    ASSERT_EQ(piece, IdOf(1));
    const POINT home = HomeCorner(1);
    ASSERT_NE(std::wstring::npos, MainTitle().find(L"(0/100 "));
    PostClick(ToClient(POINT{home.x + 31, home.y + 24}));
    EXPECT_EQ(1, g_game.header.fixedCount);
    EXPECT_EQ(0, g_game.header.selectedCount);
    ASSERT_EQ(piece, IdOf(0)) << "a fixed piece goes to the bottom of the table";
    EXPECT_TRUE(TileIsAt(0, home.x, home.y));
    EXPECT_NE(std::wstring::npos, MainTitle().find(L"(1/100 ")) << MainTitle();
}

TEST_F(BoardTest, AClickOnFreeSpaceSpreadsASelectionOfSeveralFromItsBase)
{
    LayOutLoosePieces({kLeft, kMiddle, kRight});
    const PieceId base = IdOf(1), last = IdOf(2);
    PostClick(ClientCell(base));
    PostClick(ClientCell(last));
    ASSERT_EQ((std::vector<PieceId>{base, last}), SelectedPieces());
    const int baseLeft = TileLeft(1), baseTop = TileTop(1);
    PostClick(ToClient(kFreeSpot));
    EXPECT_EQ(0, g_game.header.selectedCount);
    EXPECT_EQ(0, g_game.header.fixedCount);
    EXPECT_EQ(base, IdOf(1));
    EXPECT_TRUE(TileIsAt(1, baseLeft, baseTop));
    EXPECT_EQ(last, IdOf(2));
    EXPECT_TRUE(TileIsAt(2, (int)(kFreeSpot.x - g_geometry.tileWidth / 2),
                         (int)(kFreeSpot.y - g_geometry.tileHeight / 2)));
}

TEST_F(BoardTest, HoldingTheLeftButtonStillOnAPieceStartsDraggingIt)
{
    LayOutLoosePieces({kLeft, kMiddle});
    const PieceId piece = IdOf(1);
    const POINT press = ClientCell(piece);
    PressAt(WM_LBUTTONDOWN, press);
    PumpMessages(250);
    EXPECT_EQ(kMouseLeftDown, g_board.mouseMode) << "not yet half a second";
    EXPECT_EQ(0, g_game.header.selectedCount);
    EXPECT_TRUE(PumpUntil([] { return g_board.mouseMode == kMouseLeftDrag; }));
    EXPECT_EQ(kDragMoving, g_board.dragKind) << "begun, then painted once";
    EXPECT_EQ(std::vector<PieceId>{piece}, SelectedPieces());
    EXPECT_EQ(g_cursors.drag, BoardCursor());
    EXPECT_TRUE(TileIsAt(1, kMiddle.x, kMiddle.y));

    PostToBoard(WM_LBUTTONUP, press);
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    EXPECT_EQ(kDragNone, g_board.dragKind);
    EXPECT_EQ(0, g_game.header.selectedCount) << "a single dragged piece is put down";
    EXPECT_EQ(g_cursors.arrow, BoardCursor());
    EXPECT_TRUE(TileIsAt(1, kMiddle.x, kMiddle.y));
}

TEST_F(BoardTest, HoldingTheLeftButtonStillOnFreeSpaceStartsABand)
{
    LayOutLoosePieces({kLeft, kMiddle});
    const POINT press = ToClient(kFreeSpot);
    PressAt(WM_LBUTTONDOWN, press);
    EXPECT_TRUE(PumpUntil([] { return g_board.dragKind == kDragBand; }));
    EXPECT_EQ(kMouseLeftDrag, g_board.mouseMode);
    EXPECT_EQ(press.x, g_board.bandAnchor.x);
    EXPECT_EQ(press.y, g_board.bandAnchor.y);
    EXPECT_EQ(g_cursors.cross, BoardCursor());
    PostToBoard(WM_LBUTTONUP, press);
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    EXPECT_EQ(kDragNone, g_board.dragKind);
    EXPECT_EQ(0, g_game.header.selectedCount);
    EXPECT_EQ(g_cursors.arrow, BoardCursor());
}

// A band held still after an earlier band must not select what the earlier one covered.
TEST_F(BoardTest, ABandHeldStillSelectsNothingWhateverCameBefore)
{
    LayOutLoosePieces({kLeft, kMiddle});
    g_board.bandRect = RECT{0, 0, 2000, 2000};
    const POINT press = ToClient(kFreeSpot);
    PressAt(WM_LBUTTONDOWN, press);
    ASSERT_TRUE(PumpUntil([] { return g_board.dragKind == kDragBand; }));
    PostToBoard(WM_LBUTTONUP, press);
    EXPECT_EQ(0, g_game.header.selectedCount);
}

TEST_F(BoardTest, APressHeldOnAFixedPieceStartsABandAsOnFreeSpace)
{
    LayOutLoosePieces({kLeft, kMiddle});
    SeatAtHome(0);
    g_game.header.fixedCount = 1;
    PaintBoardNow();
    const POINT press = ToClient(CellCentre(0));
    PressAt(WM_LBUTTONDOWN, press);
    EXPECT_TRUE(PumpUntil([] { return g_board.dragKind == kDragBand; }));
    EXPECT_EQ(0, g_game.header.selectedCount);
    PostToBoard(WM_LBUTTONUP, press);
    EXPECT_EQ(1, g_game.header.fixedCount);
}

TEST_F(BoardTest, ALeaveBeforeAnyDragOnlyEndsThePress)
{
    LayOutLoosePieces({kLeft, kMiddle});
    const GameHeader before = g_game.header;
    const POINT cell = ClientCell(IdOf(1));
    PressAt(WM_LBUTTONDOWN, cell);
    ASSERT_EQ(kMouseLeftDown, g_board.mouseMode);
    PostToBoard(WM_MOUSELEAVE, POINT{});
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    PumpMessages(600);
    PostToBoard(WM_LBUTTONUP, cell);
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    EXPECT_EQ(0, memcmp(&before, &g_game.header, sizeof before)) << "no pick, no click";

    PostToBoard(WM_MOUSELEAVE, POINT{});
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
}

// At 300 % the board is larger than the window, so a pan would show in the scroll position.
TEST_F(BoardTest, WithoutAGameNoPressHasAnyEffect)
{
    ShowAtZoom(300);
    LayOutLoosePieces({kLeft, kMiddle});
    const PieceId selected = IdOf(0), loose = IdOf(1);
    PostClick(ClientCell(selected));
    ASSERT_EQ(1, g_game.header.selectedCount);
    g_board.gameActive = 0;
    const std::unique_ptr<GameState> before(new GameState(g_game));
    WatchForMenu(0);

    const POINT piece = ClientCell(loose), free = ToClient(kFreeSpot);
    PostClick(piece);
    PostClick(free);
    PressAt(WM_LBUTTONDOWN, piece);
    PumpMessages(700);
    EXPECT_EQ(kMouseIdle, g_board.mouseMode) << "no hold";
    PostToBoard(WM_MOUSEMOVE, free);
    PostToBoard(WM_LBUTTONUP, free);
    PostToBoard(WM_LBUTTONDBLCLK, piece);
    PostToBoard(WM_LBUTTONUP, piece);
    PressAt(WM_RBUTTONDOWN, free);
    PostToBoard(WM_MOUSEMOVE, piece);
    PostToBoard(WM_RBUTTONUP, piece);
    PostToBoard(WM_RBUTTONDOWN, free);
    PostToBoard(WM_RBUTTONUP, free);
    PumpMessages(100);

    EXPECT_FALSE(EndMenuWatch().seen);
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    EXPECT_EQ(kDragNone, g_board.dragKind);
    EXPECT_EQ(g_cursors.arrow, BoardCursor());
    EXPECT_EQ(0, g_board.scrollX);
    EXPECT_EQ(0, g_board.scrollY);
    EXPECT_EQ(0, memcmp(before.get(), &g_game, sizeof g_game));
}
