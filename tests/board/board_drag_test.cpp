// Dragging pieces: pressed on a piece, moved, released or taken out of the window. Loose
// pieces lie below the goal area, away from every home place.
#include "tests/board/board_fixture.h"
#include "tests/board/pointer.h"
#include "tests/support/modal_driver.h"
#include "board/board_state.h"
#include "win/cursors.h"
#include <string.h>

static const POINT kPiece = {20, 360}, kOther = {220, 360};

static POINT Moved(POINT point, int dx, int dy)
{
    return POINT{point.x + dx, point.y + dy};
}

static int TopIndex()
{
    return g_game.header.boardCount - 1;
}

TEST_F(BoardTest, ADraggedPieceFollowsThePointerAndStaysLooseWhereReleased)
{
    LayOutLoosePieces({kPiece, kOther});
    const PieceId piece = IdOf(0);
    const POINT press = ToClient(CellCentre(0));
    PressAt(WM_LBUTTONDOWN, press);
    PostToBoard(WM_MOUSEMOVE, Moved(press, 6, -4));
    EXPECT_EQ(kMouseLeftDrag, g_board.mouseMode);
    EXPECT_EQ(kDragMoving, g_board.dragKind);
    EXPECT_EQ(g_cursors.drag, BoardCursor());
    ASSERT_EQ(std::vector<PieceId>{piece}, SelectedPieces());
    EXPECT_TRUE(TileIsAt(TopIndex(), kPiece.x + 6, kPiece.y - 4));

    // Right of the goal area: no home place within reach.
    PostToBoard(WM_MOUSEMOVE, Moved(press, 450, -160));
    EXPECT_TRUE(TileIsAt(TopIndex(), kPiece.x + 450, kPiece.y - 160));
    PostToBoard(WM_LBUTTONUP, Moved(press, 450, -160));
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    EXPECT_EQ(kDragNone, g_board.dragKind);
    EXPECT_EQ(g_cursors.arrow, BoardCursor());
    EXPECT_EQ(0, g_game.header.selectedCount);
    EXPECT_EQ(0, g_game.header.fixedCount);
    EXPECT_EQ(piece, IdOf(TopIndex()));
    EXPECT_TRUE(TileIsAt(TopIndex(), kPiece.x + 450, kPiece.y - 160));
    EXPECT_NE(std::wstring::npos, MainTitle().find(L"(0/100 ")) << MainTitle();
}

TEST_F(BoardTest, ASinglePieceReleasedNearItsHomeIsFixed)
{
    LayOutLoosePieces({kPiece, kOther});
    const PieceId piece = IdOf(0);
    const POINT home = HomeCorner(0);
    const POINT press = ToClient(CellCentre(0));
    PressAt(WM_LBUTTONDOWN, press);
    PostToBoard(WM_MOUSEMOVE, Moved(press, 5, 5));
    PostToBoard(WM_LBUTTONUP, Moved(press, home.x + 2 - kPiece.x, home.y + 1 - kPiece.y));
    EXPECT_EQ(1, g_game.header.fixedCount);
    EXPECT_EQ(0, g_game.header.selectedCount);
    ASSERT_EQ(piece, IdOf(0)) << "a fixed piece goes to the bottom of the table";
    EXPECT_TRUE(TileIsAt(0, home.x, home.y)) << "seated exactly";
    EXPECT_NE(std::wstring::npos, MainTitle().find(L"(1/100 ")) << MainTitle();
}

TEST_F(BoardTest, DraggingALoosePieceLeavesTheFormerSelectionBehind)
{
    LayOutLoosePieces({kPiece, kOther});
    const PieceId piece = IdOf(0), other = IdOf(1);
    const POINT otherCell = ToClient(CellCentre(1));
    PostClick(otherCell);
    ASSERT_EQ(std::vector<PieceId>{other}, SelectedPieces());

    const POINT press = ToClient(CellCentre(IndexOf(piece)));
    PressAt(WM_LBUTTONDOWN, press);
    PostToBoard(WM_MOUSEMOVE, Moved(press, 30, -100));
    EXPECT_EQ(std::vector<PieceId>{piece}, SelectedPieces());
    PostToBoard(WM_LBUTTONUP, Moved(press, 30, -100));
    EXPECT_EQ(0, g_game.header.selectedCount);
    EXPECT_EQ(2, g_game.header.boardCount);
    EXPECT_TRUE(TileIsAt(IndexOf(other), kOther.x, kOther.y));
    EXPECT_TRUE(TileIsAt(IndexOf(piece), kPiece.x + 30, kPiece.y - 100));
}

// Even with its base put down on its home place, a group is not fixed.
TEST_F(BoardTest, ADraggedSelectionOfSeveralStaysSelectedWhereItIsDropped)
{
    LayOutLoosePieces({kPiece, kOther});
    const PieceId base = IdOf(0), other = IdOf(1);
    PostClick(ToClient(CellCentre(0)));
    PostClick(ToClient(CellCentre(IndexOf(other))));
    ASSERT_EQ((std::vector<PieceId>{base, other}), SelectedPieces());
    const int baseIndex = IndexOf(base);
    const POINT home = HomeCorner(baseIndex);
    const POINT start = {TileLeft(baseIndex), TileTop(baseIndex)};

    const POINT press = ToClient(CellCentre(baseIndex));
    PressAt(WM_LBUTTONDOWN, press);
    PostToBoard(WM_MOUSEMOVE, Moved(press, -3, -3));
    EXPECT_EQ(kDragMoving, g_board.dragKind)
        << "the press lay in the fan: the whole selection moves";
    PostToBoard(WM_MOUSEMOVE, Moved(press, home.x - start.x, home.y - start.y));
    PostToBoard(WM_LBUTTONUP, Moved(press, home.x - start.x, home.y - start.y));
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    EXPECT_EQ((std::vector<PieceId>{base, other}), SelectedPieces());
    EXPECT_EQ(0, g_game.header.fixedCount);
    EXPECT_TRUE(TileIsAt(baseIndex, home.x, home.y));
    EXPECT_LT(TileLeft(IndexOf(other)), home.x) << "the fan is laid out around the base again";
    EXPECT_LT(TileTop(IndexOf(other)), home.y);
}

// Under this Wine the board hears that the pointer left before the cursor position says
// where it went, so the real exit only shows that the drag ends; where it ends is shown with
// the pointer parked outside and the leave posted.
TEST_F(BoardTest, MovingThePointerOutOfTheWindowEndsADrag)
{
    LayOutLoosePieces({kPiece, kOther});
    const POINT press = ToClient(CellCentre(0));
    PressAt(WM_LBUTTONDOWN, press);
    PostToBoard(WM_MOUSEMOVE, Moved(press, 10, 0));
    ASSERT_EQ(kMouseLeftDrag, g_board.mouseMode);

    // Up onto the toolbar, right of its buttons.
    ParkPointer(POINT{press.x + 25, -15});
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    EXPECT_EQ(kDragNone, g_board.dragKind);
    EXPECT_EQ(g_cursors.arrow, BoardCursor());
    EXPECT_EQ(0, g_game.header.selectedCount);

    // Back in with the button still held: nothing until the next press.
    const GameHeader before = g_game.header;
    ParkPointer(Moved(press, 40, 0));
    PostToBoard(WM_MOUSEMOVE, Moved(press, 50, 0));
    PostToBoard(WM_LBUTTONUP, Moved(press, 50, 0));
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    EXPECT_EQ(0, memcmp(&before, &g_game.header, sizeof before));
}

// At 300 % and scrolled the board fills the window, so the point outside it still lies on
// the board and nothing is clamped.
TEST_F(BoardTest, ADragThatLosesTheWindowEndsWhereThePointerIs)
{
    ShowAtZoom(300);
    ScrollBoardTo(200, 300);
    LayOutLoosePieces({{400, 400}, {700, 400}});
    const PieceId piece = IdOf(0);
    const POINT press = ToClient(CellCentre(0));
    const POINT outside = {press.x + 25, -15};
    ParkPointer(outside);
    PostToBoard(WM_LBUTTONDOWN, press);
    PostToBoard(WM_MOUSEMOVE, Moved(press, 10, 0));
    ASSERT_EQ(kMouseLeftDrag, g_board.mouseMode);
    PostToBoard(WM_MOUSELEAVE, POINT{});
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    EXPECT_EQ(kDragNone, g_board.dragKind);
    EXPECT_EQ(0, g_game.header.selectedCount);
    EXPECT_TRUE(TileIsAt(IndexOf(piece), 400 + outside.x - press.x, 400 + outside.y - press.y));
}

TEST_F(BoardTest, APanThatLosesTheWindowEndsWhereThePointerIs)
{
    ShowAtZoom(300);
    ScrollBoardTo(200, 300);
    const POINT press = {300, 200};
    const POINT outside = {press.x + 25, -15};
    ParkPointer(outside);
    PostToBoard(WM_RBUTTONDOWN, press);
    PostToBoard(WM_MOUSEMOVE, Moved(press, -10, 0));
    ASSERT_EQ(kMousePanning, g_board.mouseMode);
    PostToBoard(WM_MOUSELEAVE, POINT{});
    EXPECT_EQ(kMouseIdle, g_board.mouseMode);
    EXPECT_EQ(200 - 25, g_board.scrollX);
    EXPECT_EQ(300 + press.y + 15, g_board.scrollY);
    EXPECT_EQ(g_cursors.arrow, BoardCursor());
}

TEST_F(BoardTest, TheLastPieceDraggedHomeEndsTheDragBeforeTheCompletionMessage)
{
    GameHeader& h = g_game.header;
    h.boardCount = h.pieceCount;
    h.fixedCount = h.pieceCount - 1;
    const int last = h.pieceCount - 1;
    PlaceTile(last, kPiece.x, kPiece.y);
    const PieceRecord pastTheTable = g_game.pieces[h.pieceCount];

    const POINT home = HomeCorner(last);
    const POINT press = ToClient(CellCentre(last));
    PressAt(WM_LBUTTONDOWN, press);
    PostToBoard(WM_MOUSEMOVE, Moved(press, 5, 5));
    // The message runs its own message loop: the pointer goes to its button, and so
    // leaves the board, and the player presses OK.
    bool seen = false;
    int modeDuring = -1, kindDuring = -1;
    WithModalWindow(
        [&] { PostToBoard(WM_LBUTTONUP, Moved(press, home.x - kPiece.x, home.y - kPiece.y)); },
        [&](HWND message) {
            seen = true;
            modeDuring = g_board.mouseMode;
            kindDuring = g_board.dragKind;
            SendMessageW(g_board.window, WM_MOUSELEAVE, 0, 0);
            PressButton(message, IDOK);
        });

    ASSERT_TRUE(seen) << "no completion message";
    EXPECT_EQ(0, modeDuring);
    EXPECT_EQ(0, kindDuring);
    EXPECT_EQ(h.pieceCount, h.fixedCount);
    EXPECT_EQ(0, memcmp(&pastTheTable, &g_game.pieces[h.pieceCount], sizeof pastTheTable))
        << "nothing is written past the pieces";
    EXPECT_EQ(g_cursors.arrow, BoardCursor());
}
